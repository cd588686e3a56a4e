#include "recordfile.h"

#include "settings/data.h"

#include <QFile>
#include <QLocale>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tw::recordfile {

namespace {

inline bool isDigit(char c) { return c >= '0' && c <= '9'; }
inline int digits2(const char *p) { return (p[0] - '0') * 10 + (p[1] - '0'); }

// A time format without its zone part ("h:mm:ss AP t" -> "h:mm:ss AP"):
// record dates are local and never carry a zone.
QString withoutZone(QString fmt)
{
    fmt.remove(QLatin1Char('t'));
    return fmt.trimmed();
}

// "M/d/yy" -> "M/d/yyyy": dates are shown and read with the full year.
QString withFullYear(const QString &fmt)
{
    if (fmt.contains(QLatin1String("yyyy")) || !fmt.contains(QLatin1String("yy")))
        return fmt;
    QString f = fmt;
    f.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return f;
}

bool twoDigitYear(const QString &fmt)
{
    return fmt.contains(QLatin1String("yy")) && !fmt.contains(QLatin1String("yyyy"));
}

// Years written with two digits: 00-29 are this century, 30-99 the last one.
QDateTime fixCentury(QDateTime t, const QString &fmt)
{
    if (t.isValid() && twoDigitYear(fmt) && t.date().year() < 1930)
        t = QDateTime(t.date().addYears(100), t.time());
    return t;
}

} // namespace

QString stampText(Stamp s)
{
    if (s == NoStamp)
        return QString();
    const QDate d = stampDate(s);
    int64_t r = s % 86400;
    if (r < 0)
        r += 86400;
    const int secs = static_cast<int>(r);
    int y = 0, m = 0, day = 0;
    d.getDate(&y, &m, &day);
    char buf[32];
    const int n = std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", y, m, day, secs / 3600,
                                (secs / 60) % 60, secs % 60);
    return QString::fromLatin1(buf, n);
}

QString recordDateText(const QDateTime &t)
{
    if (!t.isValid())
        return QString();
    return stampText(makeStamp(t.date(), t.time()));
}

Stamp parseCanonicalDate(const char *p, qsizetype n)
{
    // yyyy-MM-dd HH:mm:ss
    if (n != 19 || p[4] != '-' || p[7] != '-' || p[10] != ' ' || p[13] != ':' || p[16] != ':')
        return NoStamp;
    static constexpr int digitAt[] = {0, 1, 2, 3, 5, 6, 8, 9, 11, 12, 14, 15, 17, 18};
    for (int i : digitAt)
        if (!isDigit(p[i]))
            return NoStamp;
    const int y = digits2(p) * 100 + digits2(p + 2);
    const int mo = digits2(p + 5), d = digits2(p + 8);
    const int h = digits2(p + 11), mi = digits2(p + 14), s = digits2(p + 17);
    if (y < 1 || !QDate::isValid(y, mo, d) || h > 23 || mi > 59 || s > 59)
        return NoStamp;
    return QDate(y, mo, d).toJulianDay() * 86400 + h * 3600 + mi * 60 + s;
}

