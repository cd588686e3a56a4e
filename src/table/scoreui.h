#pragma once

#include "records/score.h"

class QWidget;

namespace tw {

// The score store's questions, reports and save dialog as message boxes and
// the file dialog, titled with the product name.
class QtScoreUi : public ScoreUi {
public:
    explicit QtScoreUi(QWidget *parent) : parent_(parent) {}
    bool Confirm(const QString &text) override;
    void Info(const QString &text) override;
    void Error(const QString &text) override;
    std::optional<QString> AskSaveFileName(const QString &defaultName, const QString &filter) override;

private:
    QWidget *parent_;
};

} // namespace tw
