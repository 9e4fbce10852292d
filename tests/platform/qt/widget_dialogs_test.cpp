// The widget questions reach the installed dialogs when they can answer them, the Qt dialogs when
// nothing is installed, and never a real dialog behind a plain double's back.
#include <gtest/gtest.h>

#include <QDialog>
#include <memory>
#include <stdexcept>

#include "platform/qt/dialogs.h"
#include "platform/qt/scripted_dialogs.h"
#include "support/recorded_dialogs.h"

TEST(WidgetDialogSeam, FollowsTheInstalledDialogsAndRefusesPlainOnes) {
    // The program's session makes its Qt dialogs the default.
    TQtDialogs qtDialogs;
    auto defaultDialogs = std::make_unique<TDefaultDialogs>(qtDialogs);
    EXPECT_EQ(&WidgetDialogs(), &qtDialogs);
    {
        TScriptedDialogs scripted;
        TDialogsScope scope(scripted);
        EXPECT_EQ(&WidgetDialogs(), &scripted);
        QDialog dialog;
        dialog.setObjectName("Probe");
        EXPECT_EQ(WidgetDialogs().ShowModal(dialog), TModalResult::mrCancel);
        EXPECT_EQ(scripted.ModalDialogs, std::vector<std::string>{"Probe"});
        {
            TRecordedDialogs plain;
            TDialogsScope plainScope(plain);
            EXPECT_THROW(WidgetDialogs(), std::logic_error);
        }
        EXPECT_EQ(&WidgetDialogs(), &scripted);
    }
    EXPECT_EQ(&Dialogs(), &qtDialogs);
    defaultDialogs.reset();
    EXPECT_THROW(Dialogs(), std::logic_error);
}
