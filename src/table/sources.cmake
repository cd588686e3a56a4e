list(APPEND TW_UI_SOURCES
  table/app.h table/app.cpp
  table/cards.h table/cards.cpp
  table/mainwindow.h table/mainwindow.cpp
  table/splash.h table/splash.cpp
  table/about.h table/about.cpp
  table/qtprompt.h table/qtprompt.cpp
  table/appcontext.h
)
list(APPEND TW_UI_SOURCES
  table/gamecontext.h
  table/select.h table/select.cpp
  table/choose.h table/choose.cpp
  table/history.h table/history.cpp
)
