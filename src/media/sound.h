#pragma once

#include "settings/data.h"

#include <QAudioFormat>
#include <QByteArray>
#include <QHash>
#include <QString>
#include <QUrl>

#include <memory>

class QThread;

namespace tw {

// Plays the embedded sound effects through Qt Multimedia's audio output, from
// a thread of its own: the sound server is fed while the window thread is
// busy (a deal, a first paint), so a sound never breaks up. Each sound is
// loaded the first time it is asked for; at most one sound plays at a time.
// Without an audio output (headless machines, CI) every call returns at once
// and nothing happens.
class QtSoundPlayer : public SoundPlayer {
public:
    QtSoundPlayer();
    ~QtSoundPlayer() override;
    QtSoundPlayer(const QtSoundPlayer &) = delete;
    QtSoundPlayer &operator=(const QtSoundPlayer &) = delete;

    // Stops the sound that plays and starts the named one ("UNDO", "win",
    // ...; letter case does not matter). Never waits for the sound.
    void Play(const QString &resource) override;

    // The resource URL of a sound ("qrc:/sounds/UNDO.wav"), or an empty URL
    // when the program has no sound of that name.
    static QUrl SourceFor(const QString &resource);

    // Whether the system offers any audio output at all.
    static bool HasAudioOutput();

    // Number of sounds loaded so far.
    int LoadedCount() const { return int(samples_.size()); }

    // A sound's samples as the audio output takes them; empty when the file
    // is not a PCM WAVE file.
    struct Sample {
        QAudioFormat format;
        QByteArray pcm;
    };
    static Sample Load(const QString &path);

private:
    class Output;
    QHash<QString, Sample> samples_;
    std::unique_ptr<QThread> thread_;
    Output *output_ = nullptr; // lives in thread_
};

} // namespace tw
