#include "media/help.h"

#include "engine/catalogue.h"
#include "uitestutil.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QRegularExpression>
#include <QScreen>
#include <QSet>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QToolButton>
#include <gtest/gtest.h>

using tw::frmGame;
using tw::HelpWindow;
using tw::test::TestData;
using tw::test::TestTable;

namespace {
int game(QStringView name) { return tw::test::gameIndex(name); }
} // namespace

namespace {

// A page as the help window shows it.
QString rulesPage(int i) { return HelpWindow::PageHtml(HelpWindow::PageFor(i)); }
QString contentsPage() { return HelpWindow::PageHtml(HelpWindow::ContentsPage()); }

// The text between <tag> and </tag>, with entities decoded.
QString element(const QString &html, const QString &tag)
{
    const QRegularExpression re(QStringLiteral("<%1[^>]*>(.*?)</%1>").arg(tag),
                                QRegularExpression::DotMatchesEverythingOption);
    const auto m = re.match(html);
    if (!m.hasMatch())
        return QString();
    return QTextDocumentFragment::fromHtml(m.captured(1)).toPlainText().trimmed();
}

QStringList links(const QString &html)
{
    QStringList out;
    static const QRegularExpression re(QStringLiteral("href=\"([^\"]+)\""));
    for (auto it = re.globalMatch(html); it.hasNext();)
        out << it.next().captured(1);
    return out;
}

QString plainText(const QString &html)
{
    QTextDocument doc;
    doc.setHtml(html);
    return doc.toPlainText().simplified();
}

QString countWord(int n)
{
    static const char *const words[] = {"No",    "One",   "Two",  "Three", "Four",   "Five",  "Six",
                                        "Seven", "Eight", "Nine", "Ten",   "Eleven", "Twelve"};
    return n >= 0 && n <= 12 ? QString::fromLatin1(words[n]) : QString::number(n);
}

} // namespace

// --- the pages ------------------------------------------------------------------

TEST(HelpPages, EveryVariantHasARulesPageNamedAfterIt)
{
    QStringList pages;
    for (int i = 1; i <= frmGame::GameCount; ++i) {
        SCOPED_TRACE(i);
        const QString html = rulesPage(i);
        ASSERT_FALSE(html.isEmpty()) << HelpWindow::PageFor(i).toString().toStdString();
        const QString name = frmGame::NameAt(int16_t(i));
        EXPECT_EQ(element(html, QStringLiteral("title")), name);
        EXPECT_EQ(element(html, QStringLiteral("h1")), name);
        // Every rules page leads back to the contents.
        EXPECT_TRUE(links(html).contains(QStringLiteral("index.html")));
        pages << HelpWindow::PageFor(i).fileName();
    }
    // The help holds these pages and the contents, nothing else: a page left
    // behind by a renamed variant would be a page no one reaches.
    pages << QStringLiteral("index.html");
    const QStringList found = QDir(QStringLiteral(":/help")).entryList({QStringLiteral("*.html")});
    EXPECT_EQ(QSet<QString>(found.begin(), found.end()), QSet<QString>(pages.begin(), pages.end()));
    EXPECT_EQ(found.size(), pages.size());
}

// The links between the rules pages follow the catalogue: each page leads to
// the variant before it and the one after it, the first and the last to one.
TEST(HelpPages, RulesPagesLeadToTheirNeighboursInCatalogueOrder)
{
    for (int i = 1; i <= frmGame::GameCount; ++i) {
        SCOPED_TRACE(i);
        QStringList neighbours;
        for (const QString &target : links(rulesPage(i)))
            if (target.endsWith(u".html") && target != u"index.html")
                neighbours << target;
        QStringList expected;
        if (i > 1)
            expected << HelpWindow::PageFor(i - 1).fileName();
        if (i < frmGame::GameCount)
            expected << HelpWindow::PageFor(i + 1).fileName();
        EXPECT_EQ(neighbours, expected);
    }
    EXPECT_EQ(HelpWindow::PageFor(game(u"Baker's Game")).fileName(), QStringLiteral("bakers-game.html"));
    EXPECT_TRUE(rulesPage(game(u"Baker's Game")).contains(QStringLiteral("&larr; Avenue")));
    EXPECT_TRUE(rulesPage(game(u"Baker's Game")).contains(QStringLiteral("Baker's Spider &rarr;")));
}

