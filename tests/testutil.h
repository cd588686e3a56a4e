#pragma once

#include "engine/engine.h"
#include "settings/data.h"
#include "settings/store.h"

#include <QStringList>
#include <csignal>
#include <memory>
#include <sys/resource.h>
#include <vector>

namespace tw::test {

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

// A disk that fills up after `bytes`: while it lives, no file of this process
// grows past that size (a write beyond it fails, one reaching into it is cut
// short), as on a full disk. The old limit comes back when it ends.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;
    bool active() const { return active_; }

private:
    rlimit old_{};
    void (*oldHandler_)(int) = SIG_DFL;
    bool active_ = false;
};

} // namespace tw::test
