#include "media/artwork.h"
#include "players/customize.h"
#include "records/score.h"
#include "scriptedprompt.h"
#include "settings/store.h"
#include "testutil.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QSet>
#include <QSlider>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <ostream>

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

using namespace tw;
using namespace tw::test;

namespace {

// Settings over an in-memory store, a score store over a fresh folder, the
// message boxes and the colour dialog caught, and a context that counts how
// often the table look was applied.
struct Fixture {
    TestData d;
    QTemporaryDir tmp;
    ScriptedPrompt ui; // the store's questions, reports and save dialog
    cScore score{d.data, &ui};
    ScriptedPrompt prompt; // the dialog's boxes and colour dialog
    AppContext ctx;
    int looks = 0;

    Fixture()
    {
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        d.data.SetAppDataLookup([this] { return tmp.path(); });
        QDir().mkpath(d.data.AppDir());
        ctx.data = &d.data;
        ctx.score = &score;
        ctx.applyTableLook = [this] { ++looks; };
        ctx.prompt = &prompt;
    }
    ~Fixture() { QLocale::setDefault(QLocale::c()); }
    std::vector<ScriptedPrompt::Asked> messages() const { return prompt.boxes(); }
    // The stored text of a key in section "Data", or "<missing>".
    QString stored(const QString &key)
    {
        return d.store.Read(QStringLiteral("Data"), key, QStringLiteral("<missing>"));
    }
    bool nothingStored(const QStringList &keys)
    {
        for (const QString &k : keys)
            if (stored(k) != "<missing>")
                return false;
        return true;
    }
};

const QStringList kOkOnlyKeys = {"CardSpeed",   "UndoSpeed",     "UndoallSpeed",  "ReplaySpeed", "SoundStart",
                                 "SoundCardUp", "SoundCardDown", "SoundAutoPlay", "SoundUndo",   "SoundRedo",
                                 "SoundWin",    "BGIndex",       "Fade",          "CustomColor", "DeckIndex"};

QTreeWidgetItem *findNode(const QTreeWidget *tree, const QString &text)
{
    const auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

QStringList childTexts(const QTreeWidgetItem *node)
{
    QStringList out;
    for (int i = 0; i < node->childCount(); ++i)
        out << node->child(i)->text(0);
    return out;
}

QList<int> childTags(const QTreeWidgetItem *node)
{
    QList<int> out;
    for (int i = 0; i < node->childCount(); ++i)
        out << node->child(i)->data(0, frmCustomize::TagRole).toInt();
    return out;
}

bool ticked(const frmCustomize &w, int row) { return w.lvSound->topLevelItem(row)->checkState(0) == Qt::Checked; }

void showIt(frmCustomize &w)
{
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
}

} // namespace

TEST(Customize, CaptionsTabsAndControls)
{
    Fixture f;
    frmCustomize w(f.ctx);
    EXPECT_EQ(w.windowTitle(), "Customize");
    ASSERT_EQ(w.SSTab1->count(), 4);
    EXPECT_EQ(w.SSTab1->tabText(0), "General");
    EXPECT_EQ(w.SSTab1->tabText(1), "Background");
    EXPECT_EQ(w.SSTab1->tabText(2), "Decks");
    EXPECT_EQ(w.SSTab1->tabText(3), "&Animation && Sounds");
    EXPECT_EQ(w.SSTab1->currentIndex(), 0);
    EXPECT_EQ(w.cmdOK->text(), "OK");
    EXPECT_TRUE(w.cmdOK->isDefault());
    EXPECT_EQ(w.cmdCancel->text(), "Cancel");
    EXPECT_EQ(w.Label2->text(), "Clear  Recent Games List");
    EXPECT_EQ(w.cmdClearRecent->text(), "Clear");
    EXPECT_EQ(w.Label1->text(), "Random Range Selection between 0 and ");
    EXPECT_EQ(w.chkTime->text(), "Show Time");
    EXPECT_EQ(w.chkScore->text(), "Show Score");
    EXPECT_EQ(w.chkMoves->text(), "Show Moves");
    EXPECT_EQ(w.cmdExportStat->text(), "Export Statistics");
    EXPECT_EQ(w.cmdClearStat->text(), "Clear Statistics");
    EXPECT_EQ(w.cmdCustom->text(), "Colors..");
    EXPECT_EQ(w.chkFade->text(), "Fade Background");
    EXPECT_EQ(w.lvSound->headerItem()->text(0), "Select Sound");

    QStringList frames;
    for (const QGroupBox *g : w.findChildren<QGroupBox *>())
        frames << g->title();
    for (const char *t : {"Recent List", "Random Range", "Game Statistics", "Card Moving Speed", "Undo/Redo Speed",
                          "Undoall/Redoall Speed", "Replay Speed"})
        EXPECT_TRUE(frames.contains(QString::fromLatin1(t))) << t;
    for (QSlider *s : {w.Slider1, w.Slider2, w.Slider3, w.Slider4}) {
        EXPECT_EQ(s->minimum(), 0);
        EXPECT_EQ(s->maximum(), 50);
    }
}

TEST(Customize, AnEmptyStoreShowsTheDefaultsAndOpeningWritesNothing)
{
    Fixture f;
    frmCustomize w(f.ctx);
    EXPECT_EQ(w.Slider1->value(), 45);
    EXPECT_EQ(w.Slider2->value(), 45);
    EXPECT_EQ(w.Slider3->value(), 48);
    EXPECT_EQ(w.Slider4->value(), 43);

    ASSERT_EQ(w.lvSound->topLevelItemCount(), 7);
    const QStringList rows = {"Initial Shuffle", "Card Up", "Card Down", "Autoplay Move", "Undo", "Redo", "Game Won"};
    const bool on[] = {true, false, false, true, true, true, true};
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(w.lvSound->topLevelItem(i)->text(0), rows[i]);
        EXPECT_EQ(ticked(w, i), on[i]) << rows[i].toStdString();
    }

