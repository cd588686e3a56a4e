#include "records/recordfile.h"
#include "records/zoneprinter.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace tw;
using namespace tw::recordfile;

namespace {

struct EnglishUs {
    EnglishUs() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    ~EnglishUs() { QLocale::setDefault(QLocale::c()); }
};

std::vector<std::string> split(const char *text)
{
    Item items[8];
    const char *end = text + strlen(text);
    const int n = splitItems(text, end, items, 8);
    std::vector<std::string> out;
    if (n < 0)
        return {"<bad>"};
    for (int i = 0; i < n; ++i)
        out.push_back((items[i].quoted ? "q:" : "b:") + std::string(items[i].data, size_t(items[i].size)));
    return out;
}

} // namespace

TEST(RecordFile, LinesAreWrittenInTheSequentialFormat)
{
    EXPECT_EQ(scoreLine("2024-03-14 17:06:07", "Freecell", GameNo::number(123), 300, 100, 370, 1),
              QByteArray("\"2024-03-14 17:06:07\",\"Freecell\",123,300,100,370,1\r\n"));
    EXPECT_EQ(scoreLine("2024-03-14 17:10:00", "Freecell", GameNo::text(" 42 "), 65, 12, -5, 0),
              QByteArray("\"2024-03-14 17:10:00\",\"Freecell\",\" 42 \",65,12,-5,0\r\n"));
    EXPECT_EQ(favLine("Baker's Game", GameNo::number(999999999999999)),
              QByteArray("\"Baker's Game\",999999999999999\r\n"));
    EXPECT_EQ(favLine("Freecell", GameNo::text("123")), QByteArray("\"Freecell\",\"123\"\r\n"));
    // A quote or a line break would break the line apart when read back.
    EXPECT_EQ(favLine("Say \"hi\"\r\nthere", GameNo::text("1\n2")), QByteArray("\"Say 'hi'there\",\"12\"\r\n"));
    EXPECT_EQ(favLine(QString::fromUtf8("Kön"), GameNo::number(-7)), QByteArray("\"K\xc3\xb6n\",-7\r\n"));
}

TEST(RecordFile, ItemsSplitLikeTheReaderOfTheFormat)
{
    using V = std::vector<std::string>;
    EXPECT_EQ(split("\"a,b\",12,\" 42 \""), (V{"q:a,b", "b:12", "q: 42 "}));
    EXPECT_EQ(split("  \"x\"  ,  -5  "), (V{"q:x", "b:-5"}));
    EXPECT_EQ(split("\"unclosed,1"), (V{"<bad>"}));
    EXPECT_EQ(split("\"a\"x,1"), (V{"<bad>"}));
    EXPECT_EQ(split("\"a\",,1"), (V{"<bad>"}));
    EXPECT_EQ(split("\"a\",1,"), (V{"<bad>"}));
    EXPECT_EQ(split("1,2,3,4,5,6,7,8,9"), (V{"<bad>"}));

    qint64 v = 0;
    Item it{"-123", 4, false};
    EXPECT_TRUE(parseInteger(it, v));
    EXPECT_EQ(v, -123);
    Item big{"999999999999999", 15, false};
    EXPECT_TRUE(parseInteger(big, v));
    EXPECT_EQ(v, 999999999999999LL);
    for (const char *bad : {"1.5", "1e3", "12a", "-", "1234567890123456789"}) {
        Item b{bad, qsizetype(strlen(bad)), false};
        EXPECT_FALSE(parseInteger(b, v)) << bad;
    }
    Item quoted{"12", 2, true};
    EXPECT_FALSE(parseInteger(quoted, v));
}

TEST(RecordFile, Utf8CheckAndLineWalk)
{
    EXPECT_TRUE(isUtf8("K\xc3\xb6n \xe2\x82\xac \xf0\x9f\x82\xa1", 13));
    EXPECT_FALSE(isUtf8("K\xf6n", 3));       // Latin-1
    EXPECT_FALSE(isUtf8("\xc0\xaf", 2));     // overlong "/"
    EXPECT_FALSE(isUtf8("\xed\xa0\x80", 3)); // surrogate
    EXPECT_FALSE(isUtf8("\xe2\x82", 2));     // cut short

    auto walk = [](const QByteArray &bytes) {
        QStringList seen;
        forEachLine(bytes, [&](const char *b, const char *e) { seen << QString::fromLatin1(b, e - b); });
        return seen;
    };
    // CR LF, LF and CR alone each end a line; a last line without its end is
    // passed on for the reader to judge.
    EXPECT_EQ(walk("a\r\n\r\nb\nc\r\nhalf"), (QStringList{"a", "", "b", "c", "half"}));
    EXPECT_EQ(walk("a\rb\r\rc\r"), (QStringList{"a", "b", "", "c"}));
    EXPECT_EQ(walk("a\rb\nc\r\n\rd"), (QStringList{"a", "b", "c", "", "d"}));
    EXPECT_EQ(walk("\xEF\xBB\xBF"
                   "a\r\nb"),
              (QStringList{"a", "b"}));
    EXPECT_EQ(walk("a\r\n\xEF\xBB\xBF"), (QStringList{"a", QString::fromLatin1("\xEF\xBB\xBF")})); // only at the start
    EXPECT_EQ(walk(""), QStringList());
}

