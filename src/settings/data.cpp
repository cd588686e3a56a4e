#include "data.h"

#include "engine/numeric.h"
#include "store.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tw {

namespace {
const QString kData = QStringLiteral("Data");
const QString kUsers = QStringLiteral("Users");
const QString kRecent = QStringLiteral("Recent");

std::optional<double> textToNumber(const QString &text)
{
    bool ok = false;
    const double d = text.trimmed().toDouble(&ok); // C locale: "." only
    if (!ok || !std::isfinite(d))
        return std::nullopt;
    return d;
}
} // namespace

std::optional<int16_t> textToInt16(const QString &text)
{
    // Nearly every stored text is a plain whole number, read many times a
    // second: it needs no rounding.
    bool whole = false;
    const int n = text.trimmed().toInt(&whole);
    if (whole)
        return n >= -32768 && n <= 32767 ? std::optional<int16_t>(static_cast<int16_t>(n)) : std::nullopt;
    const auto d = textToNumber(text);
    if (!d)
        return std::nullopt;
    const double r = roundHalfEven(*d);
    if (r < -32768.0 || r > 32767.0)
        return std::nullopt;
    return static_cast<int16_t>(r);
}

std::optional<int32_t> textToInt32(const QString &text)
{
    const auto d = textToNumber(text);
    if (!d)
        return std::nullopt;
    const double r = roundHalfEven(*d);
    if (r < -2147483648.0 || r > 2147483647.0)
        return std::nullopt;
    return static_cast<int32_t>(r);
}

cData::cData(SettingsStore &store) : store_(store), appDataLookup_(&GetAppDataDir) {}

void cData::InitCD(const QString &ProdName, int16_t TotalGames, const QString &HelpFile)
{
    prodName_ = ProdName;
    totalGames_ = TotalGames;
    helpFile_ = HelpFile;
    // Message boxes without a title of their own show the application name.
    // The display name is left alone: Qt would append it to every window title.
    QCoreApplication::setApplicationName(ProdName);
    gameNames_ = QStringList();
    for (int i = 0; i <= TotalGames; ++i)
        gameNames_.append(QString());
}

QString cData::AppDir() const
{
    QString base = appDataLookup_ ? appDataLookup_() : QString();
    if (base.isEmpty()) {
        // No per-user data location: a hidden folder in the home directory,
        // never the root of the file system; nothing without a home.
        const QString home = UserHome();
        return home.isEmpty() ? QString() : home + QStringLiteral("/.") + prodName_ + u'/';
    }
    if (!base.endsWith(u'/'))
        base += u'/';
    return base + prodName_ + u'/';
}