    EXPECT_TRUE(w.chkTime->isChecked());
    EXPECT_TRUE(w.chkScore->isChecked());
    EXPECT_TRUE(w.chkMoves->isChecked());
    EXPECT_EQ(w.imcRange->currentIndex(), 14);

    EXPECT_EQ(w.mBG, 1007);
    EXPECT_EQ(w.mFade, 1);
    EXPECT_EQ(w.mColor, 128);
    EXPECT_EQ(w.mDeck, 531);
    ASSERT_EQ(w.tvBGround->selectedItems().size(), 1);
    EXPECT_EQ(w.tvBGround->currentItem()->text(0), "Dark Green");
    EXPECT_EQ(w.tvBGround->selectedItems().first()->text(0), "Dark Green");
    ASSERT_NE(w.tvDeck->currentItem(), nullptr);
    EXPECT_EQ(w.tvDeck->currentItem()->text(0), "Misc 01");
    EXPECT_EQ(w.ShownBack(), 531);
    EXPECT_FALSE(w.cmdCustom->isEnabled());
    EXPECT_TRUE(w.chkFade->isEnabled());
    EXPECT_TRUE(w.chkFade->isChecked());
    EXPECT_EQ(w.Picture1->Index(), 1007);
    EXPECT_EQ(w.picDeckBack->Index(), 1007);
    EXPECT_FALSE(w.cmdClearRecent->isEnabled());

    EXPECT_TRUE(f.nothingStored(kOkOnlyKeys + QStringList{"ShowTime", "ShowScore", "ShowMoves", "RangeIndex"}));
}

TEST(Customize, RangeItemsAndTheirImmediateWrite)
{
    Fixture f;
    frmCustomize w(f.ctx);
    ASSERT_EQ(w.imcRange->count(), 15);
    EXPECT_EQ(w.imcRange->itemText(0), "9");
    EXPECT_EQ(w.imcRange->itemText(1), "99");
    EXPECT_EQ(w.imcRange->itemText(2), "999");
    EXPECT_EQ(w.imcRange->itemText(3), "9,999");
    EXPECT_EQ(w.imcRange->itemText(14), "999,999,999,999,999");
    showIt(w);

    // Pick the third item with the keyboard: Home, then Down twice.
    w.imcRange->setFocus();
    QTest::keyClick(w.imcRange, Qt::Key_Home);
    QTest::keyClick(w.imcRange, Qt::Key_Down);
    QTest::keyClick(w.imcRange, Qt::Key_Down);
    EXPECT_EQ(w.imcRange->currentIndex(), 2);
    EXPECT_EQ(f.stored("RangeIndex"), "3");

    // Kept after Cancel.
    QTest::mouseClick(w.cmdCancel, Qt::LeftButton);
    EXPECT_EQ(f.stored("RangeIndex"), "3");
    EXPECT_EQ(f.looks, 0);

    frmCustomize again(f.ctx);
    EXPECT_EQ(again.imcRange->currentIndex(), 2);
}

