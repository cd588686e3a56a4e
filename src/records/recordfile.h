#pragma once

#include "engine/gamenumber.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>
#include <cstdint>
#include <cstring>
#include <limits>

// The plain-text record files (score files and the favourites file) and the
// date text of a recorded game. Kept apart from the store so that the codec
// can be tested on bytes and reused by every reader.
namespace tw::recordfile {

// A moment as local wall-clock time: whole seconds counted from Julian day 0.
// Calendar questions (same day, same month) need no time zone, and a plain
// number keeps a million loaded records small.
using Stamp = int64_t;
inline constexpr Stamp NoStamp = std::numeric_limits<Stamp>::min();

inline Stamp makeStamp(const QDate &d, const QTime &t)
{
    if (!d.isValid())
        return NoStamp;
    const int secs = t.isValid() ? t.msecsSinceStartOfDay() / 1000 : 0;
    return d.toJulianDay() * 86400 + secs;
}
inline QDate stampDate(Stamp s)
{
    if (s == NoStamp)
        return QDate();
    qint64 jd = s / 86400;
    if (s % 86400 < 0)
        --jd;
    return QDate::fromJulianDay(jd);
}
inline QTime stampTime(Stamp s)
{
    if (s == NoStamp)
        return QTime();
    int64_t r = s % 86400;
    if (r < 0)
        r += 86400;
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(r) * 1000);
}

// The date text written for a recorded game: "yyyy-MM-dd HH:mm:ss", local
// time, always with the time. It reads back the same in every locale.
QString recordDateText(const QDateTime &t);
// The same text from a stamp (the inverse of the fast reader below).
QString stampText(Stamp s);

// Reads a record's date text back: the form written above first, then the
// forms older files may hold (the locale's short date with its long or short
// time, or alone, and the common numeric forms with "/" and "."). NoStamp when
// none fits.
Stamp parseDateStamp(const QString &text);
// The strict fast form only, straight from bytes; NoStamp unless the bytes are
// exactly "yyyy-MM-dd HH:mm:ss" with a valid date and time.
Stamp parseCanonicalDate(const char *p, qsizetype n);
// The parsed date as a local date-time (invalid when the text is no date).
QDateTime parseRecordDate(const QString &text);

// A date shown as the locale's short date with the full year ("3/14/2024"
// under English (United States)).
QString shortDateText(const QDate &d);
// The format behind it, for callers that show many dates.
QString shortDateFormat();

// Writing. A text item cannot hold a double quote or a line break: the quote
// becomes an apostrophe and line breaks are dropped.
QString sanitizeText(const QString &text);
void appendText(QByteArray &line, const QString &text); // "text"
void appendNumber(QByteArray &line, qint64 n);          // bare digits
void appendGameNo(QByteArray &line, const GameNo &g);   // bare or quoted
QByteArray scoreLine(const QString &date, const QString &gname, const GameNo &gno, int32_t time, int32_t moves,
                     int32_t score, int16_t status);
QByteArray favLine(const QString &gname, const GameNo &gno);

// Opens a record file (flags as for open(2)) without ever waiting on what
// stands there, and only when it is a regular file: a FIFO, a socket, a
// device or a folder in its place is refused. The descriptor, or -1 with the
// reason in plain words in `why` and the error number in `error` (0 when the
// path names something that is no file).
int openRecordFile(const QString &path, int flags, QString &why, int *error = nullptr);

// Reads a whole record file. True with its bytes, or with none when there is
// no file; false with the reason in plain words.
bool readRecordFile(const QString &path, QByteArray &bytes, QString &why);

// Appends one line to a file, creating the file (not its folder: the data
// folder is made where nothing outside the user's own folders is) when
// missing. Every append to a record file goes through here: it holds an
// advisory lock on the file for the whole append, so any number of processes
// can append at once, and the line goes out in one write. A last line left
// without its line end (typed by hand) is ended first, so it stays a line of
// its own; nothing already in the file is ever removed. A failed or short
// write is cut back to exactly where this append began. Anything but a
// regular file in the file's place is never written into. Returns false on
// any failure, with the reason in plain words in `why`.
bool appendLine(const QString &path, const QByteArray &line, QString *why = nullptr);

// Deletes a record file. True when it is gone or was never there; false with
// the reason, and then nothing is deleted: something that is no regular file
// in its place is not the program's to remove.
bool removeRecordFile(const QString &path, QString &why);

// Moves a record file to a free name, never over another file. False with
// the reason.
bool moveRecordFile(const QString &from, const QString &to, QString &why);

// One line split into items. Quoted items run to the next double quote; bare
// items to the next comma, blanks around them dropped.
struct Item {
    const char *data = nullptr;
    qsizetype size = 0;
    bool quoted = false;
};
// Splits [p, end) into at most maxItems items; -1 when the line is malformed
// (an unclosed quote, an empty bare item, text after a closing quote, too many
// items).
int splitItems(const char *p, const char *end, Item *items, int maxItems);
// A bare whole number with an optional sign, at most 18 digits.
bool parseInteger(const Item &item, qint64 &out);
// Whether the bytes are well-formed UTF-8.
bool isUtf8(const char *p, qsizetype n);

// Whether a line is read as UTF-8; one that is not is read as Windows-1252,
// as files from older systems and Latin-1 editors are written.
bool lineIsUtf8(const char *p, qsizetype n);
// The text of an item of a line read as above.
QString itemText(const Item &item, bool utf8);
QString fromWindows1252(const char *p, qsizetype n);

// Calls f(lineBegin, lineEnd) for every line of a file: lines end with CR LF,
// LF or CR alone, and a UTF-8 byte-order mark before the first line is no
// part of it. A last line without its line end is passed on as well; the
// reader decides whether it holds a whole record.
template<typename F>
void forEachLine(const QByteArray &bytes, F &&f)
{
    const char *p = bytes.constData();
    const char *end = p + bytes.size();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        p += 3;
    const char *lf = nullptr; // the next LF at or after p, or end; looked for once per LF
    while (p < end) {
        if (!lf || lf < p) {
            lf = static_cast<const char *>(memchr(p, '\n', static_cast<size_t>(end - p)));
            if (!lf)
                lf = end;
        }
        const char *cr = static_cast<const char *>(memchr(p, '\r', static_cast<size_t>(lf - p)));
        if (!cr) {
            f(p, lf);
            p = lf < end ? lf + 1 : end;
        } else if (cr + 1 == lf) {
            f(p, cr);
            p = lf < end ? lf + 1 : end;
        } else {
            f(p, cr); // a CR alone ends the line
            p = cr + 1;
        }
    }
}

// A player name that may become a file name in the data folder: not empty,
// not "." or "..", and without slashes, backslashes, NUL or other control
// characters.
bool isSafeFileName(const QString &name);

} // namespace tw::recordfile
