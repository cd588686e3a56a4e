#include "score.h"

#include "engine/clock.h"
#include "engine/numeric.h"
#include "settings/data.h"
#include "zoneprinter.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QSaveFile>
#include <QtDebug>

#include <cerrno>
#include <exception>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>
#include <unordered_map>

namespace tw {

using namespace recordfile;

namespace {

const QString kFavFile = QStringLiteral("fav.dat");
// Both counts are 16-bit: entries beyond this are not taken.
constexpr size_t kMax16 = std::numeric_limits<int16_t>::max();

QString badNameText(const QString &name)
{
    return QStringLiteral("\"") + name + QStringLiteral("\" cannot be used as the name of a score file.");
}

// Sums in 64 bits: no history of records a reader accepts (each value 32-bit)
// comes near their end, so every total is the true one.
struct Acc {
    qint64 played = 0, won = 0, score = 0, moves = 0, time = 0;
    void add(int16_t status, qint64 sc, qint64 mv, qint64 tm)
    {
        ++played;
        if (status == 1)
            ++won;
        score += sc;
        moves += mv;
        time += tm;
    }
    StatTotals totals() const { return StatTotals{played, won, played - won, score, moves, time}; }
};

// Totals over a table; a filter index of -1 takes every record.
StatTotals tableTotals(const ScoreTable &table, int64_t game, int64_t player)
{
    Acc a;
    for (const ScoreTable::Row &r : table.rows()) {
        if (game >= 0 && r.game != game)
            continue;
        if (player >= 0 && r.player != player)
            continue;
        a.add(r.status, r.score, r.moves, r.time);
    }
    return a.totals();
}

StatTotals gameTotals(const ScoreTable &table, const QString &name)
{
    const int64_t g = table.gameIndex(name);
    return g < 0 ? StatTotals{} : tableTotals(table, g, -1);
}

StatTotals playerTotals(const ScoreTable &table, const QString &name)
{
    const int64_t p = table.playerIndex(name);
    return p < 0 ? StatTotals{} : tableTotals(table, -1, p);
}

int64_t julianDay(Stamp s)
{
    int64_t jd = s / 86400;
    if (s % 86400 < 0)
        --jd;
    return jd;
}

} // namespace

cScore::cScore(cData &data, CorePrompt *prompt, QWidget *owner)
    : Now([] { return QDateTime::currentDateTime(); }), data_(data), prompt_(prompt), owner_(owner)
{
}

void cScore::reportError(const QString &text) const
{
    if (prompt_)
        prompt_->Error(owner_, text);
    else
        qWarning().noquote() << text;
}

QString cScore::ScoreFileName(const QString &Player) const
{
    const QString dir = data_.AppDir();
    if (!isSafeFileName(Player) || dir.isEmpty())
        return QString();
    return dir + Player + QStringLiteral(".sre");
}

QString cScore::favFileName() const
{
    const QString dir = data_.AppDir();
    return dir.isEmpty() ? QString() : dir + kFavFile;
}

bool cScore::dataFolderReady()
{
    const QString problem = data_.PrepareAppDir();
    if (problem.isEmpty()) {
        folderProblem_.clear();
        return true;
    }
    if (problem != folderProblem_) {
        reportError(problem);
        folderProblem_ = problem;
    }
    return false;
}

void cScore::PrepareDataFolder() { dataFolderReady(); }

void cScore::AddScore(int16_t Status)
{
    // Called from the end of a game, inside a move: a failure is reported and
    // the game goes on; nothing may escape into the event loop.
    try {
        if (!dataFolderReady())
            return;
        const QString player = data_.CurPlayer();
        const QString path = ScoreFileName(player);
        if (path.isEmpty()) {
            reportError(badNameText(player));
            return;
        }
        const QByteArray line = scoreLine(recordDateText(Now()), data_.CurGName(), data_.CurGNo(), data_.CurTime(),
                                          data_.CurMoves(), data_.CurScore(), Status);
        QString why;
        if (!appendLine(path, line, &why))
            reportError(FileMessage(QStringLiteral("The game could not be recorded in ") + path, why));
    } catch (const std::exception &e) {
        reportError(QStringLiteral("The game could not be recorded: ") + QString::fromLocal8Bit(e.what()));
    }
}

void cScore::AddSesGame(int16_t Status)
{
    if (Ses.size() >= kMax16)
        return;
    ScoreRec r;
    r.GName = data_.CurGName();
    r.GNo = data_.CurGNo();
    r.Moves = data_.CurMoves();
    r.Score = data_.CurScore();
    r.Time = data_.CurTime();
    r.Status = Status;
    r.Player = data_.CurPlayer();
    Ses.push_back(std::move(r));
}

QString cScore::readScoreFile(ScoreTable &table, const QString &path, const QString &player)
{
    QByteArray bytes;
    QString why;
    if (!readRecordFile(path, bytes, why))
        return FileMessage(QStringLiteral("The score file ") + path + QStringLiteral(" could not be read"), why);
    table.addLines(bytes, player);
    return QString();
}

bool cScore::loadPlayer(ScoreTable &table, const QString &Player) const
{
    if (data_.AppDir().isEmpty())
        return true; // no data folder, no files
    const QString path = ScoreFileName(Player);
    if (path.isEmpty()) {
        reportError(badNameText(Player));
        return false;
    }
    const QString error = readScoreFile(table, path, Player);
    if (!error.isEmpty())
        reportError(error);
    return error.isEmpty();
}

bool cScore::loadAll(ScoreTable &table) const
{
    table.clear();
    const int16_t n = data_.TotalPlayers();
    // Room for every file's lines at once: growing a large table step by step
    // would copy it again and again and briefly hold it twice.
    qint64 bytes = 0;
    for (int16_t i = 1; i <= n; ++i) {
        const QString path = ScoreFileName(data_.GetPlayer(i));
        if (!path.isEmpty())
            bytes += QFileInfo(path).size();
    }
    table.reserveForBytes(bytes);
    bool complete = true;
    for (int16_t i = 1; i <= n; ++i)
        complete = loadPlayer(table, data_.GetPlayer(i)) && complete;
    return complete;
}

void cScore::OpenScore(const QString &Player)
{
    byGame_.clear();
    loadPlayer(Scores, Player);
}

void cScore::OpenAllScore()
{
    byGame_.clear();
    loadAll(Scores);
}

void cScore::emptyTop() { Top.fill(ScoreRec()); }

void cScore::CloseScore()
{
    byGame_.clear();
    Scores.clear();
    emptyTop();
}

int32_t cScore::ScoreTop() const { return clamp32(Scores.size()); }

void cScore::ClearStat()
{
    if (!prompt_)
        return;
    // Deleting every player's games: Enter answers No.
    if (!prompt_->Confirm(
            owner_,
            QStringLiteral(
                "Are you sure you want to clear the Statistics, High Score and Log for all Players and all Games ?"),
            CorePrompt::Icon::Question, CorePrompt::Default::No))
        return;
    QStringList failed;
    const int16_t n = data_.TotalPlayers();
    for (int16_t i = 1; i <= n; ++i) {
        const QString name = data_.GetPlayer(i);
        const QString path = ScoreFileName(name);
        // A name that cannot be a file name has no file to delete.
        QString why;
        if (!path.isEmpty() && !removeRecordFile(path, why))
            failed << name + QStringLiteral(" (") + path + QStringLiteral(": ") + why + u')';
    }
    if (failed.isEmpty())
        prompt_->Info(owner_, QStringLiteral("Statistics, High Score and Log have been Cleared."));
    else
        prompt_->Error(owner_, QStringLiteral("The statistics of these players could not be cleared: ")
                                   + failed.join(QStringLiteral(", ")) + u'.');
}

void cScore::OpenFav()
{
    Favs.clear();
    FavCount = 0;
    const QString path = favFileName();
    if (path.isEmpty())
        return;
    QByteArray bytes;
    QString why;
    if (!readRecordFile(path, bytes, why)) {
        reportError(
            FileMessage(QStringLiteral("The favourites file ") + path + QStringLiteral(" could not be read"), why));
        return;
    }
    forEachLine(bytes, [&](const char *b, const char *e) {
        if (b == e || Favs.size() >= kMax16)
            return;
        Item it[2];
        if (splitItems(b, e, it, 2) != 2 || !it[0].quoted)
            return;
        const bool utf8 = lineIsUtf8(b, e - b);
        FavRec f;
        f.GName = itemText(it[0], utf8);
        if (it[1].quoted) {
            f.GNo = GameNo::text(itemText(it[1], utf8));
        } else {
            qint64 n = 0;
            if (!parseInteger(it[1], n))
                return;
            f.GNo = GameNo::number(n);
        }
        Favs.push_back(std::move(f));
    });
    FavCount = static_cast<int16_t>(Favs.size());
}

bool cScore::AddFav(const QString &GName, const GameNo &GNo)
{
    // The player asked for it: a folder that cannot be used is said every
    // time, not only the first.
    const QString problem = data_.PrepareAppDir();
    folderProblem_ = problem;
    if (!problem.isEmpty()) {
        reportError(problem);
        return false;
    }
    const QString path = favFileName();
    QString why;
    if (!appendLine(path, favLine(GName, GNo), &why)) {
        reportError(FileMessage(QStringLiteral("The favourite could not be saved in ") + path, why));
        return false;
    }
    return true;
}

void cScore::ClearFav()
{
    const QString path = favFileName();
    QString why;
    if (!path.isEmpty() && !removeRecordFile(path, why))
        reportError(
            FileMessage(QStringLiteral("The favourites file ") + path + QStringLiteral(" could not be deleted"), why));
}

void cScore::CloseFav()
{
    Favs.clear();
    FavCount = 0;
}

void cScore::SumStats(StatTotals &Totals) const { Totals = tableTotals(Scores, -1, -1); }

void cScore::SumGameStats(const QString &GName, StatTotals &Totals) const { Totals = gameTotals(Scores, GName); }

void cScore::SumPlayerStats(const QString &Player, StatTotals &Totals) const { Totals = playerTotals(Scores, Player); }

void cScore::SumSesStats(StatTotals &Totals) const
{
    Acc a;
    for (const ScoreRec &r : Ses)
        a.add(r.Status, r.Score, r.Moves, r.Time);
    Totals = a.totals();
}

void cScore::SumPeriodStats(const QString &RefDate, const QString &Interval, PeriodTotals &Totals) const
{
    Totals = PeriodTotals();
    const Stamp ref = parseDateStamp(RefDate);
    if (ref == NoStamp)
        return;
    const QDate rd = stampDate(ref);
    QDate first, last;
    QString format;
    if (Interval == u"d") {
        first = last = rd;
        format = QStringLiteral("MMM dd");
    } else if (Interval == u"m") {
        first = QDate(rd.year(), rd.month(), 1);
        last = first.addMonths(1).addDays(-1);
        format = QStringLiteral("MMM yy");
    } else if (Interval == u"yyyy") {
        first = QDate(rd.year(), 1, 1);
        last = QDate(rd.year(), 12, 31);
        format = QStringLiteral("yyyy");
    } else {
        return;
    }
    const int64_t lo = first.toJulianDay();
    const int64_t hi = last.toJulianDay();
    Acc a;
    for (const ScoreTable::Row &r : Scores.rows()) {
        // A record whose date could not be read belongs to no period.
        if (r.stamp == NoStamp)
            continue;
        const int64_t jd = julianDay(r.stamp);
        if (jd >= lo && jd <= hi)
            a.add(r.status, r.score, r.moves, r.time);
    }
    const StatTotals t = a.totals();
    Totals.Played = t.Played;
    Totals.Won = t.Won;
    Totals.Lost = t.Lost;
    Totals.Label = QLocale().toString(rd, format);
    Totals.Score = t.Score;
    Totals.Moves = t.Moves;
    Totals.Time = t.Time;
}

void cScore::Sort(const QString &GName, const QString &Player, int16_t SortMode)
{
    emptyTop();
    int64_t game = -1, player = -1;
    if (!GName.isEmpty() && (game = Scores.gameIndex(GName)) < 0)
        return;
    if (!Player.isEmpty() && (player = Scores.playerIndex(Player)) < 0)
        return;

    // Slots 1..20 in descending order of score; an empty slot scores 0, which
    // every ranked record beats.
    std::array<int32_t, 21> slotScore{};
    std::array<int64_t, 21> slotRow;
    slotRow.fill(-1);
    const auto &rows = Scores.rows();
    for (size_t i = 0; i < rows.size(); ++i) {
        const ScoreTable::Row &r = rows[i];
        if (r.score <= 0 || (SortMode == 1 && r.status == 0))
            continue;
        if ((game >= 0 && r.game != game) || (player >= 0 && r.player != player))
            continue;
        if (slotScore[20] > r.score)
            continue; // twenty higher scores already
        int p = 1;
        while (slotScore[p] > r.score)
            ++p;
        // Equal scores: the later record goes first.
        for (int k = 20; k > p; --k) {
            slotScore[k] = slotScore[k - 1];
            slotRow[k] = slotRow[k - 1];
        }
        slotScore[p] = r.score;
        slotRow[p] = static_cast<int64_t>(i);
    }
    for (int k = 1; k <= 20; ++k)
        if (slotRow[k] >= 0)
            Top[k] = Scores.record(slotRow[k]);
}

void cScore::FinSort(bool ByTime, bool ByMoves)
{
    emptyTop();
    if (!ByTime && !ByMoves)
        return;
    // Ascending by key; equal keys put the later record first. A won game
    // with no time or no moves (or a negative time from a clock set back) is
    // no achievement and is not ranked.
    std::array<int32_t, 21> slotKey{};
    std::array<int64_t, 21> slotRow;
    slotRow.fill(-1);
    int filled = 0;
    const auto &rows = Scores.rows();
    for (size_t i = 0; i < rows.size(); ++i) {
        const ScoreTable::Row &r = rows[i];
        if (r.status != 1)
            continue;
        const int32_t key = ByMoves ? r.moves : r.time;
        if (key <= 0)
            continue;
        if (filled == 20 && slotKey[20] < key)
            continue;
        int p = 1;
        while (p <= filled && slotKey[p] < key)
            ++p;
        for (int k = 20; k > p; --k) {
            slotKey[k] = slotKey[k - 1];
            slotRow[k] = slotRow[k - 1];
        }
        slotKey[p] = key;
        slotRow[p] = static_cast<int64_t>(i);
        if (filled < 20)
            ++filled;
    }
    for (int k = 1; k <= 20; ++k)
        if (slotRow[k] >= 0)
            Top[k] = Scores.record(slotRow[k]);
}

void cScore::GetScoreRec(int32_t i, ScoreRec &Rec) const { Rec = Scores.record(static_cast<qsizetype>(i) - 1); }

void cScore::GetGameRec(const QString &GName, int32_t n, ScoreRec &Rec) const
{
    Rec = ScoreRec();
    const int64_t g = Scores.gameIndex(GName);
    if (g < 0 || n < 1)
        return;
    if (byGame_.empty()) {
        const auto &rows = Scores.rows();
        for (size_t i = 0; i < rows.size(); ++i) {
            if (rows[i].game >= byGame_.size())
                byGame_.resize(rows[i].game + 1);
            byGame_[rows[i].game].push_back(static_cast<uint32_t>(i));
        }
    }
    if (static_cast<size_t>(g) >= byGame_.size())
        return;
    const auto &positions = byGame_[static_cast<size_t>(g)];
    if (static_cast<size_t>(n) > positions.size())
        return;
    Rec = Scores.record(positions[static_cast<size_t>(n) - 1]);
}

void cScore::GetTopRec(int16_t i, ScoreRec &Rec) const
{
    Rec = (i >= 0 && i <= 20) ? Top[static_cast<size_t>(i)] : ScoreRec();
}

void cScore::GetFavRec(int16_t i, FavRec &Rec) const
{
    const int16_t top = std::min<int16_t>(FavCount, static_cast<int16_t>(Favs.size()));
    Rec = (i >= 1 && i <= top) ? Favs[static_cast<size_t>(i) - 1] : FavRec();
}

void cScore::GetSesRec(int16_t i, ScoreRec &Rec) const
{
    Rec = (i >= 1 && static_cast<size_t>(i) <= Ses.size()) ? Ses[static_cast<size_t>(i) - 1] : ScoreRec();
}

void cScore::ExportStat()
{
    if (!prompt_)
        return;
    const std::optional<QString> name =
        prompt_->SaveFileName(owner_, QStringLiteral("Scoreboard"), QStringLiteral("Text File (*.txt)"));
    if (!name || name->isEmpty())
        return;
    const ReportSource source = reportSource();
    QStringList errors;
    QString why;
    Written outcome = Written::No;
    prompt_->RunLong(owner_, QStringLiteral("Exporting the statistics to ") + *name,
                     [&](const CorePrompt::Progress &progress) {
                         outcome = WriteScoreboard(*name, source, progress, errors, why);
                         return outcome == Written::Yes;
                     });
    for (const QString &e : errors)
        reportError(e);
    // Cancelled: nothing written, nothing to tell.
    if (outcome == Written::Yes)
        prompt_->Info(owner_, QStringLiteral("Statistics Successfully Exported to ") + *name);
    else if (outcome == Written::No)
        prompt_->Error(owner_, FileMessage(QStringLiteral("The statistics could not be exported to ") + *name, why));
}

cScore::ReportSource cScore::reportSource() const
{
    ReportSource s;
    s.prodName = data_.ProdName();
    s.curPlayer = data_.CurPlayer();
    s.now = Now();
    const int16_t players = data_.TotalPlayers();
    for (int16_t i = 1; i <= players; ++i) {
        s.players << data_.GetPlayer(i);
        s.files << ScoreFileName(s.players.last());
    }
    const int16_t games = data_.TotalGames();
    for (int16_t i = 1; i <= games; ++i)
        s.games << data_.GetGName(i);
    return s;
}

namespace {

// A text of the report made once and used on many lines.
struct Piece {
    QByteArray utf8;
    qsizetype columns = 0;
    explicit Piece(const QString &s = QString()) : utf8(s.toUtf8()), columns(s.size()) {}
};

// Why the last call on a file failed: the system's error number where it left
// one, else the file's own text.
QString lastFileError(const QFileDevice &file, int error)
{
    return error != 0 ? FileErrorText(error) : file.errorString();
}

} // namespace

cScore::Written cScore::WriteScoreboard(const QString &FileName, const ReportSource &source,
                                        const CorePrompt::Progress &progress, QStringList &errors, QString &why)
{
    // The report takes the place of a file, never of a folder, a FIFO or a
    // device that stands where the player pointed.
    struct stat st {};
    if (::stat(QFile::encodeName(FileName).constData(), &st) == 0 && !S_ISREG(st.st_mode)) {
        why = FileKindText(st.st_mode);
        return Written::No;
    }
    // The old file stays as it was unless the whole report is written; an
    // early return discards what was written. Unbuffered: a write that does
    // not fit on the disk fails where it is made, not in a flush at commit,
    // whose failure the commit would not see.
    QSaveFile file(FileName);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        why = lastFileError(file, errno);
        return Written::No;
    }