TEST(Customize, ARangeOutsideTheListShowsTheNearestAndStaysStored)
{
    Fixture f;
    f.d.data.RangeIndex(20);
    frmCustomize w(f.ctx);
    EXPECT_EQ(w.imcRange->currentIndex(), 14); // the range the game numbers come from
    QTest::mouseClick(w.cmdOK, Qt::LeftButton);
    EXPECT_EQ(f.stored("RangeIndex"), "20");
    f.d.data.RangeIndex(0);
    frmCustomize again(f.ctx);
    EXPECT_EQ(again.imcRange->currentIndex(), 0);
}

TEST(Customize, ShowFlagsAreWrittenAtOnceAsOneAndZero)
{
    Fixture f;
    frmCustomize w(f.ctx);
    showIt(w);
    QTest::mouseClick(w.chkTime, Qt::LeftButton);
    EXPECT_EQ(f.stored("ShowTime"), "0");
    QTest::mouseClick(w.chkScore, Qt::LeftButton);
    EXPECT_EQ(f.stored("ShowScore"), "0");
    QTest::mouseClick(w.chkMoves, Qt::LeftButton);
    EXPECT_EQ(f.stored("ShowMoves"), "0");
    QTest::mouseClick(w.chkMoves, Qt::LeftButton);
    EXPECT_EQ(f.stored("ShowMoves"), "1");
    QTest::mouseClick(w.cmdCancel, Qt::LeftButton);
    EXPECT_EQ(f.stored("ShowTime"), "0");
    EXPECT_EQ(f.stored("ShowScore"), "0");
    EXPECT_EQ(f.stored("ShowMoves"), "1");
    EXPECT_TRUE(f.nothingStored(kOkOnlyKeys));

    frmCustomize again(f.ctx);
    EXPECT_FALSE(again.chkTime->isChecked());
    EXPECT_FALSE(again.chkScore->isChecked());
    EXPECT_TRUE(again.chkMoves->isChecked());
}

TEST(Customize, SpeedsAreWrittenOnlyByOk)
{
    {
        Fixture f;
        frmCustomize w(f.ctx);
        showIt(w);
        w.Slider1->setFocus();
        QTest::keyClick(w.Slider1, Qt::Key_End);
        EXPECT_EQ(w.Slider1->value(), 50);
        w.Slider2->setValue(0);
        w.Slider3->setValue(30);
        EXPECT_TRUE(f.nothingStored(kOkOnlyKeys));
        QTest::mouseClick(w.cmdCancel, Qt::LeftButton);
        EXPECT_TRUE(f.nothingStored(kOkOnlyKeys));
        EXPECT_EQ(f.looks, 0);
    }
    {
        Fixture f;
        frmCustomize w(f.ctx);
        showIt(w);
        w.Slider1->setFocus();
        QTest::keyClick(w.Slider1, Qt::Key_End);
        w.Slider2->setValue(0);
        w.Slider3->setValue(30);
        QTest::mouseClick(w.cmdOK, Qt::LeftButton);
        EXPECT_EQ(f.stored("CardSpeed"), "0");
        EXPECT_EQ(f.stored("UndoSpeed"), "50");
        EXPECT_EQ(f.stored("UndoallSpeed"), "20");
        EXPECT_EQ(f.stored("ReplaySpeed"), "7");
        EXPECT_EQ(w.result(), QDialog::Accepted);
        EXPECT_FALSE(w.isVisible());
    }
}