Stamp parseDateStamp(const QString &text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return NoStamp;
    if (t.size() == 19) {
        const QByteArray b = t.toLatin1();
        const Stamp s = parseCanonicalDate(b.constData(), b.size());
        if (s != NoStamp)
            return s;
    }
    auto take = [](const QDateTime &dt) { return dt.isValid() ? makeStamp(dt.date(), dt.time()) : NoStamp; };

    for (const char *f : {"yyyy-MM-ddTHH:mm:ss", "yyyy-MM-dd HH:mm", "yyyy-MM-dd"}) {
        const QString fmt = QLatin1String(f);
        if (Stamp s = take(QDateTime::fromString(t, fmt)); s != NoStamp)
            return s;
    }

    // The forms of the user's locale: what an older file written here holds.
    const QLocale loc;
    const QString sd = loc.dateFormat(QLocale::ShortFormat);
    const QString lt = withoutZone(loc.timeFormat(QLocale::LongFormat));
    const QString st = withoutZone(loc.timeFormat(QLocale::ShortFormat));
    QStringList formats;
    for (const QString &d : {withFullYear(sd), sd}) {
        formats << d + u' ' + lt << d + u' ' + st << d;
    }
    for (const QString &fmt : formats) {
        if (Stamp s = take(fixCentury(loc.toDateTime(t, fmt), fmt)); s != NoStamp)
            return s;
    }

    // Common numeric forms of other locales; where month-first and day-first
    // clash, the order of the user's locale wins.
    const QStringList mdy = {"M/d/yyyy h:mm:ss AP",
                             "M/d/yyyy h:mm AP",
                             "M/d/yyyy H:mm:ss",
                             "M/d/yyyy H:mm",
                             "M/d/yyyy",
                             "M/d/yy h:mm:ss AP",
                             "M/d/yy H:mm:ss",
                             "M/d/yy"};
    const QStringList dmy = {"d/M/yyyy H:mm:ss", "d/M/yyyy h:mm:ss AP", "d/M/yyyy H:mm",
                             "d/M/yyyy",         "d/M/yy H:mm:ss",      "d/M/yy"};
    const QStringList dots = {"d.M.yyyy H:mm:ss", "d.M.yyyy H:mm", "d.M.yyyy", "d.M.yy H:mm:ss", "d.M.yy"};
    QStringList fixed;
    if (sd.startsWith(u'd'))
        fixed << dmy << mdy;
    else
        fixed << mdy << dmy;
    fixed << dots;
    for (const QString &fmt : fixed) {
        if (Stamp s = take(fixCentury(QDateTime::fromString(t, fmt), fmt)); s != NoStamp)
            return s;
    }
    return NoStamp;
}

QDateTime parseRecordDate(const QString &text)
{
    const Stamp s = parseDateStamp(text);
    if (s == NoStamp)
        return QDateTime();
    return QDateTime(stampDate(s), stampTime(s));
}

QString shortDateFormat() { return withFullYear(QLocale().dateFormat(QLocale::ShortFormat)); }

QString shortDateText(const QDate &d) { return QLocale().toString(d, shortDateFormat()); }

QString sanitizeText(const QString &text)
{
    QString s = text;
    s.replace(QLatin1Char('"'), QLatin1Char('\''));
    s.remove(QLatin1Char('\r'));
    s.remove(QLatin1Char('\n'));
    return s;
}

void appendText(QByteArray &line, const QString &text)
{
    line += '"';
    line += sanitizeText(text).toUtf8();
    line += '"';
}

void appendNumber(QByteArray &line, qint64 n) { line += QByteArray::number(n); }

void appendGameNo(QByteArray &line, const GameNo &g)
{
    if (g.isNumber())
        appendNumber(line, g.asNumber());
    else
        appendText(line, g.toText());
}

QByteArray scoreLine(const QString &date, const QString &gname, const GameNo &gno, int32_t time, int32_t moves,
                     int32_t score, int16_t status)
{
    QByteArray line;
    line.reserve(96);
    appendText(line, date);
    line += ',';
    appendText(line, gname);
    line += ',';
    appendGameNo(line, gno);
    for (qint64 v : {qint64(time), qint64(moves), qint64(score), qint64(status)}) {
        line += ',';
        appendNumber(line, v);
    }
    line += "\r\n";
    return line;
}

QByteArray favLine(const QString &gname, const GameNo &gno)
{
    QByteArray line;
    appendText(line, gname);
    line += ',';
    appendGameNo(line, gno);
    line += "\r\n";
    return line;
}

