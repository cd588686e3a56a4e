# Sounds and help.
list(APPEND TW_UI_RESOURCES
  ${CMAKE_SOURCE_DIR}/resources/sounds/sounds.qrc
  ${CMAKE_SOURCE_DIR}/resources/help/help.qrc
)
list(APPEND TW_UI_SOURCES
  settings/sound.h settings/sound.cpp
  settings/help.h settings/help.cpp
)