TEST(RecordFile, LinesThatAreNotUtf8AreWindows1252)
{
    EXPECT_TRUE(lineIsUtf8("plain", 5));
    EXPECT_TRUE(lineIsUtf8("K\xc3\xb6nig", 6));
    EXPECT_FALSE(lineIsUtf8("K\xf6nig", 5));
    EXPECT_EQ(fromWindows1252("K\xf6nig \x80 \x92 \x9c \xff \x81", 15),
              QString::fromUtf8("K\xc3\xb6nig \xe2\x82\xac \xe2\x80\x99 \xc5\x93 \xc3\xbf ") + QChar(0x81));
    Item utf8{"K\xc3\xb6n", 4, true};
    EXPECT_EQ(itemText(utf8, true), QString::fromUtf8("K\xc3\xb6n"));
    Item latin{"K\xf6n", 3, true};
    EXPECT_EQ(itemText(latin, false), QString::fromUtf8("K\xc3\xb6n"));
}

TEST(RecordFile, PlayerNamesThatCannotBeFileNames)
{
    for (const char *bad : {"", ".", "..", "../evil", "a/b", "a\\b", "tab\there", "line\nbreak"})
        EXPECT_FALSE(isSafeFileName(QString::fromUtf8(bad))) << bad;
    EXPECT_FALSE(isSafeFileName(QString(QChar(0)) + "x"));
    for (const char *good : {"Player1", "Anna Maria", "...x", "K\xc3\xb6nig", "a.b"})
        EXPECT_TRUE(isSafeFileName(QString::fromUtf8(good))) << good;
}

TEST(RecordDate, WrittenFormIsFixedAndReadsBackExactly)
{
    const QDateTime t(QDate(2024, 3, 4), QTime(5, 6, 7));
    EXPECT_EQ(recordDateText(t), "2024-03-04 05:06:07");
    EXPECT_EQ(recordDateText(QDateTime(QDate(2024, 3, 4), QTime(0, 0))), "2024-03-04 00:00:00");
    EXPECT_EQ(parseRecordDate("2024-03-04 05:06:07"), t);
    const Stamp s = parseCanonicalDate("1999-12-31 23:59:59", 19);
    EXPECT_EQ(stampText(s), "1999-12-31 23:59:59");
    EXPECT_EQ(parseCanonicalDate("2024-02-30 10:00:00", 19), NoStamp);
    EXPECT_EQ(parseCanonicalDate("2024-03-14 24:00:00", 19), NoStamp);
    EXPECT_EQ(parseCanonicalDate("2024-03-14T10:00:00", 19), NoStamp);
}

TEST(RecordDate, OlderLocaleFormsAreRead)
{
    EnglishUs us;
    const QDateTime pm(QDate(2024, 3, 14), QTime(17, 6, 7));
    EXPECT_EQ(parseRecordDate("3/14/2024 5:06:07 PM"), pm);
    EXPECT_EQ(parseRecordDate("14.03.2024 17:06:07"), pm);
    EXPECT_EQ(parseRecordDate("3/14/2024"), QDateTime(QDate(2024, 3, 14), QTime(0, 0)));
    EXPECT_EQ(parseRecordDate("3/14/24 5:06:07 PM"), pm); // two-digit year: this century
    EXPECT_EQ(parseRecordDate("25/12/2023 08:00:00"), QDateTime(QDate(2023, 12, 25), QTime(8, 0)));
    // Month first wins where both would fit, under a month-first locale.
    EXPECT_EQ(parseRecordDate("3/4/2024 10:00:00").date(), QDate(2024, 3, 4));
    EXPECT_FALSE(parseRecordDate("yesterday").isValid());
    EXPECT_FALSE(parseRecordDate("").isValid());
}

TEST(RecordDate, ShortDateShowsTheFullYear)
{
    EnglishUs us;
    EXPECT_EQ(shortDateText(QDate(2024, 3, 14)), "3/14/2024");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(shortDateText(QDate(2024, 3, 4)), "04.03.2024");
}

TEST(ZonePrinter, ZonesAreFourteenColumnsWide)
{
    ZonePrinter z;
    z.text("Played").zone().text("Won").endLine();
    z.number(2).zone().number(-5).zone().text("x").endLine();
    z.text("abcdefghijklmn").zone().text("X").endLine();  // ends on a zone start: follows at once
    z.text("abcdefghijklmno").zone().text("X").endLine(); // reaches into zone 2: goes to zone 3
    z.text("Game").blanks(21).text("Played").zone().text("Won").endLine();
    z.zone().text("Y").endLine(); // an empty first zone
    z.number(123).endLine();
    // Columns are characters, not bytes.
    z.text(QString::fromUtf8("K\xc3\xb6nig")).zone().number(-9223372036854775807LL - 1).endLine();
    ASSERT_EQ(z.lines().size(), 8);
    EXPECT_EQ(z.lines()[0], "Played        Won");
    EXPECT_EQ(z.lines()[1], " 2 " + QString(11, ' ') + "-5 " + QString(11, ' ') + "x");
    EXPECT_EQ(z.lines()[2], "abcdefghijklmnX");
    EXPECT_EQ(z.lines()[3], "abcdefghijklmno" + QString(13, ' ') + "X");
    EXPECT_EQ(z.lines()[4], "Game" + QString(21, ' ') + "Played" + QString(11, ' ') + "Won");
    EXPECT_EQ(z.lines()[5], QString(14, ' ') + "Y");
    EXPECT_EQ(z.lines()[6], " 123 ");
    EXPECT_EQ(z.lines()[7], QString::fromUtf8("K\xc3\xb6nig") + QString(9, ' ') + "-9223372036854775808 ");
    EXPECT_TRUE(z.joined().endsWith(" 123 \r\n" + z.lines()[7] + "\r\n"));
}
