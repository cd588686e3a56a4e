#include "store.h"

#include <QSettings>
#include <QStringList>

namespace tw {

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
