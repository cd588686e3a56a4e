#include "splash.h"

#include "settings/artwork.h"
#include "version.h"

#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QPainter>
#include <QVBoxLayout>

namespace tw {

frmSplash::frmSplash(std::function<void()> done, QWidget *parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), done_(std::move(done))
{
    setObjectName(QStringLiteral("frmSplash"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(16, 72, 40));
    pal.setColor(QPalette::WindowText, QColor(240, 236, 210));
    setPalette(pal);

    auto *imgWords = new QLabel(this);
    imgWords->setObjectName(QStringLiteral("imgWords"));
    imgWords->setPixmap(art::Words(art::AppDpr()));
    imgWords->setAlignment(Qt::AlignCenter);
    lblversion_ = new QLabel(QStringLiteral("Version : %1.%2").arg(VersionMajor).arg(VersionMinor), this);
    lblversion_->setObjectName(QStringLiteral("lblversion"));
    lblversion_->setAlignment(Qt::AlignCenter);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(40, 32, 40, 24);
    layout->addWidget(imgWords);
    layout->addWidget(lblversion_);
    setFocusPolicy(Qt::StrongFocus);

    Timer1.setSingleShot(true);
    Timer1.setInterval(2000);
    connect(&Timer1, &QTimer::timeout, this, &frmSplash::finish);
    Timer1.start();
}

void frmSplash::showEvent(QShowEvent *)
{
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        adjustSize();
        move(screen->availableGeometry().center() - rect().center());
    }
    activateWindow();
    setFocus();
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