int openRecordFile(const QString &path, int flags, QString &why, int *error)
{
    const QByteArray name = QFile::encodeName(path);
    // Without O_NONBLOCK a FIFO with no writer would keep open() waiting for
    // ever; what the descriptor is, is asked of the descriptor itself, so
    // nothing can be put in the file's place between the look and the use.
    const int fd = ::open(name.constData(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    int err = 0;
    struct stat st {};
    if (fd < 0) {
        err = errno;
        // A FIFO without a reader or a socket refuses the open itself: say
        // what stands there rather than the error that came of it.
        if (err != ENOENT && ::stat(name.constData(), &st) == 0 && !S_ISREG(st.st_mode)) {
            why = FileKindText(st.st_mode);
            err = 0;
        } else {
            why = FileErrorText(err);
        }
    } else if (::fstat(fd, &st) != 0) {
        err = errno;
        why = FileErrorText(err);
    } else if (!S_ISREG(st.st_mode)) {
        why = FileKindText(st.st_mode);
    } else {
        // A regular file never blocks; the flag goes, so writes are plain.
        const int fl = ::fcntl(fd, F_GETFL);
        if (fl != -1)
            ::fcntl(fd, F_SETFL, fl & ~O_NONBLOCK);
        return fd;
    }
    if (fd >= 0)
        ::close(fd);
    if (error)
        *error = err;
    return -1;
}

bool readRecordFile(const QString &path, QByteArray &bytes, QString &why)
{
    bytes.clear();
    int error = 0;
    const int fd = openRecordFile(path, O_RDONLY, why, &error);
    if (fd < 0) {
        // No file (or no folder for it) holds no records.
        if (error == ENOENT || error == ENOTDIR) {
            why.clear();
            return true;
        }
        return false;
    }
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_size > 0)
        bytes.reserve(static_cast<qsizetype>(st.st_size));
    char buf[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n > 0) {
            bytes.append(buf, n);
            continue;
        }
        if (n == 0)
            break;
        if (errno == EINTR)
            continue;
        why = FileErrorText(errno);
        ::close(fd);
        bytes.clear();
        return false;
    }
    ::close(fd);
    return true;
}

bool appendLine(const QString &path, const QByteArray &line, QString *why)
{
    QString reason;
    const bool ok = [&] {
        const int fd = openRecordFile(path, O_RDWR | O_CREAT | O_APPEND, reason);
        if (fd < 0)
            return false;
        const auto fail = [&](int error) {
            reason = FileErrorText(error);
            ::close(fd);
            return false;
        };
        // Every append holds the lock until the file is closed, so two copies
        // of the program recording for one player take turns, and the end of
        // the file looked at below is never another's record in the making.
        // Where the filesystem has no locks the record still goes out in one
        // write.
        while (::flock(fd, LOCK_EX) != 0 && errno == EINTR) {
        }
        struct stat before {};
        if (::fstat(fd, &before) != 0)
            return fail(errno);
        QByteArray out;
        if (before.st_size > 0) {
            char last = 0;
            const ssize_t r = ::pread(fd, &last, 1, before.st_size - 1);
            if (r != 1)
                return fail(r < 0 ? errno : EIO);
            // A last line typed without its line end is ended, not removed:
            // the record must neither join it nor take its place.
            if (last != '\n' && last != '\r')
                out = "\r\n";
        }
        out += line;
        // One write; only a disk that fills up takes less, and the rest is
        // tried once more to learn why.
        qsizetype written = 0;
        int error = 0;
        while (written < out.size()) {
            const ssize_t n = ::write(fd, out.constData() + written, static_cast<size_t>(out.size() - written));
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                error = n < 0 ? errno : ENOSPC;
                break;
            }
            written += n;
        }
        if (written != out.size()) {
            // No part of a record that did not fit may stay. The cut is made
            // only when the file ends where this write left it, so it can
            // never take what another writer (one that ignores the lock)
            // added.
            struct stat after {};
            if (written > 0 && ::fstat(fd, &after) == 0 && after.st_size == before.st_size + written)
                while (::ftruncate(fd, before.st_size) != 0 && errno == EINTR) {
                }
            return fail(error);
        }
        if (::close(fd) != 0) {
            reason = FileErrorText(errno);
            return false;
        }
        return true;
    }();
    if (why)
        *why = ok ? QString() : reason;
    return ok;
}

bool removeRecordFile(const QString &path, QString &why)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    if (::stat(name.constData(), &st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return true;
        why = FileErrorText(errno);
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        why = FileKindText(st.st_mode);
        return false;
    }
    if (::unlink(name.constData()) != 0 && errno != ENOENT) {
        why = FileErrorText(errno);
        return false;
    }
    return true;
}

