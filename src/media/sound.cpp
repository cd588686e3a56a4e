#include "media/sound.h"

#include <QAudioDevice>
#include <QAudioSink>
#include <QFile>
#include <QIODevice>
#include <QMediaDevices>
#include <QThread>
#include <QtEndian>

#include <algorithm>
#include <cstring>

namespace tw {

namespace {

// A sound followed by silence, read by the audio output at its own pace.
// The output reports the end once the last byte has gone to the sound
// server, which then still holds up to a buffer of it, and stopping the
// output drops what the server holds: the silence is what gets dropped.
class PaddedSound : public QIODevice {
public:
    explicit PaddedSound(QObject *parent) : QIODevice(parent) {}

    void Reset(const QByteArray &pcm, qint64 silence)
    {
        close();
        pcm_ = pcm;
        silence_ = silence;
        open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    }
    void SetSilence(qint64 bytes) { silence_ = bytes; }

    qint64 size() const override { return pcm_.size() + silence_; }

protected:
    qint64 readData(char *data, qint64 maxSize) override
    {
        const qint64 at = pos();
        const qint64 n = std::clamp<qint64>(size() - at, 0, maxSize);
        const qint64 sound = std::clamp<qint64>(pcm_.size() - at, 0, n);
        if (sound > 0)
            std::memcpy(data, pcm_.constData() + at, size_t(sound));
        std::memset(data + sound, 0, size_t(n - sound));
        return n;
    }
    qint64 writeData(const char *, qint64) override { return -1; }

private:
    QByteArray pcm_;
    qint64 silence_ = 0;
};

} // namespace

// The audio output, in the sound thread.
class QtSoundPlayer::Output : public QObject {
public:
    Output() : source_(new PaddedSound(this)) {}
    ~Output() override { Stop(); }

    void Play(const QAudioDevice &device, const Sample &sample)
    {
        Stop();
        sink_ = std::make_unique<QAudioSink>(device, sample.format);
        connect(sink_.get(), &QAudioSink::stateChanged, this, [this](QAudio::State state) {
            // Idle also means the server ran dry in the middle; only the end
            // of the data ends the sound.
            if (state == QAudio::IdleState && source_->atEnd())
                sink_->stop();
        });
        const auto bytesFor = [&](int ms) { return qint64(sample.format.bytesForDuration(qint64(ms) * 1000)); };
        source_->Reset(sample.pcm, bytesFor(250));
        sink_->start(source_);
        // Twice the stream's buffer: the server's own latency comes on top.
        source_->SetSilence(std::max(bytesFor(250), 2 * qint64(sink_->bufferSize())));
    }

    void Stop()
    {
        if (!sink_)
            return;
        sink_->disconnect(this);
        sink_->stop();
        sink_.reset();
    }

private:
    PaddedSound *source_;
    std::unique_ptr<QAudioSink> sink_;
};

QtSoundPlayer::QtSoundPlayer() = default;

QtSoundPlayer::~QtSoundPlayer()
{
    if (!thread_)
        return;
    // The output and its stream go in the sound thread, as it ends.
    QObject::connect(thread_.get(), &QThread::finished, output_, &QObject::deleteLater);
    thread_->quit();
    thread_->wait();
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

namespace {

// Qt Multimedia's sound-server client says on the terminal that it found no
// server when the audio outputs are first looked up: a warning
// "PulseAudioService: pa_context_connect() failed", or, when it finds out
// while it waits, an error "PulseAudioService: Connection failure: ..." in
// quotes. A player without a sound server gets silence and nothing to read:
// that look-up drops what the client says.
QtMessageHandler otherHandler = nullptr;
void withoutServerWarnings(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    QStringView text(message);
    if (text.startsWith(u'"'))
        text = text.mid(1);
    if ((type == QtWarningMsg || type == QtCriticalMsg) && text.startsWith(u"PulseAudioService:"))
        return;
    otherHandler(type, context, message);
}

} // namespace

bool QtSoundPlayer::HasAudioOutput()
{
    static bool lookedUp = false;
    if (lookedUp)
        return !QMediaDevices::audioOutputs().isEmpty();
    lookedUp = true;
    otherHandler = qInstallMessageHandler(withoutServerWarnings);
    const bool any = !QMediaDevices::audioOutputs().isEmpty();
    qInstallMessageHandler(otherHandler);
    return any;
}

QtSoundPlayer::Sample QtSoundPlayer::Load(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray b = f.readAll();
    if (b.size() < 12 || !b.startsWith("RIFF") || b.mid(8, 4) != "WAVE")
        return {};
    const auto u16 = [&](qsizetype at) { return qFromLittleEndian<quint16>(b.constData() + at); };
    const auto u32 = [&](qsizetype at) { return qFromLittleEndian<quint32>(b.constData() + at); };
    Sample s;
    bool pcm16 = false;
    for (qsizetype at = 12; at + 8 <= b.size();) {
        const QByteArray id = b.mid(at, 4);
        const qsizetype len = u32(at + 4);
        const qsizetype body = at + 8;
        if (len > b.size() - body)
            return {};
        if (id == "fmt " && len >= 16) {
            pcm16 = u16(body) == 1 && u16(body + 14) == 16;
            s.format.setChannelCount(u16(body + 2));
            s.format.setSampleRate(int(u32(body + 4)));
            s.format.setSampleFormat(QAudioFormat::Int16);
        } else if (id == "data") {
            s.pcm = b.mid(body, len);
        }
        at = body + len + (len & 1);
    }
    if (!pcm16 || !s.format.isValid() || s.pcm.isEmpty())
        return {};
    return s;
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
    auto it = samples_.find(key);
    if (it == samples_.end())
        it = samples_.insert(key, Load(QLatin1Char(':') + source.path()));

    if (!thread_) {
        thread_ = std::make_unique<QThread>();
        thread_->setObjectName(QStringLiteral("tarnwick-sound"));
        output_ = new Output;
        output_->moveToThread(thread_.get());
        thread_->start();
    }
    // The device is looked up here: the media devices belong to this thread.
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    const Sample sample = it.value();
    Output *out = output_;
    QMetaObject::invokeMethod(
        out,
        [out, device, sample] {
            // A sound that failed to load still stops the one that plays.
            if (sample.pcm.isEmpty())
                out->Stop();
            else
                out->Play(device, sample);
        },
        Qt::QueuedConnection);
}

} // namespace tw
