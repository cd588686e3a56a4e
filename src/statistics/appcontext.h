#pragma once

#include "engine/gamenumber.h"

#include <QString>
#include <functional>

class QWidget;

namespace tw {

class cData;
class cScore;
class Engine;
class Prompt;

// What the windows of records, players and options need of the program. The
// main window fills it in (frmMain::appContext); tests hand in their own. It
// stands below the windows' folders, so that they need not include the table
// that opens them.
struct AppContext {
    cData *data = nullptr;    // settings and the current game's state
    cScore *score = nullptr;  // score, session and favourites store
    Engine *engine = nullptr; // the table's engine (running game, journal)
    QWidget *mainWindow = nullptr;
    Prompt *prompt = nullptr; // message boxes, the colour dialog and modal windows
    std::function<void(const QString &name, const GameNo &number)> startGame; // the one start-game routine
    std::function<GameNo()> randomGameNo;
    std::function<void()> showSelector;   // the game selector, modal, owned by the main window
    std::function<void()> applyTableLook; // repaint the table background and give every card the chosen back
    std::function<void()> openGameStats;  // the game statistics window, modal
};

} // namespace tw
