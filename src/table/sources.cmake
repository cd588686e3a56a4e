list(APPEND TW_UI_SOURCES table/placeholder.cpp)
