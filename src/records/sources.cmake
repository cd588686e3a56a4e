list(APPEND TW_CORE_SOURCES
  records/recordfile.h records/recordfile.cpp
  records/scoretable.h records/scoretable.cpp
  records/zoneprinter.h records/zoneprinter.cpp
  records/score.h records/score.cpp
  records/statfigures.h records/statfigures.cpp
)
list(APPEND TW_UI_SOURCES
  records/chart.h records/chart.cpp
  records/columnfit.h records/columnfit.cpp
)
include(records/windows_a.cmake)
include(records/windows_b.cmake)
include(records/windows_c.cmake)
