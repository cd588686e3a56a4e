# Artwork: card faces, backs, backgrounds, place markers, previews, icons.
list(APPEND TW_UI_SOURCES
)
