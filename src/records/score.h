#pragma once

#include "engine/engine.h"
#include "engine/gamenumber.h"
#include "scoretable.h"
#include "settings/prompt.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

namespace tw {

class cData;

// One recorded game.
struct ScoreRec {
    QString Date; // the date text as recorded; empty in session entries
    QString GName;
    GameNo GNo;
    int32_t Time = 0; // seconds
    int32_t Moves = 0;
    int32_t Score = 0;
    int16_t Status = 0; // 1 won; anything else not won
    QString Player;     // from the score file's name, never stored in it

    // Date read back as local wall-clock time. Invalid when the text is no
    // date: such a record still counts, but belongs to no day, month or year.
    QDate Day;
    QTime TimeOfDay;
    bool HasDate() const { return Day.isValid(); }
    QDateTime When() const { return HasDate() ? QDateTime(Day, TimeOfDay) : QDateTime(); }

    bool operator==(const ScoreRec &) const = default;
};

// One favourite deal.
struct FavRec {
    QString GName;
    GameNo GNo;
    bool operator==(const FavRec &) const = default;
};

// Counts and sums in 64 bits: they hold the true total of any records the
// reader accepts, however large the values a hand-edited file gives.
struct StatTotals {
    int64_t Played = 0;
    int64_t Won = 0;
    int64_t Lost = 0;
    int64_t Score = 0;
    int64_t Moves = 0;
    int64_t Time = 0;
    bool operator==(const StatTotals &) const = default;
};

struct PeriodTotals {
    int64_t Played = 0;
    int64_t Won = 0;
    int64_t Lost = 0;
    QString Label;
    int64_t Score = 0;
    int64_t Moves = 0;
    int64_t Time = 0;
    bool operator==(const PeriodTotals &) const = default;
};

// The record keeper: per-player score files, the session table, the loaded
// table of all players' games with its totals and rankings, the favourites
// file and the statistics report.
class cScore : public RecordSink {
public:
    // Questions, reports and the save dialog go to the prompt, as boxes of
    // the owner window; without a prompt nothing is asked, cleared or
    // exported, and errors go to the log.
    explicit cScore(cData &data, CorePrompt *prompt = nullptr, QWidget *owner = nullptr);
    // The clock of the record dates and of the report.
    std::function<QDateTime()> Now;

    // Number of favourites loaded.
    int16_t FavCount = 0;

    void PrepareDataFolder() override;
    void AddScore(int16_t Status) override;
    void Sort(const QString &GName, const QString &Player, int16_t SortMode);
    void FinSort(bool ByTime, bool ByMoves);
    void OpenScore(const QString &Player);
    void CloseScore();
    void OpenAllScore();
    void ClearStat();
    void ClearFav();
    int32_t ScoreTop() const;
    // The loaded table itself, for lists that show every record without a
    // copy of each.
    const ScoreTable &Table() const { return Scores; }
    void OpenFav();
    // False when the favourite could not be kept; the player has been told.
    bool AddFav(const QString &GName, const GameNo &GNo);
    int16_t FavTop() const { return FavCount; }
    void CloseFav();
    void AddSesGame(int16_t Status) override;
    int16_t SesTop() const { return static_cast<int16_t>(Ses.size()); }
    void ExportStat();

    void SumStats(StatTotals &Totals) const;
    void SumGameStats(const QString &GName, StatTotals &Totals) const;
    void SumPeriodStats(const QString &RefDate, const QString &Interval, PeriodTotals &Totals) const;
    void GetScoreRec(int32_t i, ScoreRec &Rec) const;
    void GetGameRec(const QString &GName, int32_t n, ScoreRec &Rec) const;
    void GetTopRec(int16_t i, ScoreRec &Rec) const;
    void SumPlayerStats(const QString &Player, StatTotals &Totals) const;
    void GetFavRec(int16_t i, FavRec &Rec) const;
    void SumSesStats(StatTotals &Totals) const;
    void GetSesRec(int16_t i, ScoreRec &Rec) const;

    // The score file of a player; empty when the name cannot be a file name
    // or there is no data folder.
    QString ScoreFileName(const QString &Player) const;

private:
    // What the report needs of the settings object, taken in the window
    // thread: the report itself is written away from it.
    struct ReportSource {
        QString prodName;
        QString curPlayer;
        QDateTime now;
        QStringList players; // slots 1 to TotalPlayers
        QStringList files;   // their score files; empty for a name that cannot be one
        QStringList games;   // the catalogue, 1 to TotalGames
    };
    ReportSource reportSource() const;
    enum class Written { Yes, No, Cancelled };
    // Writes the report into FileName from a table of its own, so a window's
    // loaded table is left alone; Yes only when the file was really written.
    // It uses nothing but its arguments, so it may run on a thread of its
    // own. Files that cannot be read are told in `errors`, why the report
    // was not written in `why`.
    static Written WriteScoreboard(const QString &FileName, const ReportSource &source,
                                   const CorePrompt::Progress &progress, QStringList &errors, QString &why);
    // Adds one player's score file to a table: what went wrong, or nothing.
    static QString readScoreFile(ScoreTable &table, const QString &path, const QString &player);

    // False when a player's file could not be read (reported already).
    bool loadAll(ScoreTable &table) const;
    bool loadPlayer(ScoreTable &table, const QString &Player) const;
    void reportError(const QString &text) const;
    void emptyTop();
    // The data folder, made when missing; false when it cannot be used. The
    // player is told why once, not at every game.
    bool dataFolderReady();
    QString favFileName() const;

    cData &data_;
    CorePrompt *prompt_ = nullptr;
    QWidget *owner_ = nullptr;

    ScoreTable Scores;
    std::array<ScoreRec, 21> Top;
    std::vector<FavRec> Favs;
    std::vector<ScoreRec> Ses;
    // Positions of each game's records, built on the first GetGameRec.
    mutable std::vector<std::vector<uint32_t>> byGame_;
    QString folderProblem_; // the last one told
};

} // namespace tw
