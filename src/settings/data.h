#pragma once

#include "engine/gamenumber.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

namespace tw {

class SettingsStore;

// Plays the embedded sounds. The program's player sits on Qt Multimedia; tests
// use a recording fake.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // Plays the named resource ("UNDO", "WIN", ...), stopping any sound that
    // still plays. Must return at once and fail silently.
    virtual void Play(const QString &resource) = 0;
};

// Opens the help: the contents page, or a variant's rules page by its number.
class HelpViewer {
public:
    virtual ~HelpViewer() = default;
    virtual void ShowRules(int context) = 0;
    virtual void ShowContents() = 0;
};

// The settings and state object: product constants, the table of variant
// names, the state of the session and of the running game, and every stored
// setting. Settings are read from the store on every access, never cached
// here, so a value written by one window is seen by the next read, and one
// written from outside once the store has heard of it (store.h).
class cData {
public:
    explicit cData(SettingsStore &store);

    void InitCD(const QString &ProdName, int16_t TotalGames, const QString &HelpFile);
    QString ProdName() const { return prodName_; }
    int16_t TotalGames() const { return totalGames_; }
    // The data folder, always ending with a slash; empty when the user has no
    // home folder to keep it in.
    QString AppDir() const;
    // Makes the data folder when it is missing, never creating anything
    // outside the user's own folders. Empty when the folder can be used;
    // otherwise, in plain words for the player, where it was to be and why it
    // cannot be used.
    QString PrepareAppDir() const;
    void SetGame(int16_t i, const QString &Name);
    QString GetGName(int16_t i) const;
    QString HelpFile() const { return helpFile_; }

    QString SesStartTime() const { return dateText(sesStart_); }
    void SesStartTime(const QDateTime &t) { sesStart_ = t; }
    QDateTime SesStart() const { return sesStart_; }
    QString GameStartTime() const { return dateText(gameStart_); }
    void GameStartTime(const QDateTime &t)
    {
        gameStart_ = t;
        gameStartSecs_ = t.isValid() ? t.toSecsSinceEpoch() : 0;
    }
    QDateTime GameStart() const { return gameStart_; }
    // The start as seconds since the epoch, converted once.
    qint64 GameStartSecs() const { return gameStartSecs_; }
    bool GameRunning() const { return gameRunning_; }
    void GameRunning(bool v) { gameRunning_ = v; }

    QString CurGName() const { return curGName_; }
    void CurGName(const QString &v); // also stored as LastGName
    GameNo CurGNo() const { return curGNo_; }
    void CurGNo(const GameNo &v) { curGNo_ = v; }
    int32_t CurTime() const { return curTime_; }
    void CurTime(int32_t v) { curTime_ = v; }
    int16_t CurMoves() const { return curMoves_; }
    void CurMoves(int16_t v) { curMoves_ = v; }
    int16_t CurScore() const { return curScore_; }
    void CurScore(int16_t v) { curScore_ = v; }

    QString CurPlayer() const;
    void CurPlayer(const QString &v);
    QString LastGName() const;
    void LastGName(const QString &v);
    int16_t Autoplay() const { return GetDataInt(QStringLiteral("Autoplay"), 1); }
    void Autoplay(int16_t v) { SaveDataInt(QStringLiteral("Autoplay"), v); }
    int32_t CustomColor() const;
    void CustomColor(int32_t v);

