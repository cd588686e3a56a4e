# Windows (a)
list(APPEND TW_UI_SOURCES
)