bool moveRecordFile(const QString &from, const QString &to, QString &why)
{
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
    struct stat st {};
    if (::stat(source.constData(), &st) != 0) {
        why = FileErrorText(errno);
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        why = FileKindText(st.st_mode);
        return false;
    }
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS) {
        why = errno == EEXIST ? QStringLiteral("the name is taken") : FileErrorText(errno);
        return false;
    }
    // A filesystem that cannot refuse a taken name by itself.
    if (::lstat(target.constData(), &st) == 0) {
        why = QStringLiteral("the name is taken");
        return false;
    }
    if (::rename(source.constData(), target.constData()) != 0) {
        why = FileErrorText(errno);
        return false;
    }
    return true;
}

int splitItems(const char *p, const char *end, Item *items, int maxItems)
{
    int count = 0;
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    for (;;) {
        while (p < end && blank(*p))
            ++p;
        Item item;
        if (p < end && *p == '"') {
            const char *b = p + 1;
            const char *q = std::find(b, end, '"');
            if (q == end)
                return -1;
            item = {b, q - b, true};
            p = q + 1;
            while (p < end && blank(*p))
                ++p;
            if (p < end && *p != ',')
                return -1;
        } else {
            const char *b = p;
            const char *q = std::find(b, end, ',');
            const char *e = q;
            while (e > b && blank(e[-1]))
                --e;
            if (e == b)
                return -1;
            item = {b, e - b, false};
            p = q;
        }
        if (count == maxItems)
            return -1;
        items[count++] = item;
        if (p >= end)
            return count;
        ++p; // the comma
    }
}

bool parseInteger(const Item &item, qint64 &out)
{
    if (item.quoted || item.size == 0)
        return false;
    const char *p = item.data;
    const char *end = p + item.size;
    bool negative = false;
    if (*p == '-' || *p == '+') {
        negative = *p == '-';
        ++p;
    }
    if (p == end || end - p > 18)
        return false;
    qint64 v = 0;
    for (; p < end; ++p) {
        if (!isDigit(*p))
            return false;
        v = v * 10 + (*p - '0');
    }
    out = negative ? -v : v;
    return true;
}

bool isUtf8(const char *p, qsizetype n)
{
    const auto *s = reinterpret_cast<const unsigned char *>(p);
    const auto *end = s + n;
    while (s < end) {
        const unsigned char c = *s;
        if (c < 0x80) {
            ++s;
            continue;
        }
        int len;
        uint32_t cp;
        if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (end - s < len)
            return false;
        for (int i = 1; i < len; ++i) {
            if ((s[i] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (s[i] & 0x3F);
        }
        // Overlong forms, surrogates and values beyond Unicode are not UTF-8.
        if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        s += len;
    }
    return true;
}

bool lineIsUtf8(const char *p, qsizetype n)
{
    for (qsizetype i = 0; i < n; ++i)
        if (static_cast<unsigned char>(p[i]) >= 0x80)
            return isUtf8(p + i, n - i);
    return true;
}

QString fromWindows1252(const char *p, qsizetype n)
{
    // 0x80 to 0x9F; the five codes the code page leaves free stand for the
    // control characters of the same number, as in Latin-1.
    static constexpr char16_t high[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                          0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                          0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                          0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    QString s(n, Qt::Uninitialized);
    QChar *out = s.data();
    for (qsizetype i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned char>(p[i]);
        out[i] = (c >= 0x80 && c < 0xA0) ? QChar(high[c - 0x80]) : QChar(c);
    }
    return s;
}

QString itemText(const Item &item, bool utf8)
{
    return utf8 ? QString::fromUtf8(item.data, item.size) : fromWindows1252(item.data, item.size);
}

bool isSafeFileName(const QString &name)
{
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return false;
    for (QChar c : name) {
        if (c == u'/' || c == u'\\' || c.unicode() == 0 || c.category() == QChar::Other_Control)
            return false;
    }
    return true;
}

} // namespace tw::recordfile
