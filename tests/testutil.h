#pragma once

#include "engine/engine.h"
#include "settings/data.h"
#include "settings/store.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QStringList>
#include <memory>
#include <vector>

namespace tw::test {

// The catalogue index of a variant, 0 for a name that is not one: tests name
// the variant they mean, so a variant added does not move them.
int16_t gameIndex(QStringView name);

// A settings object over an in-memory store with the catalogue registered.
struct TestData {
    TestData();
    MemoryStore store;
    cData data{store};
};

// Records what the engine asked of its view; a win is recorded at once.
class RecordingView : public EngineView {
public:
    void RefreshTable() override { ++refreshes; }
    void PumpEvents() override;
    void GameWon() override;
    void GameEnded() override { ++gamesEnded; }
    void CaptionChanged(const QString &c) override { caption = c; }
    Engine *engine = nullptr;
    int refreshes = 0;
    int wins = 0;
    int gamesEnded = 0;
    QString caption;
    std::function<void()> onPump;
    std::function<void()> onWin; // replaces the default EndGame(1)
};

class RecordingSink : public RecordSink {
public:
    void AddScore(int16_t Status) override { scores.push_back(Status); }
    void AddSesGame(int16_t Status) override { session.push_back(Status); }
    std::vector<int16_t> scores;
    std::vector<int16_t> session;
};

// Records which help pages were asked for.
class RecordingHelp : public HelpViewer {
public:
    void ShowRules(int context) override { rules.push_back(context); }
    void ShowContents() override { ++contents; }
    std::vector<int> rules;
    int contents = 0;
};

class RecordingSound : public SoundPlayer {
public:
    void Play(const QString &resource) override { played << resource; }
    QStringList played;
};

// An engine with fakes around it, ready to start games.
struct TestTable {
    TestTable();
    TestData d;
    RecordingView view;
    RecordingSink sink;
    RecordingSound sound;
    Engine engine{d.data, view, &sink};
    void start(const QString &name, qint64 number) { engine.StartGame(name, GameNo::number(number)); }
};

// Runs the event loop until `done` holds, as long as the watch of the
// settings file may take to be heard (a generous bound, never a figure).
template<class Done>
bool heardWithin(Done done)
{
    QElapsedTimer t;
    t.start();
    while (!done() && t.elapsed() < 20000)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return done();
}

} // namespace tw::test
