#pragma once

#include "statistics/appcontext.h"

#include <QDialog>
#include <QImage>
#include <cstdint>

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace tw {

// A picture box that shows a table background as the table would paint it,
// scaled to its own size.
class BackgroundPreview : public QWidget {
    Q_OBJECT
public:
    explicit BackgroundPreview(QWidget *parent = nullptr);
    void SetBackground(int16_t Index, int16_t Mode, int32_t Colour);
    int16_t Index() const { return index_; }
    int16_t Mode() const { return mode_; }
    int32_t Colour() const { return colour_; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    int16_t index_ = 1007;
    int16_t mode_ = 1;
    int32_t colour_ = 128;
    QImage cache_;
    bool stale_ = true;
};

// The options dialog "Customize". The three show flags and the random range
// are written as soon as their control changes; speeds, sounds, background,
// fade, custom colour and card back only by OK, which then has the table
// repainted (AppContext::applyTableLook). Its boxes and the colour dialog go
// through the context's prompt. Opened modal with
//   frmCustomize::showModal(context);
class frmCustomize : public QDialog {
    Q_OBJECT
public:
    explicit frmCustomize(const AppContext &ctx, QWidget *parent = nullptr);
    static int showModal(const AppContext &ctx, QWidget *owner = nullptr);

    // Role of the background index or card-back id on a tree entry; groups
    // and the root have none.
    static constexpr int TagRole = Qt::UserRole;
    // Role of a tree node's key ("main", "c", "custom", a group's name).
    static constexpr int KeyRole = Qt::UserRole + 1;

    // The choices held until OK.
    int16_t mBG = 0;
    int32_t mColor = 0;
    int16_t mFade = 0;
    int16_t mDeck = 0;

    QTabWidget *SSTab1 = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdCancel = nullptr;
    // General
    QLabel *Label2 = nullptr;
    QPushButton *cmdClearRecent = nullptr;
    QLabel *Label1 = nullptr;
    QComboBox *imcRange = nullptr;
    QCheckBox *chkTime = nullptr;
    QCheckBox *chkScore = nullptr;
    QCheckBox *chkMoves = nullptr;
    QPushButton *cmdExportStat = nullptr;
    QPushButton *cmdClearStat = nullptr;
    // Background
    QTreeWidget *tvBGround = nullptr;
    BackgroundPreview *Picture1 = nullptr;
    QPushButton *cmdCustom = nullptr;
    QCheckBox *chkFade = nullptr;
    // Decks
    QTreeWidget *tvDeck = nullptr;
    BackgroundPreview *picDeckBack = nullptr;
    QLabel *PicDeck = nullptr;
    // Animation & Sounds
    QSlider *Slider1 = nullptr;
    QSlider *Slider2 = nullptr;
    QSlider *Slider3 = nullptr;
    QSlider *Slider4 = nullptr;
    QTreeWidget *lvSound = nullptr;

    // The card back PicDeck shows.
    int ShownBack() const { return shownBack_; }

    void PreviewBG();
    void PreviewDeck(int16_t Id);

private:
    QWidget *buildGeneral();
    QWidget *buildBackground();
    QWidget *buildDecks();
    QWidget *buildSounds();

    void LoadGeneral();
    void LoadBackgrounds();
    void AddBGGroup(QTreeWidgetItem *root, const QString &Group, const QList<int> &ids);
    void LoadSpeeds();
    void LoadSounds();
    void SaveSounds();
    void LoadDecks();
    void AddDeckGroup(QTreeWidgetItem *root, const QString &Group, const QList<int> &ids);
    void addPictureGroup(QTreeWidget *tree, QTreeWidgetItem *root, const QString &Group, const QList<int> &ids,
                         int current);

    void tvBGround_NodeClick(QTreeWidgetItem *node);
    void tvDeck_NodeClick(QTreeWidgetItem *node);
    void cmdCustom_Click();
    void cmdClearRecent_Click();
    void cmdOK_Click();

    AppContext ctx_;
    int shownBack_ = 0;
};

} // namespace tw
