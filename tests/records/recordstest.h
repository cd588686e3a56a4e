#pragma once

#include "records/score.h"
#include "scriptedcoreprompt.h"
#include "testutil.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <optional>
#include <ostream>

// Failed comparisons show the text, not its code units.
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }
// Bytes as text, with the line ends visible.
inline void PrintTo(const QByteArray &b, std::ostream *os)
{
    QByteArray t = b;
    t.replace("\r", "\\r").replace("\n", "\\n");
    *os << '"' << t.toStdString() << '"';
}

namespace tw::test {

// A store over a fresh data folder, a fixed clock and the catalogue, whose
// questions, reports and save dialog are answered by a scripted prompt: the
// headless one, or the on-screen one for the windows over the store.
template<class ScriptedPromptType>
struct StoreFixtureWith : public ::testing::Test {
    StoreFixtureWith()
    {
        d.data.SetAppDataLookup([this] { return tmp.path(); });
        score.Now = [this] { return now; };
        QDir().mkpath(dir());
    }
    QString dir() const { return d.data.AppDir(); }
    QString path(const QString &file) const { return dir() + file; }

    static QByteArray readFile(const QString &p)
    {
        QFile f(p);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    static void writeFile(const QString &p, const QByteArray &bytes)
    {
        QFile f(p);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        ASSERT_EQ(f.write(bytes), bytes.size());
    }

    // Sets the current game's figures as the game flow leaves them.
    void game(const QString &name, const GameNo &no, int32_t time, int16_t moves, int16_t sc)
    {
        d.data.CurGName(name);
        d.data.CurGNo(no);
        d.data.CurTime(time);
        d.data.CurMoves(moves);
        d.data.CurScore(sc);
    }

    // One score-file line with a fixed date.
    static QByteArray line(const char *date, const char *gname, const char *gno, int time, int moves, int sc,
                           int status)
    {
        return QByteArray("\"") + date + "\",\"" + gname + "\"," + gno + ',' + QByteArray::number(time) + ','
               + QByteArray::number(moves) + ',' + QByteArray::number(sc) + ',' + QByteArray::number(status) + "\r\n";
    }

    QTemporaryDir tmp;
    TestData d;
    ScriptedPromptType ui; // the store's questions, reports and save dialog
    cScore score{d.data, &ui};
    QDateTime now{QDate(2024, 3, 14), QTime(17, 6, 7)};
};

using StoreFixture = StoreFixtureWith<ScriptedCorePrompt>;

} // namespace tw::test
