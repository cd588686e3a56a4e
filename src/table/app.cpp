#include "app.h"

#include "engine/catalogue.h"
#include "mainwindow.h"
#include "select.h"
#include "settings/artwork.h"
#include "settings/data.h"
#include "settings/help.h"
#include "settings/resources_init.h"
#include "settings/sound.h"
#include "settings/store.h"
#include "splash.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <exception>
#include <memory>

namespace tw {

namespace {

// An error that escapes an event handler ends the program with a message, as
// an unhandled error at run time would; it never unwinds through Qt.
class Application : public QApplication {
public:
    using QApplication::QApplication;
    bool notify(QObject *receiver, QEvent *event) override
    {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception &e) {
            fatal(QString::fromLocal8Bit(e.what()));
        } catch (...) {
            fatal(QStringLiteral("Unknown error"));
        }
        return false;
    }
    static void fatal(const QString &what)
    {
        QMessageBox::critical(nullptr, QStringLiteral("Tarnwick"), QStringLiteral("Run-time error: ") + what);
        std::_Exit(1);
    }
};

struct Globals {
    std::unique_ptr<QtSettingsStore> store;
    std::unique_ptr<cData> data;
    std::unique_ptr<QtSoundPlayer> sound;
    std::unique_ptr<HelpWindow> help;
    QPointer<frmSplash> splash;
    QPointer<frmMain> main;
};

Globals &G()
{
    static Globals g;
    return g;
}

} // namespace

namespace mLoad {

cData *data() { return G().data.get(); }
frmMain *mainWindow() { return G().main.data(); }

int Main(int argc, char **argv)
{
    Application app(argc, argv);
    initResources();
    Globals &g = G();
    g.store = std::make_unique<QtSettingsStore>();
    g.data = std::make_unique<cData>(*g.store);
    frmGame::Init(*g.data);
    QApplication::setWindowIcon(art::AppIcon());
    g.sound = std::make_unique<QtSoundPlayer>();
    g.data->SetSoundPlayer(g.sound.get());
    g.help = std::make_unique<HelpWindow>();
    g.data->SetHelpViewer(g.help.get());

    g.splash = new frmSplash(&SplashDone);
    g.splash->setWindowIcon(g.data->Icon());
    g.splash->show();
    const int rc = app.exec();
    // File > Exit leaves the event loop at once: nothing more is recorded, and
    // the windows go without their unload handlers.
    if (g.main)
        g.main->onUnload = nullptr;
    g.data->SetSoundPlayer(nullptr);
    g.data->SetHelpViewer(nullptr);
    return rc;
}

void SplashDone()
{
    Globals &g = G();
    if (g.splash) {
        g.splash->deleteLater();
        g.splash = nullptr;
    }
    ShowMain();
}

void ShowMain()
{
    Globals &g = G();
    if (g.main)
        return;
    g.main = new frmMain(*g.data);
    g.main->setAttribute(Qt::WA_DeleteOnClose, false);
    g.main->onUnload = &UnloadAll;
    g.main->show();
    frmSelect *select = frmSelect::showModeless(g.main->context());
    // The selector stands beside the table when the screen has room for it;
    // otherwise it stays where the window system put it.
    if (select && g.main->screen()) {
        const QRect screen = g.main->screen()->availableGeometry();
        const QRect table = g.main->frameGeometry();
        const QSize size = select->frameGeometry().size();
        if (table.right() + 8 + size.width() <= screen.right())
            select->move(table.right() + 8, std::max(screen.top(), table.top()));
    }
}

void UnloadAll()
{
    Globals &g = G();
    // Every other window goes first, then the table, then the objects, so
    // nothing runs against a released object.
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w != g.main && w->isVisible())
            w->close();
    if (g.help)
        g.help->close();
    if (g.main) {
        g.main->onUnload = nullptr;
        delete g.main.data();
    }
    QCoreApplication::quit();
}

} // namespace mLoad
} // namespace tw
