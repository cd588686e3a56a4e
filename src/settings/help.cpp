#include "settings/help.h"

#include "engine/catalogue.h"

#include <QHBoxLayout>
#include <QKeySequence>
#include <QTextBrowser>
#include <QToolButton>
#include <QVBoxLayout>

namespace tw {

namespace {
const QString kHelpTitle = QStringLiteral("Tarnwick Help");
}

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

    browser_ = new QTextBrowser(this);
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

QUrl HelpWindow::ContentsPage()
{
    return QUrl(QStringLiteral("qrc:/help/index.html"));
}

QUrl HelpWindow::PageFor(int context)
{
    if (context < 1 || context > frmGame::GameCount)
        return ContentsPage();
    return QUrl(QStringLiteral("qrc:/help/%1.html").arg(context, 2, 10, QLatin1Char('0')));
}

void HelpWindow::ShowRules(int context)
{
    open(PageFor(context));
}

void HelpWindow::ShowContents()
{
    open(ContentsPage());
}

QUrl HelpWindow::CurrentPage() const
{
    return browser_->source();
}

QString HelpWindow::PageTitle() const
{
    return browser_->documentTitle();
}

void HelpWindow::open(const QUrl &page)
{
    // Asking again for the page on show keeps the history free of repeats.
    if (browser_->source() != page)
        browser_->setSource(page);
    updateTitle();
    if (isMinimized())
        showNormal();
    else
        show();
    raise();
    activateWindow();
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
