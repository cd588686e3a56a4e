list(APPEND TW_CORE_SOURCES
  settings/store.h settings/store.cpp
  settings/data.h settings/data.cpp
  settings/prompt.h
)
list(APPEND TW_UI_SOURCES
  settings/resources_init.h settings/resources_init.cpp
)
include(settings/art.cmake)
include(settings/media.cmake)
