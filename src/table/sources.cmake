list(APPEND TW_UI_SOURCES table/placeholder.cpp)
list(APPEND TW_UI_SOURCES
  table/gamecontext.h
  table/select.h table/select.cpp
  table/choose.h table/choose.cpp
  table/history.h table/history.cpp
)
