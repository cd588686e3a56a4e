#pragma once

#include "cards.h"
#include "engine/engine.h"

#include <QMainWindow>
#include <QPointer>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QMenu;
class QToolBar;

namespace tw {

class cData;
class cScore;
class Prompt;
struct AppContext;
struct GameContext;

// The card table: the only window that stays open for the whole run. It holds
// the card and place controls on a fixed-size table, reaches every action
// through its menus and toolbar, and runs the timers that poll the menu state,
// show score, time and moves, and drive the replay.
class frmMain : public QMainWindow, public EngineView {
    Q_OBJECT
public:
    // Every box, dialog and modal window of the program goes through prompt,
    // which must outlive the window.
    frmMain(cData &data, Prompt &prompt, QWidget *parent = nullptr);
    ~frmMain() override;

    Engine &engine() { return *engine_; }
    cScore *score() { return score_.get(); }
    QWidget *PicMain() { return picMain_; }
    QWidget *PicBack() { return picBack_; }
    QelCard *PicCards(int i) { return cards_[static_cast<size_t>(i)]; }
    QelEmpty *marker(MarkerKind kind, int index);
    QToolBar *Toolbar1() { return toolbar_; }
    GameContext context();
    AppContext appContext();

    // Menu handlers: one per menu, switching on the item's index.
    void mFile_Click(int index);
    void mRecent_Click(int index);
    void mGame_Click(int index);
    void mReplay_Click(int index);
    void mFav_Click(int index);
    void mStat_Click(int index);
    void mTools_Click(int index);
    void mHelp_Click(int index);
    void Toolbar1_ButtonClick(int index);

    // Menu and toolbar state, table layout, recent games, replay.
    void UpdateMenus();
    void UpdateToolbar();
    void ArrangeTable();
    void StopReplay();
    void UpdateRecentMenu();
    void SetDeckAll();

    // Timer ticks, public so tests can drive them.
    void tmrMain_Timer();
    void tmrTime_Timer();
    void tmrForward_Timer();
    void tmrBackward_Timer();
    bool replaying() const;

    // The one start-game routine, as every window calls it.
    void startGame(const QString &name, const GameNo &number);

    QAction *fileItem(int index) const { return fileItems_.at(static_cast<size_t>(index)); }
    QAction *gameItem(int index) const { return gameItems_.at(static_cast<size_t>(index)); }
    QAction *replayItem(int index) const { return replayItems_.at(static_cast<size_t>(index)); }
    QAction *favItem(int index) const { return favItems_.at(static_cast<size_t>(index)); }
    QAction *statItem(int index) const { return statItems_.at(static_cast<size_t>(index)); }
    QAction *toolsItem(int index) const { return toolsItems_.at(static_cast<size_t>(index)); }
    QAction *helpItem(int index) const { return helpItems_.at(static_cast<size_t>(index)); }
    QAction *recentItem(int index) const { return recentItems_.at(static_cast<size_t>(index)); }
    QAction *toolButton(int index) const { return toolButtons_.at(static_cast<size_t>(index)); }
    QAction *mScore() const { return mScore_; }
    QAction *mTime() const { return mTime_; }
    QAction *mMoves() const { return mMoves_; }
    QTimer &tmrForward() { return tmrForward_; }
    QTimer &tmrBackward() { return tmrBackward_; }

    // Milliseconds each animation step is shown; 0 in tests.
    void setAnimationDelay(int ms) { animationDelay_ = ms; }

    // Runs once the window has closed: releases everything and ends the program.
    std::function<void()> onUnload;

    // EngineView
    void Refreshcard(int card) override;
    void CardMoved(int card) override;
    void CardRaised(int card) override;
    void CardShown(int card) override;
    void MarkerChanged(MarkerKind kind, int index) override;
    void RefreshTable() override;
    void AnimationPause() override;
    void PumpEvents() override;
    void PrepareTable() override;
    void CaptionChanged(const QString &caption) override;
    void RecentChanged() override;
    void GameEnded() override;
    void GameWon() override;

protected:
    void closeEvent(QCloseEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void changeEvent(QEvent *e) override;
    bool event(QEvent *e) override;

private:
    void writeStateFile();
    void buildMenus();
    void buildToolbar();
    void SetDeckPics();
    void showSelect(bool modal);
    void showChoose();
    void showHistory();
    void showAbout();
    void replayTick(bool forward);

    cData &data_;
    Prompt &prompt_;
    std::unique_ptr<cScore> score_;
    std::unique_ptr<Engine> engine_;

    QWidget *central_ = nullptr;
    QWidget *picBack_ = nullptr;
    QWidget *picMain_ = nullptr;
    QToolBar *toolbar_ = nullptr;
    std::array<QelCard *, MaxCards> cards_{};
    std::array<QelEmpty *, 18> picHome_{};
    std::array<QelEmpty *, 8> picRight_{};
    std::array<QelEmpty *, 10> picRes_{};
    QelEmpty *picWaste_ = nullptr;
    QelEmpty *picStock_ = nullptr;

    // Index 0 is unused so that item k is element k.
    std::vector<QAction *> fileItems_, recentItems_, gameItems_, replayItems_, favItems_, statItems_,
        toolsItems_, helpItems_, toolButtons_;
    QMenu *mRecent_ = nullptr;
    std::array<QAction *, 4> mtemp_{};
    QAction *mScore_ = nullptr;
    QAction *mTime_ = nullptr;
    QAction *mMoves_ = nullptr;

    QTimer tmrMain_;
    QTimer tmrTime_;
    QTimer tmrForward_;
    QTimer tmrBackward_;
    int animationDelay_ = 3;
    QString stateFile_; // set by TARNWICK_STATE_FILE for scripted runs
    bool closePending_ = false;
    bool closing_ = false;
};

} // namespace tw