    // Animation steps the options dialog offers; a speed drives a loop of
    // repaints, so a stored value beyond them must not be taken as it is.
    static constexpr int16_t MinSpeed = 0;
    static constexpr int16_t MaxSpeed = 50;
    // The card speed at which every move takes the steps it always took.
    static constexpr int16_t DefaultCardSpeed = 5;
    // Random game numbers run from 1 to 10^RangeIndex - 1.
    static constexpr int16_t MinRange = 1;
    static constexpr int16_t MaxRange = 15;

// A value outside [lo, hi] reads as the nearest end; the stored text stays.
#define TW_DATA_RANGED(name, def, lo, hi)                                                                              \
    int16_t name() const { return GetDataInt(QStringLiteral(#name), def, lo, hi); }                                    \
    void name(int16_t v) { SaveDataInt(QStringLiteral(#name), v); }
#define TW_DATA_INT(name, def) TW_DATA_RANGED(name, def, INT16_MIN, INT16_MAX)
    TW_DATA_INT(ShowToolbar, 1)
    TW_DATA_RANGED(CardSpeed, DefaultCardSpeed, MinSpeed, MaxSpeed)
    TW_DATA_RANGED(UndoSpeed, 5, MinSpeed, MaxSpeed)
    TW_DATA_RANGED(UndoallSpeed, 2, MinSpeed, MaxSpeed)
    TW_DATA_RANGED(ReplaySpeed, 7, MinSpeed, MaxSpeed)
    TW_DATA_INT(SoundStart, -1)
    TW_DATA_INT(SoundCardDown, 0)
    TW_DATA_INT(SoundCardUp, 0)
    TW_DATA_INT(SoundUndo, -1)
    TW_DATA_INT(SoundRedo, -1)
    TW_DATA_INT(SoundAutoPlay, -1)
    TW_DATA_INT(SoundWin, -1)
    TW_DATA_INT(ShowTime, 1)
    TW_DATA_INT(ShowScore, 1)
    TW_DATA_INT(ShowMoves, 1)
    TW_DATA_INT(BGIndex, 1007)
    TW_DATA_RANGED(RangeIndex, 15, MinRange, MaxRange)
    TW_DATA_INT(DeckIndex, 531)
    TW_DATA_INT(Fade, 1)
#undef TW_DATA_INT
#undef TW_DATA_RANGED

    int16_t TotalPlayers() const;
    QString GetPlayer(int16_t i) const;
    void SetPlayer(int16_t i, const QString &Name, bool MakeCurrent);
    // The recent-games list: slots 1 to RecentSlots, the last game first.
    static constexpr int16_t RecentSlots = 5;
    QString GetRecent(int16_t i) const;
    void SetRecent(const QString &Name);
    int16_t RecentCount() const;
    void ClearRecent();

    // Resources. The pictures and the background painter need a GUI: they
    // are the members of Pictures (media/resources.h).
    std::optional<std::pair<QString, int32_t>> GetCol(int16_t Index) const;
    int16_t GetGameID(const QString &Name) const;
    void PlaySound(const QString &Name) const;
    void ShowRules(const QString &GName) const;
    void ShowContents() const;

    // Platform hooks.
    void SetSoundPlayer(SoundPlayer *p) { sound_ = p; }
    void SetHelpViewer(HelpViewer *h) { help_ = h; }
    void SetAppDataLookup(std::function<QString()> f) { appDataLookup_ = std::move(f); }
    SettingsStore &Store() const { return store_; }

    // The text form of every date the program stores or shows.
    static QString dateText(const QDateTime &t);

private:
    int16_t GetDataInt(const QString &Key, int16_t Default, int16_t Min = INT16_MIN, int16_t Max = INT16_MAX) const;
    void SaveDataInt(const QString &Key, int16_t Value);

    SettingsStore &store_;
    SoundPlayer *sound_ = nullptr;
    HelpViewer *help_ = nullptr;
    std::function<QString()> appDataLookup_;

    QString prodName_;
    int16_t totalGames_ = 0;
    QString helpFile_;
    QStringList gameNames_;
    QDateTime sesStart_;
    QDateTime gameStart_;
    qint64 gameStartSecs_ = 0;
    bool gameRunning_ = false;
    QString curGName_;
    GameNo curGNo_;
    int32_t curTime_ = 0;
    int16_t curMoves_ = 0;
    int16_t curScore_ = 0;
};

// Shared routines of the settings layer.
QString WonLost(int16_t Status);
int16_t ColorPart(int32_t Color, int16_t Part);
std::optional<std::pair<QString, int32_t>> GetColorEntry(int16_t Index);
// The user's own folder: $HOME when it names one, else the home the user
// database gives this user; empty when neither names a folder other than the
// root of the filesystem. Nothing of the program's is kept outside it.
QString UserHome();
// The choice above from its two candidates (an unset variable is empty).
QString ChooseUserHome(const QString &homeVariable, const QString &databaseHome);
// The per-user data location ($XDG_DATA_HOME, else .local/share in the
// user's home) and settings location ($XDG_CONFIG_HOME, else .config); empty
// when there is neither.
QString GetAppDataDir();
QString GetConfigDir();
// Converts stored text to a 16-bit integer the way the settings do: blanks
// allowed, a fraction of one half to the even neighbour; nullopt when the text
// is no number or does not fit.
std::optional<int16_t> textToInt16(const QString &text);
std::optional<int32_t> textToInt32(const QString &text);

// Why a file or folder could not be used, in plain words for the player,
// from the system's error number: "permission denied", "the disk is full",
// "it is a folder, not a file", ...
QString FileErrorText(int error);
// Why what stands where a file should be is no file to keep anything in,
// from its mode as stat gives it: empty for a regular file, else "it is a
// folder, not a file" or "it is not a regular file" (a FIFO, a socket, a
// device).
QString FileKindText(unsigned mode);
// A message about a file: what could not be done with it (naming it) and why,
// "The game could not be recorded in /x/P.sre: permission denied."
QString FileMessage(const QString &what, const QString &why);

} // namespace tw
