list(APPEND TW_CORE_SOURCES
)
list(APPEND TW_UI_SOURCES
  players/nameinput.h players/nameinput.cpp
)
include(players/windows_c.cmake)
include(players/windows_d.cmake)