TEST(Customize, SoundsAreStoredAsMinusOneAndZero)
{
    Fixture f;
    f.d.data.SoundWin(1); // a stored 1: shown ticked, saved as -1
    f.d.data.SoundCardUp(-1);
    f.d.data.SoundStart(0);
    frmCustomize w(f.ctx);
    EXPECT_TRUE(ticked(w, 6));
    EXPECT_TRUE(ticked(w, 1));
    EXPECT_FALSE(ticked(w, 0));
    showIt(w);

    // Tick "Card Down" by clicking its check box, untick "Undo".
    w.SSTab1->setCurrentIndex(3);
    QTreeWidgetItem *down = w.lvSound->topLevelItem(2);
    down->setCheckState(0, Qt::Checked);
    w.lvSound->topLevelItem(4)->setCheckState(0, Qt::Unchecked);
    EXPECT_EQ(f.stored("SoundCardDown"), "<missing>");
    QTest::mouseClick(w.cmdOK, Qt::LeftButton);

    EXPECT_EQ(f.stored("SoundStart"), "0");
    EXPECT_EQ(f.stored("SoundCardUp"), "-1");
    EXPECT_EQ(f.stored("SoundCardDown"), "-1");
    EXPECT_EQ(f.stored("SoundAutoPlay"), "-1");
    EXPECT_EQ(f.stored("SoundUndo"), "0");
    EXPECT_EQ(f.stored("SoundRedo"), "-1");
    EXPECT_EQ(f.stored("SoundWin"), "-1");
}

TEST(Customize, SoundCheckBoxesRespondToTheMouse)
{
    Fixture f;
    frmCustomize w(f.ctx);
    showIt(w);
    w.SSTab1->setCurrentIndex(3);
    QTest::qWait(20);
    QTreeWidgetItem *up = w.lvSound->topLevelItem(1);
    const QRect r = w.lvSound->visualItemRect(up);
    // The check box sits at the left of the row, before the icon.
    QTest::mouseClick(w.lvSound->viewport(), Qt::LeftButton, {}, QPoint(r.left() + 10, r.center().y()));
    EXPECT_TRUE(ticked(w, 1));
    QTest::mouseClick(w.cmdOK, Qt::LeftButton);
    EXPECT_EQ(f.stored("SoundCardUp"), "-1");
}

TEST(Customize, BackgroundTreeOffersColoursAndPictureGroups)
{
    Fixture f;
    frmCustomize w(f.ctx);
    ASSERT_EQ(w.tvBGround->topLevelItemCount(), 1);
    QTreeWidgetItem *root = w.tvBGround->topLevelItem(0);
    EXPECT_EQ(root->text(0), "Backgrounds");
    EXPECT_EQ(root->data(0, frmCustomize::KeyRole).toString(), "main");
    EXPECT_FALSE(root->data(0, frmCustomize::TagRole).isValid());
    EXPECT_EQ(childTexts(root),
              QStringList({"Colors", "Bricks", "Marbles", "Paper", "Rocks", "Stars", "Surfaces", "Water", "Wood"}));
    QTreeWidgetItem *colours = root->child(0);
    EXPECT_EQ(colours->data(0, frmCustomize::KeyRole).toString(), "c");
    EXPECT_FALSE(colours->data(0, frmCustomize::TagRole).isValid());
    ASSERT_EQ(colours->childCount(), 21);
    EXPECT_EQ(colours->child(0)->text(0), "Custom Color");
    EXPECT_EQ(colours->child(0)->data(0, frmCustomize::KeyRole).toString(), "custom");
    QStringList names;
    for (int i = 1; i <= 20; ++i) {
        names << colours->child(i)->text(0);
        EXPECT_EQ(colours->child(i)->data(0, frmCustomize::TagRole).toInt(), 1000 + i);
    }
    EXPECT_EQ(names, QStringList({"Blue",         "Brown",           "Chocolate",
                                  "Corn Flower",  "Crimson",         "Dark Blue",
                                  "Dark Green",   "Dark Magenta",    "Dark Olive Green",
                                  "Dark Red",     "Dark Slate Blue", "Dark Slate Gray",
                                  "Dark Violet",  "Deep Pink",       "Deep Sky Blue",
                                  "Forest Green", "Green",           "Indigo",
                                  "Orange Red",   "Purple"}));
    EXPECT_EQ(childTags(colours).first(), 1000);

    QTreeWidgetItem *bricks = root->child(1);
    EXPECT_EQ(bricks->data(0, frmCustomize::KeyRole).toString(), "Bricks");
    EXPECT_EQ(childTexts(bricks), QStringList({"Bricks 01", "Bricks 02", "Bricks 03", "Bricks 04", "Bricks 05"}));
    EXPECT_EQ(childTags(bricks), QList<int>({1, 2, 3, 4, 5}));
    EXPECT_EQ(childTags(root->child(2)), QList<int>({11, 12, 13}));
    EXPECT_EQ(childTags(root->child(4)), QList<int>({31, 32, 33, 34}));
    EXPECT_EQ(childTexts(root->child(8)), QStringList({"Wood 01", "Wood 02", "Wood 03"}));
    EXPECT_EQ(childTags(root->child(8)), QList<int>({71, 72, 73}));
}

