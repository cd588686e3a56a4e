#include "app.h"

#include "engine/catalogue.h"
#include "mainwindow.h"
#include "media/artwork.h"
#include "media/help.h"
#include "media/resources.h"
#include "media/resources_init.h"
#include "media/sound.h"
#include "qtprompt.h"
#include "select.h"
#include "settings/data.h"
#include "settings/store.h"
#include "splash.h"

#include <QApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
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
        QtPrompt().Error(nullptr, QStringLiteral("Run-time error: ") + what, QStringLiteral("Tarnwick"));
        std::_Exit(1);
    }
};

// The help window is built on its first use: the start-up has no need of it,
// and building it before the splash kept the splash waiting.
class LazyHelp : public HelpViewer {
public:
    void ShowRules(int context) override { window().ShowRules(context); }
    void ShowContents() override { window().ShowContents(); }
    void close()
    {
        if (w_)
            w_->close();
    }

private:
    HelpWindow &window()
    {
        if (!w_)
            w_ = std::make_unique<HelpWindow>();
        return *w_;
    }
    std::unique_ptr<HelpWindow> w_;
};

// Everything that lives for the whole run. Run() owns it, so it is made after
// the application object and is gone before it: windows, sound effects and
// the settings store are Qt objects that must not outlive the application.
struct Globals {
    std::unique_ptr<QtPrompt> prompt;
    std::unique_ptr<QtSettingsStore> store;
    std::unique_ptr<cData> data;
    std::unique_ptr<QtSoundPlayer> sound;
    std::unique_ptr<LazyHelp> help;
    QPointer<frmSplash> splash;
    QPointer<frmMain> main;

    Globals() = default;
    Globals(const Globals &) = delete;
    Globals &operator=(const Globals &) = delete;
    ~Globals() { release(); }

    // The windows first (the table reads the settings object up to its
    // last moment), then the objects they use. Nothing records anything
    // here: a game left running by File > Exit stays unrecorded.
    void release()
    {
        if (main) {
            main->onUnload = nullptr;
            delete main.data();
        }
        delete splash.data();
        help.reset();
        // Windows without an owner that are still open or waiting for a
        // deferred delete: the start-up selector, the splash, any other.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        for (;;) {
            QWidget *left = nullptr;
            for (QWidget *w : QApplication::topLevelWidgets())
                if (!w->parentWidget()) {
                    left = w;
                    break;
                }
            if (!left)
                break;
            delete left;
        }
        if (data) {
            data->SetSoundPlayer(nullptr);
            data->SetHelpViewer(nullptr);
        }
        sound.reset();
        data.reset();
        store.reset();
        prompt.reset();
    }
};

Globals *current = nullptr;

Globals &currentRun()
{
    Q_ASSERT(current);
    return *current;
}

} // namespace

namespace mLoad {

cData *data() { return current ? current->data.get() : nullptr; }
frmMain *mainWindow() { return current ? current->main.data() : nullptr; }

int Main(int argc, char **argv)
{
    Application app(argc, argv);
    return Run();
}

int Run()
{
    initResources();
    Globals g;
    current = &g;
    g.prompt = std::make_unique<QtPrompt>();
    g.store = std::make_unique<QtSettingsStore>();
    g.data = std::make_unique<cData>(*g.store);
    frmGame::Init(*g.data);
    g.sound = std::make_unique<QtSoundPlayer>();
    g.data->SetSoundPlayer(g.sound.get());
    g.help = std::make_unique<LazyHelp>();
    g.data->SetHelpViewer(g.help.get());

    g.splash = new frmSplash(&SplashDone);
    g.splash->show();
    // The icon is drawn from outlines at seven sizes: once the splash is on
    // screen. A frameless splash shows no icon meanwhile.
    QTimer::singleShot(0, qApp, [&g] {
        QApplication::setWindowIcon(art::AppIcon());
        if (g.splash)
            g.splash->setWindowIcon(Pictures(*g.data).Icon());
    });
    const int rc = QApplication::exec();
    // File > Exit leaves the event loop at once: the windows go without their
    // unload handlers, and nothing more is recorded.
    g.release();
    current = nullptr;
    return rc;
}

void SplashDone()
{
    Globals &g = currentRun();
    if (g.splash) {
        g.splash->deleteLater();
        g.splash = nullptr;
    }
    ShowMain();
}

void ShowMain()
{
    Globals &g = currentRun();
    if (g.main)
        return;
    g.main = new frmMain(*g.data, *g.prompt);
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
    Globals &g = currentRun();
    // Every other window closes, with its own unload; the table and the
    // objects are released in order once the event loop has ended.
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w != g.main && w->isVisible())
            w->close();
    if (g.help)
        g.help->close();
    QCoreApplication::quit();
}

} // namespace mLoad
} // namespace tw
