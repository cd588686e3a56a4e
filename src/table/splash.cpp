#include "splash.h"

#include "media/artwork.h"
#include "version.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QResource>
#include <QScreen>

// Outside the namespace: the resource's initialiser is a global function.
static void initSplashPictures() { Q_INIT_RESOURCE(splash); }

namespace tw {

namespace {

// The version as text, over the picture's version: what a screen reader
// reads. It paints nothing, as the picture shows the same text already; text
// drawn here would have the fonts loaded before the first window shows.
class TextOverPicture : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *) override {}
};

} // namespace

frmSplash::frmSplash(std::function<void()> done, QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), Timer1(this), done_(std::move(done))
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    // The picture covers the whole window.
    setAttribute(Qt::WA_OpaquePaintEvent);
    const qreal dpr = art::AppDpr();
    if (dpr == 1.0 || dpr == 2.0)
        picture_ = QPixmap::fromImage(builtInPicture(static_cast<int>(dpr)));
    if (picture_.isNull())
        picture_ = QPixmap::fromImage(art::SplashImage(dpr, versionText()));
    setFixedSize(art::SplashWidth, art::SplashHeight);
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Tarnwick"));

    auto *lblversion = new TextOverPicture(versionText(), this);
    lblversion->setObjectName(QStringLiteral("lblversion"));
    lblversion->setAlignment(Qt::AlignCenter);
    // Placed by hand: laying it out would measure the text with a font.
    lblversion->setGeometry(0, art::SplashVersionTop, art::SplashWidth, art::SplashVersionHeight);
    // A click on it is a click on the splash.
    lblversion->setAttribute(Qt::WA_TransparentForMouseEvents);

    Timer1.setObjectName(QStringLiteral("Timer1"));
    Timer1.setSingleShot(true);
    Timer1.setInterval(2000);
    connect(&Timer1, &QTimer::timeout, this, &frmSplash::finish);
    Timer1.start();
}

QImage frmSplash::builtInPicture(int ratio)
{
    initSplashPictures();
    const QByteArray pixels = QResource(QStringLiteral(":/splash/splash@%1x.argb").arg(ratio)).uncompressedData();
    const QSize size = QSize(art::SplashWidth, art::SplashHeight) * ratio;
    if (pixels.size() != qsizetype(size.width()) * size.height() * 4)
        return QImage();
    QImage img(reinterpret_cast<const uchar *>(pixels.constData()), size.width(), size.height(),
               QImage::Format_ARGB32_Premultiplied);
    img = img.copy(); // off the array, which goes now
    img.setDevicePixelRatio(ratio);
    return img;
}

QString frmSplash::versionText() { return QStringLiteral("Version : %1.%2").arg(VersionMajor).arg(VersionMinor); }

void frmSplash::showEvent(QShowEvent *)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    activateWindow();
    setFocus();
}

void frmSplash::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawPixmap(rect(), picture_);
}

void frmSplash::mousePressEvent(QMouseEvent *) { finish(); }
void frmSplash::keyPressEvent(QKeyEvent *) { finish(); }

void frmSplash::finish()
{
    // A queued timer tick and a click must not open the table twice.
    if (finished_)
        return;
    finished_ = true;
    Timer1.stop();
    hide();
    if (done_)
        done_();
}

} // namespace tw
