# Windows (c)
list(APPEND TW_UI_SOURCES
)
