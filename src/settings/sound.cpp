#include "settings/sound.h"

#include <QAudioDevice>
#include <QFile>
#include <QMediaDevices>
#include <QSoundEffect>

namespace tw {

QtSoundPlayer::QtSoundPlayer() = default;

QtSoundPlayer::~QtSoundPlayer()
{
    qDeleteAll(effects_);
}

QUrl QtSoundPlayer::SourceFor(const QString &resource)
{
    const QString name = resource.trimmed().toUpper();
    if (name.isEmpty() || name.contains(u'/'))
        return {};
    const QString path = QStringLiteral(":/sounds/") + name + QStringLiteral(".wav");
    if (!QFile::exists(path))
        return {};
    return QUrl(QStringLiteral("qrc") + path);
}

bool QtSoundPlayer::HasAudioOutput()
{
    return !QMediaDevices::audioOutputs().isEmpty();
}

void QtSoundPlayer::Play(const QString &resource)
{
    // A sound is a nicety: no device, an unknown name or a file that fails to
    // load must never disturb the game, so every failure is silent.
    if (!HasAudioOutput())
        return;
    const QUrl source = SourceFor(resource);
    if (source.isEmpty())
        return;
    const QString key = resource.trimmed().toUpper();

    QSoundEffect *effect = effects_.value(key);
    if (!effect) {
        // The sample loads in the background; play() below is queued until
        // it is ready, so nothing here waits.
        effect = new QSoundEffect(QMediaDevices::defaultAudioOutput());
        effect->setSource(source);
        effects_.insert(key, effect);
    }
    if (current_)
        current_->stop(); // also drops a play still queued behind loading
    if (effect->status() == QSoundEffect::Error)
        return;
    current_ = effect;
    effect->play();
}

} // namespace tw
