#pragma once

#include <QIcon>

#include <functional>

class QPainter;

// The small pictures (16 x 16) that stand beside the entries of the game
// selector, the game-number dialog, the favourites and the records windows:
// the collection as a whole, one game, one player. They live here, below every
// window, so that the windows of the records, the players and the table share
// them without including one another.
namespace tw::art {

// A small fanned pile of cards: all the games.
QIcon RootIcon();
// One card with a red diamond: one game.
QIcon GameIcon();
// A head and shoulders: one player.
QIcon PlayerIcon();

// A 16 x 16 picture on a transparent ground, as `draw` paints it with
// antialiasing on: the pictures above are made so, and so may a window's own.
QIcon SmallIcon(const std::function<void(QPainter &)> &draw);

} // namespace tw::art