    // Progress counts the bytes of the score files twice: read, then written
    // out as the report.
    ScoreTable table;
    std::vector<qint64> sizes;
    qint64 bytes = 0;
    for (const QString &f : source.files) {
        sizes.push_back(f.isEmpty() ? 0 : QFileInfo(f).size());
        bytes += sizes.back();
    }
    const qint64 total = 2 * bytes + 1;
    table.reserveForBytes(bytes);
    qint64 done = 0;
    bool complete = true;
    for (qsizetype i = 0; i < source.players.size(); ++i) {
        // A report that misses a player's games is no success.
        const QString error = source.files[i].isEmpty() ? badNameText(source.players[i])
                                                        : readScoreFile(table, source.files[i], source.players[i]);
        if (!error.isEmpty()) {
            errors << error;
            complete = false;
        }
        done += sizes[static_cast<size_t>(i)];
        if (!progress(std::min(done, bytes), total))
            return Written::Cancelled;
    }
    if (!complete) {
        why = QStringLiteral("not every score file could be read");
        return Written::No;
    }

    // Every total in one pass over the records.
    Acc all;
    std::vector<Acc> byGame(static_cast<size_t>(table.gameNames().size()));
    std::vector<Acc> byPlayer(static_cast<size_t>(table.playerNames().size()));
    for (const ScoreTable::Row &r : table.rows()) {
        all.add(r.status, r.score, r.moves, r.time);
        byGame[r.game].add(r.status, r.score, r.moves, r.time);
        byPlayer[r.player].add(r.status, r.score, r.moves, r.time);
    }
    auto totalsOf = [](const std::vector<Acc> &acc, int64_t index) {
        return index < 0 ? StatTotals{} : acc[static_cast<size_t>(index)].totals();
    };