TEST(Customize, ChoosingABackgroundEnablesItsControlsAndPreviews)
{
    Fixture f;
    frmCustomize w(f.ctx);
    showIt(w);
    w.SSTab1->setCurrentIndex(1);

    w.tvBGround->setCurrentItem(findNode(w.tvBGround, "Custom Color"));
    EXPECT_EQ(w.mBG, 1000);
    EXPECT_TRUE(w.cmdCustom->isEnabled());
    EXPECT_TRUE(w.chkFade->isEnabled());
    EXPECT_EQ(w.Picture1->Index(), 1000);

    w.tvBGround->setCurrentItem(findNode(w.tvBGround, "Purple"));
    EXPECT_EQ(w.mBG, 1020);
    EXPECT_FALSE(w.cmdCustom->isEnabled());
    EXPECT_TRUE(w.chkFade->isEnabled());

    w.tvBGround->setCurrentItem(findNode(w.tvBGround, "Water 02"));
    EXPECT_EQ(w.mBG, 62);
    EXPECT_FALSE(w.cmdCustom->isEnabled());
    EXPECT_FALSE(w.chkFade->isEnabled());
    EXPECT_EQ(w.Picture1->Index(), 62);
    EXPECT_EQ(w.picDeckBack->Index(), 62);

    // A group keeps the choice and the preview but disables both controls.
    w.tvBGround->setCurrentItem(findNode(w.tvBGround, "Custom Color"));
    w.tvBGround->setCurrentItem(findNode(w.tvBGround, "Rocks"));
    EXPECT_EQ(w.mBG, 1000);
    EXPECT_EQ(w.Picture1->Index(), 1000);
    EXPECT_FALSE(w.cmdCustom->isEnabled());
    EXPECT_FALSE(w.chkFade->isEnabled());
    w.tvBGround->setCurrentItem(w.tvBGround->topLevelItem(0));
    EXPECT_EQ(w.mBG, 1000);

    // A mouse click on an entry chooses it as well.
    QTreeWidgetItem *bricks3 = findNode(w.tvBGround, "Bricks 03");
    bricks3->parent()->setExpanded(true);
    w.tvBGround->scrollToItem(bricks3);
    QTest::mouseClick(w.tvBGround->viewport(), Qt::LeftButton, {}, w.tvBGround->visualItemRect(bricks3).center());
    EXPECT_EQ(w.mBG, 3);

    EXPECT_TRUE(f.nothingStored(kOkOnlyKeys));
    QTest::mouseClick(w.cmdOK, Qt::LeftButton);
    EXPECT_EQ(f.stored("BGIndex"), "3");
    EXPECT_EQ(f.looks, 1);
}

