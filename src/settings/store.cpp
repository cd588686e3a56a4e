#include "store.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStringList>
#include <QSysInfo>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace tw {

namespace {

// The settings file is written under a lock file beside it. A lock that a
// crashed run left behind is taken for a held one until it is 30 s old, and
// every write waits for it that long. Such a lock is removed first: one
// without a readable owner (a crash between creating and filling it), or one
// naming this very process, which holds no lock between two calls here (a
// new run often gets the old process id, in a container nearly always). A live
// owner keeps its lock locked as well, so the removal is only done while no
// one else has it locked, the same test the lock's own stale check makes.
void removeDeadLock(const QString &lockName)
{
    if (!QFileInfo::exists(lockName))
        return;
    qint64 pid = 0;
    QString host, app;
    const bool owned = QLockFile(lockName).getLockInfo(&pid, &host, &app);
    if (owned
        && !(pid == QCoreApplication::applicationPid()
             && (host.isEmpty() || host == QSysInfo::machineHostName())))
        return;
    const QByteArray name = QFile::encodeName(lockName);
    const int fd = ::open(name.constData(), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
        ::unlink(name.constData());
    ::close(fd);
}

} // namespace

QtSettingsStore::QtSettingsStore()
    : s_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                     QStringLiteral("Tarnwick"), QStringLiteral("Tarnwick")))
{
}

QtSettingsStore::~QtSettingsStore() = default;

QString QtSettingsStore::FileName() const { return s_->fileName(); }

QString QtSettingsStore::Read(const QString &section, const QString &key, const QString &def)
{
    s_->sync();
    const QVariant v = s_->value(section + u'/' + key);
    if (!v.isValid())
        return def;
    // A hand-edited value with a bare comma comes back as a list.
    if (v.metaType().id() == QMetaType::QStringList)
        return v.toStringList().join(u',');
    return v.toString();
}

void QtSettingsStore::Write(const QString &section, const QString &key, const QString &value)
{
    s_->setValue(section + u'/' + key, value);
    removeDeadLock(s_->fileName() + QStringLiteral(".lock"));
    s_->sync();
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