TEST(HelpPages, ContentsLinksToAllRulesPagesInCatalogueOrder)
{
    const QString html = contentsPage();
    ASSERT_FALSE(html.isEmpty());
    EXPECT_EQ(element(html, QStringLiteral("title")), QStringLiteral("Tarnwick Help"));
    qsizetype last = -1;
    for (int i = 1; i <= frmGame::GameCount; ++i) {
        SCOPED_TRACE(i);
        const QString name = frmGame::NameAt(int16_t(i));
        const QRegularExpression re(QStringLiteral("<a href=\"%1\">([^<]*)</a></td><td>([^<]+)</td>")
                                        .arg(QRegularExpression::escape(HelpWindow::PageFor(i).fileName())));
        const auto m = re.match(html);
        ASSERT_TRUE(m.hasMatch());
        EXPECT_EQ(QTextDocumentFragment::fromHtml(m.captured(1)).toPlainText(), name);
        EXPECT_GT(m.capturedStart(), last);
        last = m.capturedStart();
    }
}

TEST(HelpPages, EveryInternalLinkLeadsToAPage)
{
    QList<QUrl> pages{HelpWindow::ContentsPage()};
    for (int i = 1; i <= frmGame::GameCount; ++i)
        pages << HelpWindow::PageFor(i);
    for (const QUrl &page : pages) {
        const QString html = HelpWindow::PageHtml(page);
        ASSERT_FALSE(html.isEmpty()) << page.toString().toStdString();
        for (const QString &link : links(html)) {
            const QString target = link.section(u'#', 0, 0);
            EXPECT_TRUE(QFile::exists(QStringLiteral(":/help/") + target))
                << page.toString().toStdString() << " -> " << link.toStdString();
        }
    }
}

// The rules pages describe what the engine does with each variant's values.
TEST(HelpPages, RulesPagesAgreeWithTheCatalogue)
{
    TestTable t;
    const tw::cGames &g = t.engine.Games;
    for (int i = 1; i <= frmGame::GameCount; ++i) {
        const QString name = frmGame::NameAt(int16_t(i));
        SCOPED_TRACE(name.toStdString());
        frmGame::SelectGame(t.engine, name);
        const QString text = plainText(rulesPage(i));
        const auto says = [&](const QString &s) { return text.contains(s); };

        const int cells = g.Piles(4);
        EXPECT_TRUE(
            says(countWord(cells) + (cells == 1 ? QStringLiteral(" free cell") : QStringLiteral(" free cells"))));
        EXPECT_TRUE(says(countWord(g.Piles(0)) + QStringLiteral(" tableau piles")));
        EXPECT_TRUE(says(countWord(g.Piles(3)) + QStringLiteral(" foundations")));
        EXPECT_TRUE(says(QStringLiteral("all %1 cards are on the foundations").arg(g.TotalCards())));

        const QString tag = g.Tag();
        const bool limited = tag == u"Freecell" || tag == u"FreecellAK" || tag == u"Penguin";
        EXPECT_EQ(says(QStringLiteral("(empty free cells + 1)")), limited);
        EXPECT_EQ(says(QStringLiteral("Autoplay is switched off")), g.DisAutoPlay() != 0);
        EXPECT_EQ(says(QStringLiteral("complete run of 13 cards")), tag == u"Spider");
        EXPECT_EQ(says(QStringLiteral("may also be put on an Ace")), g.AK(0) != 0);
        EXPECT_EQ(says(QStringLiteral("waste")), g.Piles(2) > 0);
        EXPECT_EQ(says(QStringLiteral("onto each tableau pile")), g.StockType() != 1 && g.StockMove() == 2);
        EXPECT_EQ(says(QStringLiteral("The stock lies face up")), g.StockType() == 1);

        if (tag == u"Penguin")
            EXPECT_TRUE(says(QStringLiteral("one rank below the base rank")));
        else if (g.EmptyNum() == -1)
            EXPECT_TRUE(says(QStringLiteral("may be filled with any card")));
        else if (g.EmptyNum() == 12)
            EXPECT_TRUE(says(QStringLiteral("takes only a King")));
        else
            EXPECT_TRUE(says(QStringLiteral("stays empty")));

        // Building rule of the tableau.
        switch (g.Order(0, 0)) {
        case 0: EXPECT_TRUE(says(QStringLiteral("Nothing can be built on the tableau"))); break;
        case 1:
            EXPECT_TRUE(g.SuitType() == 0 ? says(QStringLiteral("piles down by one rank"))
                                          : says(QStringLiteral("piles down by one rank in the same suit")));
            break;
        case 3: EXPECT_TRUE(says(QStringLiteral("up or down by one rank in the same suit"))); break;
        case 4: EXPECT_TRUE(says(QStringLiteral("piles down by one rank in alternating colours"))); break;
        case 7: EXPECT_TRUE(says(QStringLiteral("piles down by one rank, whatever the suit"))); break;
        default: ADD_FAILURE() << "tableau order " << g.Order(0, 0) << " not described";
        }
    }
}

