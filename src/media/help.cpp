#include "media/help.h"

#include "engine/catalogue.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QRegularExpression>
#include <QScreen>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

namespace tw {

namespace {
const QString kHelpTitle = QStringLiteral("Tarnwick Help");
// Room kept free around the window for its frame, and between it and the
// window it stands beside.
constexpr int ScreenMargin = 40;
constexpr int Gap = 8;
// Narrower than this, a page is no pleasure to read.
constexpr int MinWidthBeside = 400;

// A variant's page name: its name in lower case, words joined by hyphens,
// apostrophes dropped.
QString slug(const QString &name)
{
    QString out;
    bool gap = false;
    for (const QChar c : name.toLower()) {
        if (c.isLetterOrNumber()) {
            if (gap && !out.isEmpty())
                out += u'-';
            out += c;
            gap = false;
        } else if (c != u'\'') {
            gap = true;
        }
    }
    return out;
}

QString readResource(const QUrl &page)
{
    QFile f(u':' + page.path());
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

QString link(int context, const QString &text)
{
    return QStringLiteral("<a href=\"%1\">%2</a>").arg(HelpWindow::PageFor(context).fileName(), text);
}

QString nameAt(int context) { return frmGame::NameAt(int16_t(context)).toHtmlEscaped(); }

// The contents, previous and next links above a rules page.
QString withNavigation(QString html, int context)
{
    QString nav = QStringLiteral("<p class=\"nav\"><a href=\"index.html\">Contents</a>");
    const QString sep = QStringLiteral(" &nbsp;|&nbsp; ");
    if (context > 1)
        nav += sep + link(context - 1, QStringLiteral("&larr; ") + nameAt(context - 1));
    if (context < frmGame::GameCount)
        nav += sep + link(context + 1, nameAt(context + 1) + QStringLiteral(" &rarr;"));
    nav += QStringLiteral("</p>\n");
    return html.replace(QStringLiteral("<body>\n"), QStringLiteral("<body>\n") + nav);
}

// The contents' table of the games, in place of its marker.
QString withGamesTable(QString html)
{
    static const QRegularExpression marker(QStringLiteral("<!-- games\\b.*?-->\\n?"),
                                           QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression description(QStringLiteral("<meta name=\"description\" content=\"([^\"]*)\">"));
    QString rows;
    for (int i = 1; i <= frmGame::GameCount; ++i) {
        const QString about = description.match(readResource(HelpWindow::PageFor(i))).captured(1);
        rows += QStringLiteral("<tr><td>%1</td><td>%2</td></tr>\n").arg(link(i, nameAt(i)), about);
    }
    return html.replace(marker, rows);
}

// The browser asks for every page it shows, links and history included,
// through here.
class HelpBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;
    QVariant loadResource(int type, const QUrl &name) override
    {
        if (type == QTextDocument::HtmlResource && name.scheme() == u"qrc")
            return HelpWindow::PageHtml(name);
        return QTextBrowser::loadResource(type, name);
    }
};
} // namespace

HelpWindow::HelpWindow(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setWindowTitle(kHelpTitle);
    // Closing only hides the window: the next help request shows it again
    // with its history intact.
    setAttribute(Qt::WA_DeleteOnClose, false);
    setAttribute(Qt::WA_QuitOnClose, false);

    back_ = new QToolButton(this);
    back_->setObjectName(QStringLiteral("btnBack"));
    back_->setText(QStringLiteral("Back"));
    back_->setShortcut(QKeySequence::Back);
    back_->setEnabled(false);
    forward_ = new QToolButton(this);
    forward_->setObjectName(QStringLiteral("btnForward"));
    forward_->setText(QStringLiteral("Forward"));
    forward_->setShortcut(QKeySequence::Forward);
    forward_->setEnabled(false);
    contents_ = new QToolButton(this);
    contents_->setObjectName(QStringLiteral("btnContents"));
    contents_->setText(QStringLiteral("Contents"));
    for (QToolButton *b : {back_, forward_, contents_})
        b->setToolButtonStyle(Qt::ToolButtonTextOnly);

    browser_ = new HelpBrowser(this);
    browser_->setObjectName(QStringLiteral("browser"));
    browser_->setOpenLinks(true);
    browser_->setOpenExternalLinks(true);
    browser_->setSearchPaths({QStringLiteral(":/help")});

    auto *bar = new QHBoxLayout;
    bar->addWidget(back_);
    bar->addWidget(forward_);
    bar->addWidget(contents_);
    bar->addStretch(1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addLayout(bar);
    layout->addWidget(browser_, 1);

    connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
    connect(contents_, &QToolButton::clicked, this, [this] {
        if (browser_->source() != ContentsPage())
            browser_->setSource(ContentsPage());
    });
    connect(browser_, &QTextBrowser::backwardAvailable, back_, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QWidget::setEnabled);
    connect(browser_, &QTextBrowser::sourceChanged, this, [this] { updateTitle(); });

    resize(640, 600);
}

HelpWindow::~HelpWindow() = default;

QUrl HelpWindow::ContentsPage() { return QUrl(QStringLiteral("qrc:/help/index.html")); }

QUrl HelpWindow::PageFor(int context)
{
    if (context < 1 || context > frmGame::GameCount)
        return ContentsPage();
    return QUrl(QStringLiteral("qrc:/help/%1.html").arg(slug(frmGame::NameAt(int16_t(context)))));
}

QString HelpWindow::PageHtml(const QUrl &page)
{
    const QString html = readResource(page);
    if (html.isEmpty())
        return html;
    if (page == ContentsPage())
        return withGamesTable(html);
    for (int i = 1; i <= frmGame::GameCount; ++i)
        if (page == PageFor(i))
            return withNavigation(html, i);
    return html;
}

void HelpWindow::ShowRules(int context) { open(PageFor(context)); }

void HelpWindow::ShowContents() { open(ContentsPage()); }

QUrl HelpWindow::CurrentPage() const { return browser_->source(); }

QString HelpWindow::PageTitle() const { return browser_->documentTitle(); }

void HelpWindow::open(const QUrl &page)
{
    QWidget *modal = QApplication::activeModalWidget();
    belongTo(modal && modal->window() != this ? modal->window() : nullptr);
    // Asking again for the page on show keeps the history free of repeats.
    if (browser_->source() != page)
        browser_->setSource(page);
    updateTitle();
    if (!placed_)
        placeFirstTime();
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
    // The keys scroll the page at once.
    browser_->setFocus(Qt::OtherFocusReason);
}

void HelpWindow::placeFirstTime()
{
    // The first time, the window goes where it can be read whole and hides
    // nothing of the window that asked for it: beside that window, on the
    // side with more room, narrower if need be; or else in the middle of
    // the screen.
    placed_ = true;
    QWidget *near = owner_ ? owner_.data() : QApplication::activeWindow();
    QScreen *screen = near ? near->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect avail = screen->availableGeometry();
    const QSize room = avail.size() - QSize(2 * ScreenMargin, 2 * ScreenMargin);
    if (room.isEmpty())
        return;
    resize(size().boundedTo(room));
    QRect place(QPoint(), size());
    place.moveCenter(avail.center());
    if (near && near != this) {
        const QRect o = near->frameGeometry();
        const int leftRoom = o.left() - avail.left() - 2 * Gap;
        const int rightRoom = avail.right() - o.right() - 2 * Gap;
        const int side = std::max(leftRoom, rightRoom);
        if (side >= MinWidthBeside) {
            place.setWidth(std::min(place.width(), side));
            place.moveLeft(rightRoom >= leftRoom ? o.right() + 1 + Gap : o.left() - Gap - place.width());
            place.moveTop(o.center().y() - place.height() / 2);
            resize(place.size());
        }
    }
    place.moveLeft(std::clamp(place.left(), avail.left(), avail.right() + 1 - place.width()));
    place.moveTop(std::clamp(place.top(), avail.top(), avail.bottom() + 1 - place.height()));
    move(place.topLeft());
}

void HelpWindow::belongTo(QWidget *owner)
{
    // A modal window blocks every window but those that stand on it: while
    // one is open, the help stands on it (a transient window of it), so it
    // takes input and stays in front of it.
    if (owner_ == owner)
        return;
    if (owner_)
        owner_->removeEventFilter(this);
    owner_ = owner;
    if (owner_)
        owner_->installEventFilter(this);
    create();
    if (QWindow *w = windowHandle())
        w->setTransientParent(owner_ && owner_->windowHandle() ? owner_->windowHandle() : nullptr);
}

bool HelpWindow::eventFilter(QObject *watched, QEvent *event)
{
    // The owner has closed: the help stays open, on its own again.
    if (watched == owner_ && event->type() == QEvent::Hide)
        belongTo(nullptr);
    return QWidget::eventFilter(watched, event);
}

void HelpWindow::updateTitle()
{
    const QString title = browser_->documentTitle().trimmed();
    if (title.isEmpty() || title == kHelpTitle)
        setWindowTitle(kHelpTitle);
    else
        setWindowTitle(title + QStringLiteral(" - ") + kHelpTitle);
}

} // namespace tw
