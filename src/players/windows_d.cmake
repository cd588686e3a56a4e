# Windows (d)
list(APPEND TW_UI_SOURCES
)