TEST(HelpPages, SpotChecks)
{
    const QString bakers = plainText(rulesPage(game(u"Baker's Game")));
    EXPECT_TRUE(bakers.contains(QStringLiteral("Eight tableau piles. All 52 cards are dealt face up")));
    EXPECT_TRUE(bakers.contains(QStringLiteral("down by one rank in the same suit")));
    EXPECT_TRUE(bakers.contains(QStringLiteral("takes only a King")));
    EXPECT_TRUE(bakers.contains(QStringLiteral("Four free cells")));

    const QString ak = plainText(rulesPage(game(u"Freecell AK")));
    EXPECT_TRUE(ak.contains(QStringLiteral("build up in suit to the King")));
    EXPECT_TRUE(ak.contains(QStringLiteral("build down in suit to the Ace")));

    const QString milligan = plainText(rulesPage(game(u"Milligan Cell")));
    EXPECT_TRUE(milligan.contains(QStringLiteral("remaining 96 cards form the stock")));

    const QString stripped = plainText(rulesPage(game(u"Stripped Freecell")));
    EXPECT_TRUE(stripped.contains(QStringLiteral("the hearts and the spades")));
}

// The contents page tells what each way of starting a game does: the game
// selector picks a game and deals it at random; the number is typed in
// File > Select a Number.
TEST(HelpPages, ContentsDescribeTheGameSelectorAsItIs)
{
    const QString html = contentsPage();
    QString selectGame, selectNumber;
    static const QRegularExpression item(QStringLiteral("<li>(.*?)</li>"),
                                         QRegularExpression::DotMatchesEverythingOption);
    for (auto it = item.globalMatch(html); it.hasNext();) {
        const QString text = plainText(it.next().captured(1));
        if (text.startsWith(QStringLiteral("File > Select Game")))
            selectGame = text;
        else if (text.startsWith(QStringLiteral("File > Select a Number")))
            selectNumber = text;
    }
    ASSERT_FALSE(selectGame.isEmpty());
    EXPECT_FALSE(selectGame.contains(QStringLiteral("number"), Qt::CaseInsensitive)) << qPrintable(selectGame);
    for (const char *word : {"preview", "player", "Play", "random", "Rules"})
        EXPECT_TRUE(selectGame.contains(QString::fromLatin1(word))) << word << ": " << qPrintable(selectGame);
    ASSERT_FALSE(selectNumber.isEmpty());
    EXPECT_TRUE(selectNumber.contains(QStringLiteral("game number"))) << qPrintable(selectNumber);
}

// --- the window -------------------------------------------------------------------

TEST(HelpWindow, PageForMapsContextNumbers)
{
    EXPECT_EQ(HelpWindow::PageFor(game(u"Freecell")), QUrl(QStringLiteral("qrc:/help/freecell.html")));
    EXPECT_EQ(HelpWindow::PageFor(game(u"Avenue")), QUrl(QStringLiteral("qrc:/help/avenue.html")));
    EXPECT_EQ(HelpWindow::PageFor(game(u"Baker's Game")), QUrl(QStringLiteral("qrc:/help/bakers-game.html")));
    EXPECT_EQ(HelpWindow::PageFor(frmGame::GameCount), QUrl(QStringLiteral("qrc:/help/zodiac.html")));
    EXPECT_EQ(HelpWindow::PageFor(0), HelpWindow::ContentsPage());
    EXPECT_EQ(HelpWindow::PageFor(frmGame::GameCount + 1), HelpWindow::ContentsPage());
    EXPECT_EQ(HelpWindow::PageFor(-1), HelpWindow::ContentsPage());
}

