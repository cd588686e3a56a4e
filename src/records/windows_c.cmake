# Windows (c)
list(APPEND TW_UI_SOURCES
  records/sesstat.h records/sesstat.cpp
)