TEST(Customize, CustomColourFadeAndOk)
{
    Fixture f;
    frmCustomize w(f.ctx);
    showIt(w);
    w.SSTab1->setCurrentIndex(1);
    w.tvBGround->setCurrentItem(findNode(w.tvBGround, "Custom Color"));

    // Cancel in the colour dialog keeps the colour.
    f.prompt.colour.reset();
    QTest::mouseClick(w.cmdCustom, Qt::LeftButton);
    EXPECT_EQ(f.prompt.last(ScriptedPrompt::Asked::Colour).initial, QColor(128, 0, 0));
    EXPECT_EQ(w.mColor, 128);

    f.prompt.colour = QColor(10, 20, 30);
    QTest::mouseClick(w.cmdCustom, Qt::LeftButton);
    EXPECT_EQ(w.mColor, 10 + 256 * 20 + 65536 * 30);
    EXPECT_EQ(w.Picture1->Colour(), 1971210);

    QTest::mouseClick(w.chkFade, Qt::LeftButton);
    EXPECT_EQ(w.mFade, 0);
    EXPECT_EQ(w.Picture1->Mode(), 0);
    EXPECT_TRUE(f.nothingStored(kOkOnlyKeys));

    int looksAtOk = -1;
    QString bgAtLook;
    f.ctx.applyTableLook = [&] {
        looksAtOk = 1;
        bgAtLook = f.stored("BGIndex");
    };
    frmCustomize w2(f.ctx); // the same choices made in a dialog that sees the new hook
    showIt(w2);
    w2.tvBGround->setCurrentItem(findNode(w2.tvBGround, "Custom Color"));
    QTest::mouseClick(w2.cmdCustom, Qt::LeftButton);
    QTest::mouseClick(w2.chkFade, Qt::LeftButton);
    QTest::mouseClick(w2.cmdOK, Qt::LeftButton);
    EXPECT_EQ(looksAtOk, 1);
    EXPECT_EQ(bgAtLook, "1000") << "the table look is applied after the settings are written";
    EXPECT_EQ(f.stored("CustomColor"), "1971210");
    EXPECT_EQ(f.stored("BGIndex"), "1000");
    EXPECT_EQ(f.stored("Fade"), "0");
    EXPECT_EQ(f.stored("DeckIndex"), "531");
}

TEST(Customize, CancelWritesNoneOfTheOkSettings)
{
    Fixture f;
    frmCustomize w(f.ctx);
    showIt(w);
    w.tvBGround->setCurrentItem(findNode(w.tvBGround, "Custom Color"));
    f.prompt.colour = QColor(1, 2, 3);
    QTest::mouseClick(w.cmdCustom, Qt::LeftButton);
    QTest::mouseClick(w.chkFade, Qt::LeftButton);
    w.tvDeck->setCurrentItem(findNode(w.tvDeck, "Nature 04"));
    w.lvSound->topLevelItem(0)->setCheckState(0, Qt::Unchecked);
    w.Slider4->setValue(0);
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QDialog::Rejected);
    EXPECT_TRUE(f.nothingStored(kOkOnlyKeys));
    EXPECT_EQ(f.looks, 0);
}

TEST(Customize, DeckTreeOffersTheBacksWithout545)
{
    Fixture f;
    frmCustomize w(f.ctx);
    ASSERT_EQ(w.tvDeck->topLevelItemCount(), 1);
    QTreeWidgetItem *root = w.tvDeck->topLevelItem(0);
    EXPECT_EQ(root->text(0), "Decks");
    EXPECT_EQ(root->data(0, frmCustomize::KeyRole).toString(), "main");
    EXPECT_EQ(childTexts(root), QStringList({"Flowers", "Garden", "Geometry", "Misc", "Nature"}));
    QList<int> offered;
    for (int g = 0; g < root->childCount(); ++g) {
        EXPECT_FALSE(root->child(g)->data(0, frmCustomize::TagRole).isValid());
        offered += childTags(root->child(g));
    }
    QList<int> expected;
    for (const auto &c : art::BackCategories())
        expected += c.ids;
    EXPECT_EQ(offered, expected);
    EXPECT_FALSE(offered.contains(545));
    EXPECT_EQ(offered.size(), 15);
    EXPECT_EQ(childTexts(root->child(4)), QStringList({"Nature 01", "Nature 02", "Nature 03", "Nature 04"}));
    EXPECT_EQ(childTags(root->child(1)), QList<int>({511, 512}));
}

