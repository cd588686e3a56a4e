#pragma once

#include <QDialog>
#include <optional>

class QLabel;
class QLineEdit;

namespace tw {

// The name dialog: a prompt, a text field and OK / Cancel.
class dlGInput : public QDialog {
    Q_OBJECT
public:
    explicit dlGInput(QWidget *parent = nullptr);
    QLabel *Label1() const { return label_; }
    QLineEdit *Text1() const { return text_; }

private:
    QLabel *label_;
    QLineEdit *text_;
};

// Asks for a text: the prompt above a field holding Text, wholly selected.
// Returns the text on OK, nothing on Cancel.
std::optional<QString> GetInput(const QString &Prompt, const QString &Text, QWidget *parent = nullptr);

} // namespace tw
