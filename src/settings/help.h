#pragma once

#include "settings/data.h"

#include <QUrl>
#include <QWidget>

class QTextBrowser;
class QToolButton;

namespace tw {

// The help window: the contents page and one rules page per variant, shown
// from the compiled-in pages under qrc:/help/. The program makes one window
// and hands it to cData::SetHelpViewer; every help request reuses it, brings
// it to the front and leaves the rest of the program usable (not modal).
class HelpWindow : public QWidget, public HelpViewer {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget *parent = nullptr);
    ~HelpWindow() override;

    // Rules of the variant with catalogue index context (1 to 35); any other
    // number, 0 for a name that is not a variant, opens the contents.
    void ShowRules(int context) override;
    void ShowContents() override;

    // The page that ShowRules(context) opens.
    static QUrl PageFor(int context);
    static QUrl ContentsPage();

    QUrl CurrentPage() const;
    QString PageTitle() const;
    QTextBrowser *Browser() const { return browser_; }

private:
    void open(const QUrl &page);
    void updateTitle();

    QTextBrowser *browser_ = nullptr;
    QToolButton *back_ = nullptr;
    QToolButton *forward_ = nullptr;
    QToolButton *contents_ = nullptr;
};

} // namespace tw
