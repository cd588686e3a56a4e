list(APPEND TW_CORE_SOURCES
  engine/numeric.h
  engine/codes.h
  engine/gamenumber.h engine/gamenumber.cpp
  engine/random.h engine/random.cpp
  engine/games.h engine/games.cpp
  engine/catalogue.h engine/catalogue.cpp
  engine/cardarray.h engine/cardarray.cpp
  engine/journal.h engine/journal.cpp
  engine/engine.h engine/engine.cpp
  engine/deal.cpp
  engine/rules.cpp
  engine/play.cpp
  engine/gameflow.cpp
  engine/clock.h engine/clock.cpp
)