    // Lines go out in blocks: a report of a long history is large.
    constexpr qsizetype kBlock = 1 << 20;
    QByteArray block;
    block.reserve(kBlock + 4096);
    bool written = true;
    auto flush = [&] {
        if (written && !block.isEmpty()) {
            errno = 0;
            written = file.write(block) == block.size();
            if (!written)
                why = lastFileError(file, errno);
        }
        block.resize(0);
    };
    ZonePrinter z(&block);
    QByteArray timeBytes;
    auto time = [&](qint64 seconds) -> ZonePrinter & {
        timeBytes.resize(0);
        AppendTime(timeBytes, seconds);
        return z.text(timeBytes, timeBytes.size());
    };

    const QString blank = QStringLiteral(" ");
    z.line(source.prodName + QStringLiteral(" Score Board"));
    z.line(blank);
    z.line(QString(25, u'*'));
    z.line(blank);
    z.text(QStringLiteral("Created By")).zone().text(source.curPlayer).endLine();
    z.text(QStringLiteral("Created Date")).zone().text(recordDateText(source.now)).endLine();
    z.line(blank);
    z.line(QString(34, u'-'));
    z.line(blank);

    auto headers = [&z](std::initializer_list<const char *> items) {
        bool first = true;
        for (const char *h : items) {
            if (!first)
                z.zone();
            z.text(QLatin1String(h));
            first = false;
        }
        z.endLine();
    };

