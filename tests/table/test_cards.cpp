#include "engine/numeric.h"
#include "players/nameinput.h"
#include "table/cards.h"
#include "table/qtprompt.h"
#include "testutil.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace tw;
using namespace tw::test;

namespace {
QPixmap solid(QColor c)
{
    QPixmap p(71, 96);
    p.fill(c);
    return p;
}

QColor centre(QWidget &w) { return w.grab().toImage().pixelColor(35, 48); }
} // namespace

TEST(CardControl, ShowsBackFaceAndInvertedSelection)
{
    TestTable t;
    CardState &s = t.engine.Cards[7];
    QelCard card(7, t.engine, nullptr);
    card.DeckPic(solid(Qt::blue));
    card.MainPic(solid(QColor(255, 255, 255)));
    EXPECT_EQ(centre(card), QColor(Qt::blue)); // a new card shows its back
    s.FaceMode = 2;                            // anything but 1 shows the face
    card.Refreshcard();
    EXPECT_EQ(centre(card), QColor(255, 255, 255));
    s.Selected = true;
    card.Refreshcard();
    EXPECT_EQ(centre(card), QColor(0, 0, 0)); // the face inverted
    s.FaceMode = 1;
    card.Refreshcard();
    EXPECT_EQ(centre(card), QColor(Qt::blue)); // a face-down card shows no selection
    // An empty picture keeps the old one and does not redraw.
    const int before = card.RefreshCount();
    card.DeckPic(QPixmap());
    card.MainPic(QPixmap());
    EXPECT_EQ(card.RefreshCount(), before);
    EXPECT_EQ(centre(card), QColor(Qt::blue));
    EXPECT_EQ(card.size(), QSize(71, 96));
}

TEST(CardControl, EngineRedrawsOnlyOnChange)
{
    TestTable t;
    struct CountingView : EngineView {
        void Refreshcard(int) override { ++n; }
        int n = 0;
    } view;
    Engine e(t.d.data, view);
    e.SetFaceMode(3, 1); // already 1: no redraw
    e.SetSelected(3, false);
    EXPECT_EQ(view.n, 0);
    e.SetFaceMode(3, 0);
    e.SetSelected(3, true);
    EXPECT_EQ(view.n, 2);
    EXPECT_EQ(e.GetCardColor(3), 1); // suit 0 after start: red
    e.SetValue(3, 1, 4, 1);
    EXPECT_EQ(e.GetCardColor(3), 2);
    e.SetValue(3, 2, 4, 2);
    EXPECT_EQ(e.GetCardColor(3), 1);
    e.SetValue(3, 3, 4, 3);
    EXPECT_EQ(e.GetCardColor(3), 2);
    e.MoveTo(3, 100.5f, 101.5f);
    EXPECT_EQ(e.GetCardLeft(3), 100);
    EXPECT_EQ(e.GetCardTop(3), 102);
}

TEST(CardControl, MouseEventsArePassedOnInTwips)
{
    TestTable t;
    QelCard card(12, t.engine, nullptr);
    card.show();
    QSignalSpy down(&card, &QelCard::MouseDown);
    QSignalSpy up(&card, &QelCard::MouseUp);
    QSignalSpy dbl(&card, &QelCard::DblClick);
    QTest::mousePress(&card, Qt::RightButton, Qt::NoModifier, QPoint(10, 20));
    QTest::mouseRelease(&card, Qt::RightButton, Qt::NoModifier, QPoint(10, 20));
    ASSERT_EQ(down.count(), 1); // any button
    EXPECT_EQ(down.at(0).at(0).toInt(), 12);
    EXPECT_FLOAT_EQ(down.at(0).at(1).toFloat(), 150.0f);
    EXPECT_FLOAT_EQ(down.at(0).at(2).toFloat(), 300.0f);
    EXPECT_EQ(up.count(), 1);
    QTest::mouseDClick(&card, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(dbl.count(), 1);
}

TEST(CardControl, MarkerKeepsItsPictureAndClicks)
{
    QelEmpty m(nullptr);
    m.Pic(solid(Qt::red));
    m.Pic(QPixmap());
    EXPECT_EQ(centre(m), QColor(Qt::red));
    m.show();
    QSignalSpy click(&m, &QelEmpty::Click);
    QTest::mouseClick(&m, Qt::LeftButton);
    EXPECT_EQ(click.count(), 1);
    EXPECT_EQ(m.Mode(), 0);
}

TEST(CardControl, CoordinatesPackIntoOneValue)
{
    const int32_t c = MakeCoord(3, -1);
    EXPECT_EQ(static_cast<uint32_t>(c), 0xFFFF0003u);
    EXPECT_EQ(CoordX(c), 3);
    EXPECT_EQ(CoordY(c), -1);
}

TEST(NameInput, PromptAndSelectedText)
{
    QtPrompt prompt;
    QTimer::singleShot(0, [] {
        auto *dlg = qobject_cast<dlGInput *>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        EXPECT_EQ(dlg->Label1()->text(), QStringLiteral("Enter a name"));
        EXPECT_EQ(dlg->Text1()->selectedText(), QStringLiteral("Player2"));
        dlg->Text1()->setText(QStringLiteral("Bob"));
        dlg->accept();
    });
    EXPECT_EQ(GetInput(prompt, QStringLiteral("Enter a name"), QStringLiteral("Player2")), QStringLiteral("Bob"));
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    EXPECT_FALSE(GetInput(prompt, QStringLiteral("Enter a name"), QStringLiteral("x")).has_value());
}
