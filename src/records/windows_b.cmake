# Windows (b)
list(APPEND TW_UI_SOURCES
)