    z.line(QStringLiteral("General Statistics"));
    z.line(QString(18, u'-'));
    headers({"Played", "Won", "Lost", "Time", "Moves", "Score"});
    const StatTotals t0 = all.totals();
    z.number(t0.Played).zone().number(t0.Won).zone().number(t0.Lost).zone();
    time(t0.Time).zone().number(t0.Moves).zone().number(t0.Score).endLine();
    z.line(blank);
    z.line(blank);

    z.line(QStringLiteral("Player Statistics"));
    z.line(QString(17, u'-'));
    headers({"Player", "Played", "Won", "Lost", "Time", "Moves", "Score"});
    for (const QString &name : source.players) {
        const StatTotals t = totalsOf(byPlayer, table.playerIndex(name));
        z.text(name).zone().number(t.Played).zone().number(t.Won).zone().number(t.Lost).zone();
        time(t.Time).zone().number(t.Moves).zone().number(t.Score).endLine();
    }
    z.line(blank);
    z.line(blank);

    z.line(QStringLiteral("Games Statistics"));
    z.line(QString(16, u'-'));
    z.text(QStringLiteral("Game")).blanks(21).text(QStringLiteral("Played")).zone().text(QStringLiteral("Won"));
    z.zone().text(QStringLiteral("Time")).zone().text(QStringLiteral("Moves")).zone().text(QStringLiteral("Score"));
    z.endLine();
    for (const QString &name : source.games) {
        const StatTotals t = totalsOf(byGame, table.gameIndex(name));
        z.text(name).blanks(static_cast<int>(25 - name.size())).number(t.Played).zone().number(t.Won).zone();
        time(t.Time).zone().number(t.Moves).zone().number(t.Score).endLine();
    }
    z.line(blank);
    z.line(blank);

