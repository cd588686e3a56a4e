#pragma once

#include "cards.h"
#include "engine/engine.h"
#include "settings/data.h"

#include <QMainWindow>
#include <QPointer>
#include <QRegion>
#include <QTimer>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QAction;
class QMenu;
class QToolBar;

namespace tw {

class cScore;
class Prompt;
struct AppContext;
struct GameContext;

// The items of the main window's menus and its toolbar buttons, each valued by
// its place from the top (the left), counted from 1 with the separators.
enum class FileItem {
    NewGame = 1,
    SelectGame,
    Separator1,
    RestartGame,
    CloseGame,
    Separator2,
    SelectNumber,
    Separator3,
    RecentGames,
    Separator4,
    Exit,
};
enum class GameItem { Undo = 1, Redo, Separator1, Autoplay, Separator2, UndoAll, RedoAll, Separator3, ViewToolbar };
enum class ReplayItem { Forward = 1, Back, Separator1, ReplayAll, Separator2, Stop };
enum class FavItem { AddToFavorites = 1, OrganizeFavorites, Separator1, PlayFromFavorites };
enum class StatItem { GameStatistics = 1, SessionStatistics, Separator1, HighScores, Separator2, LogStatistics };
enum class ToolsItem { Customize = 1, Separator1, Players, Separator2, History };
enum class HelpItem { Rules = 1, Contents, Separator1, About };
enum class ToolbarButton {
    New = 1,
    Select,
    Restart,
    Separator1,
    Autoplay,
    Separator2,
    Undo,
    Redo,
    Separator3,
    Back,
    ReplayStop,
    Forward,
    Separator4,
    Statistics,
    Separator5,
    Help,
};

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
    QelEmpty *markerControl(MarkerKind kind, int index);
    QToolBar *Toolbar1() { return toolbar_; }
    GameContext context();
    AppContext appContext();

    // Menu handlers: one per menu, switching on the item. Recent games are
    // numbered 1 to 5 as in the recent list.
    void mFile_Click(FileItem item);
    void mRecent_Click(int index);
    void mGame_Click(GameItem item);
    void mReplay_Click(ReplayItem item);
    void mFav_Click(FavItem item);
    void mStat_Click(StatItem item);
    void mTools_Click(ToolsItem item);
    void mHelp_Click(HelpItem item);
    // A button calls its menu item's handler.
    void Toolbar1_ButtonClick(ToolbarButton button);

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

    // Starts a deal with the engine's start-game routine, as every window
    // asks for one, then closes the window if a close came during the deal.
    void startDeal(const QString &name, const GameNo &number);

    QAction *item(FileItem i) const { return fileItems_.at(static_cast<size_t>(i)); }
    QAction *item(GameItem i) const { return gameItems_.at(static_cast<size_t>(i)); }
    QAction *item(ReplayItem i) const { return replayItems_.at(static_cast<size_t>(i)); }
    QAction *item(FavItem i) const { return favItems_.at(static_cast<size_t>(i)); }
    QAction *item(StatItem i) const { return statItems_.at(static_cast<size_t>(i)); }
    QAction *item(ToolsItem i) const { return toolsItems_.at(static_cast<size_t>(i)); }
    QAction *item(HelpItem i) const { return helpItems_.at(static_cast<size_t>(i)); }
    QAction *recentItem(int index) const { return recentItems_.at(static_cast<size_t>(index)); }
    QAction *toolButton(ToolbarButton b) const { return toolButtons_.at(static_cast<size_t>(b)); }
    QAction *mScore() const { return mScore_; }
    QAction *mTime() const { return mTime_; }
    QAction *mMoves() const { return mMoves_; }
    QTimer &tmrForward() { return tmrForward_; }
    QTimer &tmrBackward() { return tmrBackward_; }

    // Milliseconds each animation step is shown; 0 in tests.
    void setAnimationDelay(int ms) { animationDelay_ = ms; }
    // What the next RefreshTable repaints: the places, in table pixels, that
    // cards and markers left or entered since the last one.
    const QRegion &pendingRepaint() const { return dirty_; }

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
    void HoldDrawing(bool hold) override;
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
    void buildMenus();
    void buildToolbar();
    void SetDeckPics();
    void showSelect(bool modal);
    void showChoose();
    void showHistory();
    void showAbout();
    void replayTick(bool forward);
    // Tells the player, once for each new reason, when the settings file
    // cannot be used.
    void tellSettingsProblem();
    void touch(const QRect &r);

    cData &data_;
    Prompt &prompt_;
    std::unique_ptr<cScore> score_;
    std::unique_ptr<Engine> engine_;

    QWidget *central_ = nullptr;
    QWidget *picBack_ = nullptr;
    QWidget *picMain_ = nullptr;
    QToolBar *toolbar_ = nullptr;
    std::array<QelCard *, MaxCards> cards_{};
    std::array<QelEmpty *, Engine::HomeMarkers> picHome_{};
    std::array<QelEmpty *, Engine::RightMarkers> picRight_{};
    std::array<QelEmpty *, Engine::ResMarkers> picRes_{};
    QelEmpty *picWaste_ = nullptr;
    QelEmpty *picStock_ = nullptr;

    // Element 0 is unused so that an item's value is its element.
    std::vector<QAction *> fileItems_, recentItems_, gameItems_, replayItems_, favItems_, statItems_, toolsItems_,
        helpItems_, toolButtons_;
    QMenu *mRecent_ = nullptr;
    std::optional<std::array<QString, cData::RecentSlots>> shownRecent_; // the names the recent items show
    std::array<QAction *, 4> mtemp_{};
    QAction *mScore_ = nullptr;
    QAction *mTime_ = nullptr;
    QAction *mMoves_ = nullptr;

    // The menu and toolbar states are polled every MenuPollMs; the status
    // captions and a replay step come every StatusTickMs.
    static constexpr int MenuPollMs = 100;
    static constexpr int StatusTickMs = 500;
    QTimer tmrMain_;
    QTimer tmrTime_;
    QTimer tmrForward_;
    QTimer tmrBackward_;
    int animationDelay_ = 3;
    QRegion dirty_;
    QString stateFile_;             // set by TARNWICK_STATE_FILE for scripted runs
    bool closePending_ = false;     // a close asked for during a deal, done after it
    bool closeAskedInDeal_ = false; // so the game just dealt is not recorded
    bool closing_ = false;
    QString settingsProblem_; // the last one told
};

} // namespace tw
