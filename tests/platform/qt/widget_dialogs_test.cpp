// The widget questions reach the installed dialogs when they can answer them, the Qt dialogs when
// nothing is installed, and never a real dialog behind a plain double's back.
#include <gtest/gtest.h>

#include <QDialog>
#include <stdexcept>

#include "platform/qt/dialogs.h"
#include "platform/qt/scripted_dialogs.h"
#include "support/recorded_dialogs.h"

TEST(WidgetDialogSeam, FollowsTheInstalledDialogsAndRefusesPlainOnes) {
    EXPECT_EQ(&WidgetDialogs(), &QtDialogs());
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
    EXPECT_EQ(&Dialogs(), &QtDialogs());
}