namespace {

// Why a folder could not be made in `parent`, in plain words.
QString cannotMake(int error, const QString &parent)
{
    switch (error) {
    case EACCES:
    case EPERM: return QStringLiteral("you have no permission to make a folder in ") + parent;
    case EROFS: return parent + QStringLiteral(" is on a read-only disk");
    default: return FileErrorText(error);
    }
}

bool isWithin(const QString &path, const QString &folder)
{
    return !folder.isEmpty() && (path == folder || path.startsWith(folder + u'/'));
}

// Makes `dir` with its missing levels and tells why it cannot be used, or
// nothing when it can. Missing levels are made only inside the user's home;
// elsewhere (a data location of the user's own choice) only the last one.
QString makeFolder(const QString &dir)
{
    const QString path = QDir::cleanPath(dir);
    QStringList missing;
    QString existing = path;
    struct stat st {};
    while (::stat(QFile::encodeName(existing).constData(), &st) != 0) {
        if (errno == EACCES)
            return QStringLiteral("you have no permission to reach it");
        if (errno != ENOENT && errno != ENOTDIR)
            return FileErrorText(errno);
        missing.prepend(existing);
        const qsizetype slash = existing.lastIndexOf(u'/');
        if (slash <= 0) {
            existing = QStringLiteral("/");
            if (::stat("/", &st) != 0)
                return FileErrorText(errno);
            break;
        }
        existing.truncate(slash);
    }
    if (!S_ISDIR(st.st_mode))
        return existing == path ? QStringLiteral("it is a file, not a folder")
                                : existing + QStringLiteral(" is a file, not a folder");
    if (missing.size() > 1 && !isWithin(existing, QDir::cleanPath(UserHome())))
        return QStringLiteral("the folder ") + missing.first() + QStringLiteral(" does not exist");
    QString parent = existing;
    for (const QString &level : missing) {
        if (::mkdir(QFile::encodeName(level).constData(), 0777) != 0 && errno != EEXIST)
            return cannotMake(errno, parent);
        parent = level;
    }
    // With the rights writes are made with (access() alone would take root's
    // permitted rights for granted).
    if (::faccessat(AT_FDCWD, QFile::encodeName(path).constData(), W_OK | X_OK, AT_EACCESS) != 0) {
        if (errno == EACCES || errno == EPERM)
            return QStringLiteral("you have no permission to write in it");
        return FileErrorText(errno);
    }
    return QString();
}

QString absoluteVariable(const char *name)
{
    const QString v = qEnvironmentVariable(name);
    return QDir::isAbsolutePath(v) ? v : QString();
}

// A folder under the user's home, or the variable that names it instead.
QString userFolder(const char *variable, const char *underHome)
{
    const QString v = absoluteVariable(variable);
    if (!v.isEmpty())
        return v;
    const QString home = UserHome();
    return home.isEmpty() ? QString() : home + QLatin1String(underHome);
}

} // namespace

QString FileErrorText(int error)
{
    switch (error) {
    case EACCES:
    case EPERM: return QStringLiteral("permission denied");
    case EROFS: return QStringLiteral("it is on a read-only disk");
    case ENOSPC:
    case EDQUOT: return QStringLiteral("the disk is full");
    case EISDIR: return QStringLiteral("it is a folder, not a file");
    case ENOENT: return QStringLiteral("it does not exist");
    case ENOTDIR: return QStringLiteral("a part of its path is a file, not a folder");
    case ENXIO:
    case ENODEV: return QStringLiteral("it is not a regular file");
    default: {
        // The system's own words, as a part of a sentence.
        QString text = QString::fromLocal8Bit(std::strerror(error));
        if (!text.isEmpty())
            text[0] = text[0].toLower();
        return text;
    }
    }
}

QString FileKindText(unsigned mode)
{
    if (S_ISREG(mode))
        return QString();
    if (S_ISDIR(mode))
        return QStringLiteral("it is a folder, not a file");
    return QStringLiteral("it is not a regular file");
}

QString FileMessage(const QString &what, const QString &why) { return what + QStringLiteral(": ") + why + u'.'; }

QString cData::PrepareAppDir() const
{
    const QString what = GetConfigDir().isEmpty() ? QStringLiteral("Games, favourites and settings")
                                                  : QStringLiteral("Games and favourites");
    const QString dir = AppDir();
    if (dir.isEmpty())
        return what
               + QStringLiteral(" cannot be saved: there is no home folder (HOME is not set, and the user database "
                                "names none).");
    const QString why = makeFolder(dir);
    if (why.isEmpty())
        return QString();
    return what + QStringLiteral(" cannot be saved in ") + dir + QStringLiteral(": ") + why + u'.';
}

QString ChooseUserHome(const QString &homeVariable, const QString &databaseHome)
{
    for (const QString &candidate : {homeVariable, databaseHome}) {
        const QString clean = QDir::cleanPath(candidate);
        if (QDir::isAbsolutePath(candidate) && clean != QLatin1String("/"))
            return clean;
    }
    return QString();
}

QString UserHome()
{
    // The user database only when HOME does not do: it is read from disk.
    const QString home = ChooseUserHome(qEnvironmentVariable("HOME"), QString());
    if (!home.isEmpty())
        return home;
    const passwd *pw = ::getpwuid(::getuid());
    return ChooseUserHome(QString(), pw && pw->pw_dir ? QFile::decodeName(pw->pw_dir) : QString());
}

