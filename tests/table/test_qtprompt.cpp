#include "table/qtprompt.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

using namespace tw;

namespace {

Prompt::Message message(Prompt::Icon icon, bool yesNo, Prompt::Default enter = Prompt::Default::Automatic,
                        const QString &title = QString())
{
    Prompt::Message m;
    m.icon = icon;
    m.yesNo = yesNo;
    m.enter = enter;
    m.title = title;
    m.text = QStringLiteral("text");
    return m;
}

} // namespace

// How each box the program asks for looks on screen.
TEST(MessageBoxLook, IconsButtonsAndTheButtonEnterPresses)
{
    MessageBoxLook look = LookOf(message(Prompt::Icon::Question, true, Prompt::Default::No));
    EXPECT_EQ(look.icon, QMessageBox::Question);
    EXPECT_EQ(look.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(look.defaultButton, QMessageBox::No);

    look = LookOf(message(Prompt::Icon::Critical, true));
    EXPECT_EQ(look.icon, QMessageBox::Critical);
    EXPECT_EQ(look.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(look.defaultButton, QMessageBox::NoButton); // the box picks it

    look = LookOf(message(Prompt::Icon::Information, false));
    EXPECT_EQ(look.icon, QMessageBox::Information);
    EXPECT_EQ(look.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(look.defaultButton, QMessageBox::NoButton);

    // Enter on No means nothing without Yes and No.
    look = LookOf(message(Prompt::Icon::Critical, false, Prompt::Default::No));
    EXPECT_EQ(look.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
    EXPECT_EQ(look.defaultButton, QMessageBox::NoButton);
}

TEST(MessageBoxLook, TitleIsTheBoxsOwnOrTheApplicationTitle)
{
    const QString before = QCoreApplication::applicationName();
    QCoreApplication::setApplicationName(QStringLiteral("Tarnwick"));
    EXPECT_EQ(LookOf(message(Prompt::Icon::Information, false)).title, "Tarnwick");
    EXPECT_EQ(Prompt::TitleOf(message(Prompt::Icon::Information, false)), "Tarnwick");
    EXPECT_EQ(LookOf(message(Prompt::Icon::Question, true, Prompt::Default::No, "Players")).title, "Players");
    QCoreApplication::setApplicationName(before);
}