TEST(HelpWindow, ShowsRulesOrContents)
{
    HelpWindow w;
    EXPECT_FALSE(w.isVisible());
    w.ShowRules(game(u"Freecell"));
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.isModal());
    EXPECT_EQ(w.CurrentPage(), HelpWindow::PageFor(game(u"Freecell")));
    EXPECT_EQ(w.PageTitle(), QStringLiteral("Freecell"));
    EXPECT_TRUE(w.windowTitle().contains(QStringLiteral("Freecell")));
    EXPECT_TRUE(w.Browser()->toPlainText().contains(QStringLiteral("Four free cells")));

    w.ShowRules(0);
    EXPECT_EQ(w.CurrentPage(), HelpWindow::ContentsPage());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Tarnwick Help"));
    w.ShowRules(game(u"Freecell"));
    w.ShowRules(frmGame::GameCount + 1);
    EXPECT_EQ(w.CurrentPage(), HelpWindow::ContentsPage());
    w.ShowRules(game(u"Baker's Game"));
    EXPECT_EQ(w.PageTitle(), QStringLiteral("Baker's Game"));
    w.ShowContents();
    EXPECT_EQ(w.CurrentPage(), HelpWindow::ContentsPage());
}

TEST(HelpWindow, ClosedWindowComesBackOnTheNextRequest)
{
    HelpWindow w;
    w.ShowRules(game(u"Penguin"));
    w.close();
    EXPECT_FALSE(w.isVisible());
    w.ShowRules(game(u"Stalactites"));
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.PageTitle(), QStringLiteral("Stalactites"));
}

// A modal window blocks every window but its own: help asked for from inside
// one must still take input, and must stay when the modal window goes.
TEST(HelpWindow, TakesInputWhileAModalWindowIsOpenAndOutlivesIt)
{
    HelpWindow w;
    w.resize(500, 300); // a page longer than the window
    w.ShowRules(game(u"Freecell"));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_TRUE(tw::test::helpScrollsWithKeys(w));

    for (int way = 0; way < 2; ++way) {
        auto *modal = new QDialog;
        modal->setWindowModality(Qt::ApplicationModal);
        modal->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(modal));
        ASSERT_EQ(QApplication::activeModalWidget(), modal);
        EXPECT_FALSE(tw::test::helpScrollsWithKeys(w)) << "the modal window must block what does not stand on it";
        w.ShowRules(game(u"Baker's Game"));
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(w.PageTitle(), QStringLiteral("Baker's Game"));
        EXPECT_TRUE(tw::test::helpScrollsWithKeys(w)) << "way " << way;

        QPointer<HelpWindow> guard(&w);
        if (way == 0)
            modal->hide();
        delete modal; // way 1: deleted while it is still shown
        ASSERT_FALSE(guard.isNull());
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(w.PageTitle(), QStringLiteral("Baker's Game"));
        EXPECT_TRUE(tw::test::helpScrollsWithKeys(w)) << "way " << way;
        EXPECT_EQ(w.windowHandle()->transientParent(), nullptr);
    }
}

// Asked for from a window, the help opens beside it rather than over it.
TEST(HelpWindow, FirstShownBesideTheModalWindow)
{
    QDialog modal;
    modal.setWindowModality(Qt::ApplicationModal);
    modal.resize(300, 200);
    ASSERT_NE(modal.screen(), nullptr);
    const QRect avail = modal.screen()->availableGeometry();
    modal.move(avail.left() + 20, avail.top() + 20);
    modal.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&modal));
    HelpWindow w;
    w.resize(400, 300);
    w.ShowContents();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_FALSE(w.frameGeometry().intersects(modal.frameGeometry()));
    EXPECT_TRUE(avail.contains(w.geometry()));
    modal.hide();
}

TEST(HelpWindow, FirstShownWholeOnTheScreen)
{
    HelpWindow w;
    w.resize(4000, 3000); // larger than any screen
    w.ShowContents();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    ASSERT_NE(w.screen(), nullptr);
    const QRect avail = w.screen()->availableGeometry();
    EXPECT_TRUE(avail.contains(w.geometry())) << "screen " << avail.width() << "x" << avail.height() << ", window at "
                                              << w.x() << "," << w.y() << " " << w.width() << "x" << w.height();
    EXPECT_GT(w.width(), avail.width() / 2);

    // Once placed, the window stays where the user put it.
    w.close();
    w.move(avail.topLeft() + QPoint(5, 7));
    const QPoint moved = w.pos();
    w.ShowRules(game(u"Freecell"));
    EXPECT_EQ(w.pos(), moved);
}

