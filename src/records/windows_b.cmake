# Windows (b)
list(APPEND TW_UI_SOURCES
  records/logstat.h records/logstat.cpp
  records/gamestat.h records/gamestat.cpp
)
