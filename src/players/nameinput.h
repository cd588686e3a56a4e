#pragma once

#include <QDialog>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tw {

class cData;
class cScore;
class Prompt;

// The name dialog: a prompt, a text field of at most 25 characters and
// OK / Cancel. OK refuses a name that is empty or cannot be part of a file
// name (the name becomes the player's score file name); the refusals are
// boxes of the prompt, owned by the dialog.
//
// Given the settings object and the score store it is the players' name
// dialog: OK also refuses a name already in a player slot and then saves it,
// either into the first free slot (no old name: a new player) or into the slot
// of the old name, which then follows to the current player and to the
// player's score file.
class dlGInput : public QDialog {
    Q_OBJECT
public:
    static constexpr int MaxNameLength = 25;

    explicit dlGInput(Prompt &prompt, QWidget *parent = nullptr);
    dlGInput(Prompt &prompt, cData &data, const cScore &score, QWidget *parent = nullptr);

    QLabel *Label1() const { return label_; }
    QLineEdit *Text1() const { return text_; }
    QPushButton *OKButton() const { return ok_; }
    QPushButton *CancelButton() const { return cancel_; }

    // Sets the prompt and the text, selects the whole text and takes the text
    // as the old name. Called once before the dialog is shown: taking it on
    // every activation would pick up the typed text after a message box.
    void Prepare(const QString &PromptText, const QString &Text);
    QString OldName() const { return oldName_; }

    // The tests and the save of OK; closes the dialog only when they pass.
    void OKButton_Click();

    // True for a text that may be a player name.
    static bool IsValidName(const QString &name);

private:
    void build();
    void refuse(const QString &text);
    QString title() const;
    bool saveNew(const QString &name);
    bool saveRename(const QString &name);

    Prompt &prompt_;
    cData *data_ = nullptr;
    const cScore *score_ = nullptr;
    QString oldName_;
    QLabel *label_ = nullptr;
    QLineEdit *text_ = nullptr;
    QPushButton *ok_ = nullptr;
    QPushButton *cancel_ = nullptr;
};

// Asks for a text: PromptText above a field holding Text, wholly selected.
// The dialog runs through the prompt. Returns the text on OK, nothing on
// Cancel.
std::optional<QString> GetInput(Prompt &prompt, const QString &PromptText, const QString &Text,
                                QWidget *parent = nullptr);

// The players' form: adds a player (Text empty) or renames the player Text.
// Returns the saved name on OK, nothing on Cancel.
std::optional<QString> GetInput(Prompt &prompt, cData &data, const cScore &score, const QString &PromptText,
                                const QString &Text, QWidget *parent = nullptr);

} // namespace tw
