#include "store.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSettings>
#include <QStringList>
#include <QSysInfo>

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
        if (pid != QCoreApplication::applicationPid()
            || !(host.isEmpty() || host == QSysInfo::machineHostName()))
            return;
    } else if (info.lastModified().msecsTo(QDateTime::currentDateTime()) < 1000) {
        return;
    }
    lock.removeStaleLockFile();
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
