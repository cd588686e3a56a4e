#pragma once

#include <QHash>
#include <QString>
#include <memory>

class QSettings;

namespace tw {

// The per-user key/value store behind the settings object: text values by
// section and key, read afresh on every access.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    // The stored text, or `def` when the key is missing.
    virtual QString Read(const QString &section, const QString &key, const QString &def) = 0;
    virtual void Write(const QString &section, const QString &key, const QString &value) = 0;
};

// QSettings under organisation and application "Tarnwick"
// ($XDG_CONFIG_HOME/Tarnwick/Tarnwick.conf). The file is re-read when another
// process changed it, so nothing is cached across reads.
class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();
    ~QtSettingsStore() override;
    QString Read(const QString &section, const QString &key, const QString &def) override;
    void Write(const QString &section, const QString &key, const QString &value) override;
    QString FileName() const;

private:
    std::unique_ptr<QSettings> s_;
};

// In-memory store for tests and benchmarks.
class MemoryStore : public SettingsStore {
public:
    QString Read(const QString &section, const QString &key, const QString &def) override;
    void Write(const QString &section, const QString &key, const QString &value) override;
    QHash<QString, QString> values;
};

} // namespace tw
