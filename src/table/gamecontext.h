#pragma once

#include "engine/gamenumber.h"

#include <QPixmap>
#include <QString>
#include <functional>

namespace tw {

class cData;
class Prompt;

// What the game selector and the game-number dialog need of the program. The
// main window fills it in; tests hand in fakes. The windows keep a copy, so
// the functions must stay valid for as long as a window is open.
struct GameContext {
    cData *data = nullptr;                                                    // the settings object
    Prompt *prompt = nullptr;                                                 // message boxes and modal windows
    std::function<void(const QString &name, const GameNo &number)> startGame; // the one start-game routine
    std::function<GameNo()> randomGameNo;                                     // a new random game number
    std::function<QPixmap(int index)> preview; // 318 x 201 preview of catalogue index 1..GameCount; may be null
    // True while a deal is being laid out: a start asked for then would be
    // ignored, so the windows start nothing and change no player.
    std::function<bool()> busy;
};

} // namespace tw
