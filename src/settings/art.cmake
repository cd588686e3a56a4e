# Artwork: card faces, backs, backgrounds, place markers, previews, icons.
list(APPEND TW_UI_SOURCES
  settings/artwork.h settings/artwork.cpp
  settings/art_paint.h settings/art_paint.cpp
  settings/art_cards.cpp
  settings/art_backs.cpp
  settings/art_tiles.cpp
  settings/art_misc.cpp
  settings/resources.h settings/resources.cpp
)
