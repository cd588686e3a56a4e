#pragma once

#include "settings/data.h"

#include <QHash>
#include <QString>
#include <QUrl>

class QSoundEffect;

namespace tw {

// Plays the embedded sound effects through Qt Multimedia. One effect object
// per sound, made the first time that sound is asked for; at most one sound
// plays at a time. Without an audio output (headless machines, CI) every call
// returns at once and nothing happens.
class QtSoundPlayer : public SoundPlayer {
public:
    QtSoundPlayer();
    ~QtSoundPlayer() override;
    QtSoundPlayer(const QtSoundPlayer &) = delete;
    QtSoundPlayer &operator=(const QtSoundPlayer &) = delete;

    // Stops the sound that plays and starts the named one ("UNDO", "win",
    // ...; letter case does not matter). Never waits for the sound to load.
    void Play(const QString &resource) override;

    // The resource URL of a sound ("qrc:/sounds/UNDO.wav"), or an empty URL
    // when the program has no sound of that name.
    static QUrl SourceFor(const QString &resource);

    // Whether the system offers any audio output at all.
    static bool HasAudioOutput();

    // Number of effect objects made so far.
    int LoadedCount() const { return int(effects_.size()); }

private:
    QHash<QString, QSoundEffect *> effects_;
    QSoundEffect *current_ = nullptr;
};

} // namespace tw
