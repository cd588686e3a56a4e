#pragma once

#include "settings/data.h"

#include <QPointer>
#include <QUrl>
#include <QWidget>

class QTextBrowser;
class QToolButton;

namespace tw {

// The help window: the contents page and one rules page per variant, shown
// from the compiled-in pages under qrc:/help/. The program makes one window
// and hands it to cData::SetHelpViewer; every help request reuses it, brings
// it to the front and leaves the rest of the program usable (not modal).
// Asked for from inside a modal window, it stands on that window until the
// window closes, so the modal window does not block it.
class HelpWindow : public QWidget, public HelpViewer {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent = nullptr);
    ~HelpWindow() override;

    // Rules of the variant with catalogue index context (1 to GameCount); any other
    // number, 0 for a name that is not a variant, opens the contents.
    void ShowRules(int context) override;
    void ShowContents() override;

    // The page that ShowRules(context) opens: each variant's page is named
    // after the variant ("Baker's Game": bakers-game.html), so a variant added
    // to the catalogue renames no other page.
    static QUrl PageFor(int context);
    static QUrl ContentsPage();
    // A help page as the window shows it. What follows the catalogue is made
    // here rather than written into the pages: each rules page gets its links
    // to the previous and the next variant, and the contents its table of the
    // games, one row per variant with the page's own description.
    static QString PageHtml(const QUrl &page);

    QUrl CurrentPage() const;
    QString PageTitle() const;
    QTextBrowser *Browser() const { return browser_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void open(const QUrl &page);
    void updateTitle();
    void belongTo(QWidget *owner);
    void placeFirstTime();

    QTextBrowser *browser_ = nullptr;
    QToolButton *back_ = nullptr;
    QToolButton *forward_ = nullptr;
    QToolButton *contents_ = nullptr;
    QPointer<QWidget> owner_; // the modal window the help stands on, if any
    bool placed_ = false;
};

} // namespace tw