QString GetAppDataDir() { return userFolder("XDG_DATA_HOME", "/.local/share"); }

QString GetConfigDir()
{
    // The settings file makes its folders itself: under a home that does not
    // exist there is none (it would make the home).
    const QString dir = userFolder("XDG_CONFIG_HOME", "/.config");
    if (!dir.isEmpty() && absoluteVariable("XDG_CONFIG_HOME").isEmpty() && !QFileInfo(UserHome()).isDir())
        return QString();
    return dir;
}

void cData::SetGame(int16_t i, const QString &Name)
{
    if (i >= 0 && i < gameNames_.size())
        gameNames_[i] = Name;
}

QString cData::GetGName(int16_t i) const { return (i >= 0 && i < gameNames_.size()) ? gameNames_[i] : QString(); }

int16_t cData::GetGameID(const QString &Name) const
{
    for (int16_t i = 1; i <= totalGames_; ++i)
        if (GetGName(i) == Name)
            return i;
    return 0;
}

void cData::CurGName(const QString &v)
{
    curGName_ = v;
    LastGName(v);
}

QString cData::CurPlayer() const { return store_.Read(kUsers, QStringLiteral("100"), QString()); }
void cData::CurPlayer(const QString &v) { store_.Write(kUsers, QStringLiteral("100"), v); }

QString cData::LastGName() const { return store_.Read(kData, QStringLiteral("LastGName"), GetGName(1)); }
void cData::LastGName(const QString &v) { store_.Write(kData, QStringLiteral("LastGName"), v); }

int32_t cData::CustomColor() const
{
    // Red, green and blue of 0 to 255 each; anything else is no colour.
    const auto v = textToInt32(store_.Read(kData, QStringLiteral("CustomColor"), QStringLiteral("128")));
    return v && *v >= 0 && *v <= 0xFFFFFF ? *v : 128;
}

void cData::CustomColor(int32_t v) { store_.Write(kData, QStringLiteral("CustomColor"), QString::number(v)); }

int16_t cData::GetDataInt(const QString &Key, int16_t Default, int16_t Min, int16_t Max) const
{
    // A stored text that is no number, or does not fit 16 bits, reads as the
    // default, a number outside the key's range as the nearest end of it; the
    // stored text itself is left alone.
    // A missing key reads as no number, which is the default too.
    const auto v = textToInt16(store_.Read(kData, Key, QString()));
    return v ? std::clamp(*v, Min, Max) : Default;
}

void cData::SaveDataInt(const QString &Key, int16_t Value) { store_.Write(kData, Key, QString::number(Value)); }

int16_t cData::TotalPlayers() const
{
    int16_t n = 0;
    for (int16_t i = 1; i <= 20; ++i)
        if (!GetPlayer(i).isEmpty())
            ++n;
    return n;
}

namespace {
// The keys of the numbered slots, made once: the menu poll reads five of them
// ten times a second.
QString slotKey(int16_t i)
{
    static const auto keys = [] {
        std::array<QString, 21> k;
        for (int n = 0; n <= 20; ++n)
            k[static_cast<size_t>(n)] = QString::number(n);
        return k;
    }();
    return i >= 0 && i <= 20 ? keys[static_cast<size_t>(i)] : QString::number(i);
}
} // namespace

QString cData::GetPlayer(int16_t i) const { return store_.Read(kUsers, slotKey(i), QString()); }

void cData::SetPlayer(int16_t i, const QString &Name, bool MakeCurrent)
{
    store_.Write(kUsers, QString::number(i), Name);
    if (MakeCurrent)
        CurPlayer(Name);
}

QString cData::GetRecent(int16_t i) const { return store_.Read(kRecent, slotKey(i), QString()); }

