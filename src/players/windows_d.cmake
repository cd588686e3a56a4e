# Windows (d)
list(APPEND TW_UI_SOURCES
  players/favorites.h players/favorites.cpp
  players/customize.h players/customize.cpp
)