TEST(HelpWindow, BackForwardAndContentsButtons)
{
    HelpWindow w;
    auto *back = w.findChild<QToolButton *>(QStringLiteral("btnBack"));
    auto *forward = w.findChild<QToolButton *>(QStringLiteral("btnForward"));
    auto *contents = w.findChild<QToolButton *>(QStringLiteral("btnContents"));
    ASSERT_TRUE(back && forward && contents);
    EXPECT_EQ(back->text(), QStringLiteral("Back"));
    EXPECT_EQ(forward->text(), QStringLiteral("Forward"));
    EXPECT_EQ(contents->text(), QStringLiteral("Contents"));

    w.ShowRules(game(u"Freecell"));
    EXPECT_FALSE(back->isEnabled());
    w.ShowRules(game(u"Baker's Game"));
    EXPECT_TRUE(back->isEnabled());
    EXPECT_FALSE(forward->isEnabled());

    QTest::mouseClick(back, Qt::LeftButton);
    EXPECT_EQ(w.CurrentPage(), HelpWindow::PageFor(game(u"Freecell")));
    EXPECT_TRUE(forward->isEnabled());
    QTest::mouseClick(forward, Qt::LeftButton);
    EXPECT_EQ(w.CurrentPage(), HelpWindow::PageFor(game(u"Baker's Game")));
    QTest::mouseClick(contents, Qt::LeftButton);
    EXPECT_EQ(w.CurrentPage(), HelpWindow::ContentsPage());
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Tarnwick Help"));
}

TEST(HelpWindow, LinksBetweenPagesWork)
{
    HelpWindow w;
    w.ShowContents();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QTextBrowser *b = w.Browser();

    // Find the "Freecell" link of the contents and click it.
    int linkPos = -1;
    for (QTextBlock block = b->document()->begin(); block.isValid() && linkPos < 0; block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment frag = it.fragment();
            if (frag.charFormat().anchorHref() == HelpWindow::PageFor(game(u"Freecell")).fileName()) {
                linkPos = frag.position() + 1;
                break;
            }
        }
    ASSERT_GE(linkPos, 0);
    QTextCursor c(b->document());
    c.setPosition(linkPos);
    b->setTextCursor(c);
    b->ensureCursorVisible();
    const QPoint at = b->cursorRect(c).center();
    QTest::mouseClick(b->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(w.CurrentPage(), HelpWindow::PageFor(game(u"Freecell")));
    EXPECT_EQ(w.PageTitle(), QStringLiteral("Freecell"));
}

TEST(HelpWindow, SettingsObjectOpensPagesByGameName)
{
    TestData d;
    HelpWindow w;
    d.data.SetHelpViewer(&w);
    d.data.ShowRules(QStringLiteral("Freecell"));
    EXPECT_EQ(w.CurrentPage(), HelpWindow::PageFor(game(u"Freecell")));
    d.data.ShowRules(QStringLiteral("Zodiac"));
    EXPECT_EQ(w.CurrentPage(), HelpWindow::PageFor(frmGame::GameCount));
    // A name that is not a variant (wrong case) opens the contents.
    d.data.ShowRules(QStringLiteral("freecell"));
    EXPECT_EQ(w.CurrentPage(), HelpWindow::ContentsPage());
    d.data.ShowRules(QStringLiteral("Penguin"));
    d.data.ShowContents();
    EXPECT_EQ(w.CurrentPage(), HelpWindow::ContentsPage());
    d.data.SetHelpViewer(nullptr);
}

TEST(HelpWindow, PagesTakeTheSharedStyleSheet)
{
    HelpWindow w;
    w.ShowRules(game(u"Freecell"));
    const QTextDocument *doc = w.Browser()->document();
    bool styled = false;
    for (QTextBlock b = doc->begin(); b.isValid(); b = b.next()) {
        if (b.text() == QStringLiteral("Freecell") && b.blockFormat().headingLevel() == 1)
            styled = b.charFormat().foreground().color() == QColor(0x1f, 0x5a, 0x36)
                     || b.begin().fragment().charFormat().foreground().color() == QColor(0x1f, 0x5a, 0x36);
    }
    EXPECT_TRUE(styled);
}
