#pragma once

#include <QFileSystemWatcher>
#include <QHash>
#include <QString>
#include <memory>
#include <optional>

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
    // Why the settings cannot be kept where they belong, in plain words for
    // the player (naming the file); empty when they can.
    virtual QString Problem() const { return QString(); }
};

// QSettings under organisation and application "Tarnwick"
// ($XDG_CONFIG_HOME/Tarnwick/Tarnwick.conf, by default in the user's home).
// Reads are answered from the copy in memory and never touch the disk. The
// file and its folder are watched (inotify): when another process edits or
// replaces the file, the copy is read again as soon as the event loop hears
// of it. A write whose value the store already holds writes nothing. A user
// without a home has no settings file: the settings then last as long as the
// program runs.
class QtSettingsStore : public SettingsStore {
public:
    QtSettingsStore();
    ~QtSettingsStore() override;
    QString Read(const QString &section, const QString &key, const QString &def) override;
    void Write(const QString &section, const QString &key, const QString &value) override;
    QString FileName() const; // empty without a settings file
    QString Problem() const override { return problem_; }

    // What tells one version of the file from another.
    struct FileStamp {
        bool exists = false;
        qint64 inode = 0, size = 0, mtimeNs = 0, ctimeNs = 0;
        bool operator==(const FileStamp &) const = default;
    };

private:
    FileStamp stamp() const;
    // Whether the settings file may be read and written now: a regular file
    // or none. Anything else in its place (a FIFO would keep QSettings
    // waiting for ever) is left alone, the settings then last for the run,
    // and the reason is kept for the player.
    bool usable(const QString &file);
    QString problem_;
    std::optional<QString> stored(const QString &section, const QString &key);
    void watch();
    void takeInChanges();

    std::unique_ptr<QSettings> s_;
    QFileSystemWatcher watcher_;
    std::optional<FileStamp> known_; // the file as the copy in memory has it
    // The texts read so far by section and key (no value: the key is
    // missing), so a read neither asks QSettings nor builds a variant nor a
    // path. Without a settings file it holds every setting of the run.
    QHash<QString, QHash<QString, std::optional<QString>>> texts_;
};

// In-memory store for tests and benchmarks.
class MemoryStore : public SettingsStore {
public:
    QString Read(const QString &section, const QString &key, const QString &def) override;
    void Write(const QString &section, const QString &key, const QString &value) override;
    QHash<QString, QString> values;
};

} // namespace tw