TEST(Customize, ChoosingABackPreviewsItAndOkStoresIt)
{
    Fixture f;
    frmCustomize w(f.ctx);
    showIt(w);
    w.SSTab1->setCurrentIndex(2);
    w.tvDeck->setCurrentItem(findNode(w.tvDeck, "Geometry 02"));
    EXPECT_EQ(w.mDeck, 522);
    EXPECT_EQ(w.ShownBack(), 522);
    EXPECT_EQ(w.PicDeck->pixmap().toImage().convertToFormat(QImage::Format_ARGB32),
              art::Back(522, w.PicDeck->devicePixelRatioF()).toImage().convertToFormat(QImage::Format_ARGB32));
    w.tvDeck->setCurrentItem(findNode(w.tvDeck, "Garden"));
    EXPECT_EQ(w.mDeck, 522) << "a group changes nothing";
    EXPECT_EQ(f.stored("DeckIndex"), "<missing>");
    QTest::mouseClick(w.cmdOK, Qt::LeftButton);
    EXPECT_EQ(f.stored("DeckIndex"), "522");
    EXPECT_EQ(f.looks, 1);
}

TEST(Customize, StoredValuesTheTreesDoNotOfferSelectNothingAndSurviveOk)
{
    Fixture f;
    f.d.data.DeckIndex(545);
    f.d.data.BGIndex(1023);
    {
        frmCustomize w(f.ctx);
        EXPECT_TRUE(w.tvDeck->selectedItems().isEmpty());
        EXPECT_TRUE(w.tvBGround->selectedItems().isEmpty());
        EXPECT_EQ(w.mDeck, 545);
        EXPECT_EQ(w.ShownBack(), 545);
        EXPECT_EQ(w.Picture1->Index(), 1023);
        EXPECT_TRUE(w.chkFade->isEnabled());
        // Merely visiting the trees chooses nothing.
        showIt(w);
        w.SSTab1->setCurrentIndex(1);
        w.tvBGround->setFocus();
        w.SSTab1->setCurrentIndex(2);
        w.tvDeck->setFocus();
        QTest::qWait(10);
        EXPECT_TRUE(w.chkFade->isEnabled());
        EXPECT_TRUE(w.tvBGround->selectedItems().isEmpty());
        EXPECT_EQ(w.mBG, 1023);
        EXPECT_EQ(w.mDeck, 545);
        QTest::mouseClick(w.cmdOK, Qt::LeftButton);
        EXPECT_EQ(f.stored("DeckIndex"), "545");
        EXPECT_EQ(f.stored("BGIndex"), "1023");
    }
    f.d.data.DeckIndex(999); // no such back: the default back is shown
    frmCustomize w(f.ctx);
    EXPECT_EQ(w.mDeck, 999);
    EXPECT_EQ(w.ShownBack(), 531);
}

TEST(Customize, StoredChoicesAreSelectedAtOpening)
{
    Fixture f;
    f.d.data.BGIndex(1000);
    f.d.data.Fade(0);
    f.d.data.CustomColor(65280);
    f.d.data.DeckIndex(533);
    frmCustomize w(f.ctx);
    ASSERT_NE(w.tvBGround->currentItem(), nullptr);
    EXPECT_EQ(w.tvBGround->currentItem()->text(0), "Custom Color");
    EXPECT_TRUE(w.cmdCustom->isEnabled());
    EXPECT_TRUE(w.chkFade->isEnabled());
    EXPECT_FALSE(w.chkFade->isChecked());
    EXPECT_EQ(w.Picture1->Colour(), 65280);
    EXPECT_EQ(w.Picture1->Mode(), 0);
    ASSERT_NE(w.tvDeck->currentItem(), nullptr);
    EXPECT_EQ(w.tvDeck->currentItem()->text(0), "Misc 03");
    EXPECT_TRUE(w.tvDeck->currentItem()->parent()->isExpanded());

    f.d.data.BGIndex(24);
    frmCustomize w2(f.ctx);
    ASSERT_NE(w2.tvBGround->currentItem(), nullptr);
    EXPECT_EQ(w2.tvBGround->currentItem()->text(0), "Paper 04");
    EXPECT_FALSE(w2.cmdCustom->isEnabled());
    EXPECT_FALSE(w2.chkFade->isEnabled());
}

