# Windows (c)
list(APPEND TW_UI_SOURCES
  players/players.h players/players.cpp
)
