#include "store.h"

#include "data.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStringList>
#include <QSysInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tw {

namespace {

// The settings file is written under a lock file beside it. A lock that a
// crashed run left behind is taken for a held one until it is 30 s old, and
// every write waits for it that long. Such a lock is removed first: one
// naming this very process, which holds no lock between two calls here (a
// new run often gets the old process id, in a container nearly always), or
// one without a readable owner that is older than the moment a live writer
// needs between creating its lock and filling it in. A live owner keeps its
// lock locked as well, and the removal only goes ahead while no one has it
// locked, the same test the lock's own stale check makes.
void removeDeadLock(const QString &lockName)
{
    const QFileInfo info(lockName);
    if (!info.exists())
        return;
    qint64 pid = 0;
    QString host, app;
    QLockFile lock(lockName);
    if (lock.getLockInfo(&pid, &host, &app)) {
        if (pid != QCoreApplication::applicationPid() || !(host.isEmpty() || host == QSysInfo::machineHostName()))
            return;
    } else if (info.lastModified().msecsTo(QDateTime::currentDateTime()) < 1000) {
        return;
    }
    lock.removeStaleLockFile();
}

// What keeps the settings from being kept in `file`: whether QSettings may
// use it at all (nothing but a regular file, and the same for the lock file
// beside it), and why not, or why the file cannot be written.
struct FileCheck {
    bool usable = true;
    QString why;
};

FileCheck checkSettingsFile(const QString &file)
{
    const QString lock = file + QStringLiteral(".lock");
    for (const QString &path : {file, lock}) {
        // A file that is missing is made when it is first written.
        struct stat st {};
        if (::stat(QFile::encodeName(path).constData(), &st) != 0 || S_ISREG(st.st_mode))
            continue;
        // "it is a folder, not a file" of the lock: "its lock file ... is ...".
        const QString kind = FileKindText(st.st_mode);
        return {false, path == file ? kind : QStringLiteral("its lock file ") + lock + kind.mid(2)};
    }
    // Read and write rights as the writes are made (not root's permitted ones).
    if (::faccessat(AT_FDCWD, QFile::encodeName(file).constData(), R_OK | W_OK, AT_EACCESS) != 0 && errno != ENOENT)
        return {true, FileErrorText(errno)};
    return {};
}

} // namespace

bool QtSettingsStore::usable(const QString &file)
{
    const FileCheck c = checkSettingsFile(file);
    problem_ = c.why.isEmpty() ? QString()
                               : FileMessage(QStringLiteral("Settings cannot be saved in ") + file, c.why)
                                     + QStringLiteral(" Changes last until the program ends.");
    return c.usable;
}

QtSettingsStore::QtSettingsStore()
{
    // Where the user's settings go, never the root of the file system that
    // QSettings would take without a HOME.
    const QString dir = GetConfigDir();
    if (dir.isEmpty())
        return;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir);
    // QSettings reads its file as it is made.
    if (!usable(dir + QStringLiteral("/Tarnwick/Tarnwick.conf")))
        return;
    s_ = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Tarnwick"),
                                     QStringLiteral("Tarnwick"));
    known_ = stamp();
    QObject::connect(&watcher_, &QFileSystemWatcher::fileChanged, [this] { takeInChanges(); });
    QObject::connect(&watcher_, &QFileSystemWatcher::directoryChanged, [this] { takeInChanges(); });
    watch();
}

QtSettingsStore::~QtSettingsStore() = default;

QString QtSettingsStore::FileName() const { return s_ ? s_->fileName() : QString(); }

QtSettingsStore::FileStamp QtSettingsStore::stamp() const
{
    struct stat st {};
    if (::stat(QFile::encodeName(s_->fileName()).constData(), &st) != 0)
        return {};
    const auto ns = [](const timespec &t) { return static_cast<qint64>(t.tv_sec) * 1000000000 + t.tv_nsec; };
    return {true, static_cast<qint64>(st.st_ino), static_cast<qint64>(st.st_size), ns(st.st_mtim), ns(st.st_ctim)};
}

void QtSettingsStore::watch()
{
    // Editors and QSettings itself replace the file by a rename, which ends
    // the watch of the old file: the folder's watch sees the new one come,
    // and the new file is watched from then on. The folder and the file may
    // appear only with the first write.
    const QString file = s_->fileName();
    const QString dir = QFileInfo(file).absolutePath();
    QStringList add;
    if (!watcher_.directories().contains(dir) && QFileInfo::exists(dir))
        add << dir;
    if (!watcher_.files().contains(file) && QFileInfo::exists(file))
        add << file;
    if (!add.isEmpty())
        watcher_.addPaths(add);
}

void QtSettingsStore::takeInChanges()
{
    watch();
    // The program's own writes, and its lock file coming and going, leave
    // the file as the copy in memory has it.
    const FileStamp now = stamp();
    if (known_ && *known_ == now)
        return;
    // Whatever now stands in the file's place is read only when it is a file.
    if (usable(s_->fileName())) {
        s_->sync();
        texts_.clear();
    }
    known_ = now;
}

std::optional<QString> QtSettingsStore::stored(const QString &section, const QString &key)
{
    QHash<QString, std::optional<QString>> &texts = texts_[section];
    auto it = texts.constFind(key);
    if (it == texts.constEnd()) {
        if (!s_)
            return std::nullopt;
        std::optional<QString> text;
        const QVariant v = s_->value(section + u'/' + key);
        // A hand-edited value with a bare comma comes back as a list.
        if (v.metaType().id() == QMetaType::QStringList)
            text = v.toStringList().join(u',');
        else if (v.isValid())
            text = v.toString();
        it = texts.insert(key, text);
    }
    return *it;
}

QString QtSettingsStore::Read(const QString &section, const QString &key, const QString &def)
{
    // The table reads its settings many times a second: from memory only.
    return stored(section, key).value_or(def);
}

void QtSettingsStore::Write(const QString &section, const QString &key, const QString &value)
{
    if (!s_) {
        texts_[section].insert(key, value);
        return;
    }
    // A value the file already holds (the game started is the last one,
    // every deal) would only rewrite the file as it is. One look tells
    // whether the file changed since it was read and the watch has not said
    // so yet.
    if (stored(section, key) == value) {
        if (known_ && *known_ == stamp())
            return;
        takeInChanges();
        if (stored(section, key) == value)
            return;
    }
    if (!usable(s_->fileName())) {
        texts_[section].insert(key, value);
        return;
    }
    s_->setValue(section + u'/' + key, value);
    removeDeadLock(s_->fileName() + QStringLiteral(".lock"));
    s_->sync();
    // The file now holds what memory holds, this write included, and what
    // another process wrote meanwhile, which the sync took in.
    texts_.clear();
    known_ = stamp();
    watch();
}

QString MemoryStore::Read(const QString &section, const QString &key, const QString &def)
{
    auto it = values.constFind(section + u'/' + key);
    return it == values.constEnd() ? def : *it;
}

void MemoryStore::Write(const QString &section, const QString &key, const QString &value)
{
    values.insert(section + u'/' + key, value);
}

} // namespace tw
