# Windows (a)
list(APPEND TW_UI_SOURCES
  records/finish.h records/finish.cpp
  records/highscore.h records/highscore.cpp
)
