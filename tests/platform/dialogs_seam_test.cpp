// The dialog seam without widgets: no default in a program without them, installed
// implementations nest, and a default answers when none is installed.
#include "platform/dialogs.h"

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

#include "support/recorded_dialogs.h"

TEST(PlainDialogSeam, AsksNobodyWithoutDefaultAndNestsInstalledOnes) {
    EXPECT_THROW(Dialogs(), std::logic_error);
    TRecordedDialogs fallback;
    SetDefaultDialogs(&fallback);
    EXPECT_EQ(&Dialogs(), &fallback);
    {
        TRecordedDialogs outer;
        TDialogsScope outerScope(outer);
        {
            TRecordedDialogs inner;
            TDialogsScope innerScope(inner);
            EXPECT_EQ(Dialogs().MessageDlg("q", TMsgDlgType::mtConfirmation, mbYes | mbNo),
                      TModalResult::mrYes);
            EXPECT_EQ(inner.Messages, std::vector<std::string>{"q"});
        }
        EXPECT_EQ(&Dialogs(), &outer);
        EXPECT_FALSE(Dialogs().SaveFileDialog({}).Accepted);
        EXPECT_EQ(outer.FileRequests, 1);
    }
    EXPECT_EQ(&Dialogs(), &fallback);
    SetDefaultDialogs(nullptr);
    EXPECT_THROW(Dialogs(), std::logic_error);
}

TEST(PlainDialogSeam, ADefaultForALifetimeLeavesANewerOneInPlace) {
    auto first = std::make_unique<TRecordedDialogs>();
    auto firstDefault = std::make_unique<TDefaultDialogs>(*first);
    EXPECT_EQ(&Dialogs(), first.get());
    // A second program object made before the first one goes, as a test fixture does.
    TRecordedDialogs second;
    auto secondDefault = std::make_unique<TDefaultDialogs>(second);
    firstDefault.reset();
    first.reset();
    EXPECT_EQ(&Dialogs(), &second);
    secondDefault.reset();
    EXPECT_THROW(Dialogs(), std::logic_error);
}