    z.line(QStringLiteral("Full Statistics"));
    z.line(QString(14, u'-'));
    headers({"Date", "Game", "Player", "Status", "Score", "Moves", "Time", "Game No"});

    // The texts that repeat are made once: names cut to 12 characters, the
    // two status words, the date of each day.
    std::vector<Piece> games, players;
    for (const QString &g : table.gameNames())
        games.emplace_back(g.left(12));
    for (const QString &p : table.playerNames())
        players.emplace_back(p.left(12));
    const Piece won(WonLost(1)), lost(WonLost(0));
    const QLocale locale;
    const QString dateFormat = shortDateFormat();
    std::unordered_map<int64_t, Piece> days;
    int64_t lastDay = std::numeric_limits<int64_t>::min();
    const Piece *day = nullptr;
    const auto &rows = table.rows();
    for (size_t i = 0; i < rows.size() && written; ++i) {
        const ScoreTable::Row &r = rows[i];
        if (r.stamp != NoStamp) {
            if (julianDay(r.stamp) != lastDay) {
                lastDay = julianDay(r.stamp);
                auto it = days.find(lastDay);
                if (it == days.end())
                    it = days.emplace(lastDay, Piece(locale.toString(stampDate(r.stamp), dateFormat))).first;
                day = &it->second;
            }
            z.text(day->utf8, day->columns);
        } else if (r.dateText != ScoreTable::CanonicalDate) {
            z.text(table.text(r.dateText)); // a date that could not be read, as it stands
        }
        const Piece &g = games[r.game];
        const Piece &p = players[r.player];
        const Piece &status = r.status == 1 ? won : lost;
        z.zone().text(g.utf8, g.columns).zone().text(p.utf8, p.columns).zone().text(status.utf8, status.columns);
        z.zone().number(r.score).zone().number(r.moves).zone();
        time(r.time).blanks(5);
        if (r.gnoKind == ScoreTable::NumberGNo)
            z.number(r.gno);
        else if (r.gnoKind == ScoreTable::TextGNo)
            z.text(table.text(r.gno));
        z.endLine();
        if (block.size() >= kBlock) {
            flush();
            const qint64 at = bytes + static_cast<qint64>(static_cast<double>(bytes) * i / rows.size());
            if (!progress(at, total))
                return Written::Cancelled;
        }
    }
    flush();
    // A file system that finds out late that the data has no room says so
    // only here.
    if (!written)
        return Written::No;
    if (::fsync(file.handle()) != 0) {
        why = FileErrorText(errno);
        return Written::No;
    }
    errno = 0;
    if (!file.commit()) {
        why = lastFileError(file, errno);
        return Written::No;
    }
    progress(total, total);
    return Written::Yes;
}

} // namespace tw