TEST(Customize, ClearRecentAsksAndReports)
{
    Fixture f;
    f.d.data.SetRecent(QStringLiteral("Freecell"));
    f.d.data.SetRecent(QStringLiteral("Penguin"));
    {
        frmCustomize w(f.ctx);
        EXPECT_TRUE(w.cmdClearRecent->isEnabled());
        showIt(w);
        f.prompt.answerYes = false;
        QTest::mouseClick(w.cmdClearRecent, Qt::LeftButton);
        ASSERT_EQ(f.messages().size(), 1u);
        EXPECT_EQ(f.messages()[0].text, "Are you sure you want to clear the Recent Games List ?");
        EXPECT_EQ(f.messages()[0].title, "Tarnwick");
        EXPECT_EQ(f.messages()[0].icon, QMessageBox::Question);
        EXPECT_EQ(f.messages()[0].buttons, QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(f.d.data.RecentCount(), 2);
        EXPECT_TRUE(w.cmdClearRecent->isEnabled());

        f.prompt.answerYes = true;
        QTest::mouseClick(w.cmdClearRecent, Qt::LeftButton);
        ASSERT_EQ(f.messages().size(), 3u);
        EXPECT_EQ(f.messages()[2].text, "Recent Games List has been Cleared.");
        EXPECT_EQ(f.messages()[2].icon, QMessageBox::Information);
        EXPECT_EQ(f.messages()[2].title, "Tarnwick");
        EXPECT_EQ(f.d.data.RecentCount(), 0);
        for (int16_t i = 1; i <= 5; ++i)
            EXPECT_TRUE(f.d.data.GetRecent(i).isEmpty());
        EXPECT_FALSE(w.cmdClearRecent->isEnabled());
        QTest::mouseClick(w.cmdCancel, Qt::LeftButton);
    }
    EXPECT_EQ(f.d.data.RecentCount(), 0) << "kept after Cancel";
}

TEST(Customize, StatisticsButtonsGoToTheScoreStore)
{
    Fixture f;
    f.d.data.SetPlayer(1, QStringLiteral("Ann"), true);
    const QString file = f.score.ScoreFileName(QStringLiteral("Ann"));
    {
        QFile out(file);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write("x\r\n");
    }
    frmCustomize w(f.ctx);
    showIt(w);
    f.ui.answerYes = false;
    QTest::mouseClick(w.cmdClearStat, Qt::LeftButton);
    EXPECT_EQ(f.ui.questions().size(), 1);
    EXPECT_TRUE(QFile::exists(file));
    f.ui.answerYes = true;
    QTest::mouseClick(w.cmdClearStat, Qt::LeftButton);
    EXPECT_FALSE(QFile::exists(file));
    EXPECT_EQ(f.ui.infos().size(), 1);

    QTest::mouseClick(w.cmdExportStat, Qt::LeftButton);
    EXPECT_EQ(f.ui.count(ScriptedPrompt::Asked::SaveFile), 1);
    EXPECT_EQ(f.ui.last(ScriptedPrompt::Asked::SaveFile).text, "Scoreboard");
}

TEST(Customize, ShowModalRunsUntilClosed)
{
    Fixture f;
    f.prompt.playDialog = ScriptedPrompt::exec;
    QTimer::singleShot(100, [] {
        if (auto *w = qobject_cast<frmCustomize *>(QApplication::activeModalWidget()))
            w->cmdOK->click();
    });
    EXPECT_EQ(frmCustomize::showModal(f.ctx), QDialog::Accepted);
    EXPECT_EQ(f.looks, 1);
    EXPECT_EQ(f.stored("CardSpeed"), "5");
}

TEST(Customize, AClickOnTheCurrentRootStillDisablesFadeAndColour)
{
    Fixture f;
    f.d.data.BGIndex(1022); // a colour the tree does not list: the root is current
    frmCustomize w(f.ctx);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    QTreeWidgetItem *root = w.tvBGround->topLevelItem(0);
    ASSERT_NE(root, nullptr);
    const QRect r = w.tvBGround->visualItemRect(root);
    QTest::mouseClick(w.tvBGround->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
    EXPECT_FALSE(w.chkFade->isEnabled());
    EXPECT_FALSE(w.cmdCustom->isEnabled());
}