void cData::SetRecent(const QString &Name)
{
    if (GetRecent(1) == Name)
        return;
    for (int16_t k = RecentSlots; k >= 2; --k)
        store_.Write(kRecent, QString::number(k), GetRecent(k - 1));
    store_.Write(kRecent, QStringLiteral("1"), Name);
}

int16_t cData::RecentCount() const
{
    int16_t n = 0;
    for (int16_t i = 1; i <= RecentSlots; ++i)
        if (!GetRecent(i).isEmpty())
            ++n;
    return n;
}

void cData::ClearRecent()
{
    for (int16_t i = 1; i <= RecentSlots; ++i)
        store_.Write(kRecent, QString::number(i), QString());
}

QString cData::dateText(const QDateTime &t)
{
    return t.isValid() ? t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : QString();
}

void cData::PlaySound(const QString &Name) const
{
    const QString resource = (Name == u"Redo" ? QStringLiteral("Undo") : Name).toUpper();
    static const std::pair<const char16_t *, int16_t (cData::*)() const> flags[] = {
        {u"Start", &cData::SoundStart},       {u"CardUp", &cData::SoundCardUp}, {u"CardDown", &cData::SoundCardDown},
        {u"AutoPlay", &cData::SoundAutoPlay}, {u"Undo", &cData::SoundUndo},     {u"Redo", &cData::SoundRedo},
        {u"Win", &cData::SoundWin},
    };
    for (const auto &[word, flag] : flags) {
        // Only -1 counts as on: a stored 1 in a sound key means off.
        if (Name == QStringView(word) && (this->*flag)() == -1 && sound_)
            sound_->Play(resource);
    }
}

void cData::ShowRules(const QString &GName) const
{
    if (help_)
        help_->ShowRules(GetGameID(GName));
}

void cData::ShowContents() const
{
    if (help_)
        help_->ShowContents();
}

std::optional<std::pair<QString, int32_t>> cData::GetCol(int16_t Index) const { return GetColorEntry(Index); }

QString WonLost(int16_t Status) { return Status == 1 ? QStringLiteral("Won") : QStringLiteral("Lost"); }

int16_t ColorPart(int32_t Color, int16_t Part)
{
    if (Part < 1 || Part > 3 || Color < 0 || Color >= (1 << 24))
        return -1;
    return static_cast<int16_t>((Color >> (8 * (Part - 1))) & 255);
}

std::optional<std::pair<QString, int32_t>> GetColorEntry(int16_t Index)
{
    struct Entry {
        const char16_t *name;
        int r, g, b;
    };
    static const Entry table[] = {
        {u"Blue", 0, 0, 255},
        {u"Brown", 165, 42, 42},
        {u"Chocolate", 210, 105, 30},
        {u"Corn Flower", 100, 149, 237},
        {u"Crimson", 220, 20, 60},
        {u"Dark Blue", 0, 0, 139},
        {u"Dark Green", 0, 100, 0},
        {u"Dark Magenta", 139, 0, 139},
        {u"Dark Olive Green", 85, 107, 47},
        {u"Dark Red", 139, 0, 0},
        {u"Dark Slate Blue", 72, 61, 139},
        {u"Dark Slate Gray", 47, 79, 79},
        {u"Dark Violet", 148, 0, 211},
        {u"Deep Pink", 255, 20, 147},
        {u"Deep Sky Blue", 0, 191, 255},
        {u"Forest Green", 34, 139, 34},
        {u"Green", 0, 128, 0},
        {u"Indigo", 75, 0, 130},
        {u"Orange Red", 255, 69, 0},
        {u"Purple", 128, 0, 128},
        {u"Red", 255, 0, 0},
        {u"Saddle Brown", 139, 69, 19},
        {u"Sea Green", 46, 139, 87},
        {u"Sienna", 160, 82, 45},
        {u"Tomato", 255, 99, 71},
    };
    if (Index < 1001 || Index > 1025)
        return std::nullopt;
    const Entry &e = table[Index - 1001];
    return std::make_pair(QString::fromUtf16(e.name), e.r + 256 * e.g + 65536 * e.b);
}

} // namespace tw
