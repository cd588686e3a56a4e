#pragma once

#include <QString>

namespace tw {

class frmMain;

// What the table shows, for scripts that drive the program: with
// TARNWICK_STATE_FILE set, the table writes it to that file on every status
// tick. One JSON object: the caption as shown, whether a game runs, the three
// menu-bar texts, every visible card (index, place, rank, top of its pile and
// its position on the screen) and every reserve cell (position, empty).
void WriteTableState(const QString &file, frmMain &table);

} // namespace tw
