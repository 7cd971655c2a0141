#include <gtest/gtest.h>

#include <cerrno>

#include "storage/FileErrors.h"
#include "support/FakePlatform.h"

namespace keslog {
namespace {

TEST(FileErrors, EachErrorHasItsMessageButtonsAndAction) {
    struct Case {
        int error;
        MsgResult answer;
        const char* text;
        MsgButtons buttons;
        FileErrorAction action;
    };
    const Case cases[] = {
        {52, MsgResult::Ok, "Illegal file name.", MsgButtons::Ok, FileErrorAction::GoOn},
        {64, MsgResult::Ok, "Illegal file name.", MsgButtons::Ok, FileErrorAction::GoOn},
        {68, MsgResult::Retry, "Drive unavailable.  If it's a removable disk drive, insert a disk.",
         MsgButtons::RetryCancel, FileErrorAction::Retry},
        {68, MsgResult::Cancel,
         "Drive unavailable.  If it's a removable disk drive, insert a disk.",
         MsgButtons::RetryCancel, FileErrorAction::Cancel},
        {71, MsgResult::Retry, "Insert a disk in the drive.", MsgButtons::RetryCancel,
         FileErrorAction::Retry},
        {71, MsgResult::Cancel, "Insert a disk in the drive.", MsgButtons::RetryCancel,
         FileErrorAction::Cancel},
        // Any other error (a full disk, no access) gives up with its reason
        // instead of going on as if the step had worked.
        {61, MsgResult::Ok, "Could not write /x: No space left on device", MsgButtons::Ok,
         FileErrorAction::Cancel},
        {0, MsgResult::Ok, "Could not write /x: No space left on device", MsgButtons::Ok,
         FileErrorAction::Cancel},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.error);
        test::FakeMessageBox box;
        box.answer(c.answer);
        EXPECT_EQ(FileErrors(box, c.error, "Could not write /x: No space left on device"),
                  c.action);
        ASSERT_EQ(box.shown.size(), 1u);
        EXPECT_EQ(box.shown[0].text, c.text);
        EXPECT_EQ(box.shown[0].title, "File or Disk Error");
        EXPECT_EQ(box.shown[0].buttons, c.buttons);
        EXPECT_EQ(box.shown[0].icon, MsgIcon::Exclamation);
    }
}

TEST(FileErrors, SystemFailuresMapToTheDialogsErrors) {
    EXPECT_EQ(fileErrorNumber(ENAMETOOLONG), 64);
    EXPECT_EQ(fileErrorNumber(EISDIR), 64);
    EXPECT_EQ(fileErrorNumber(ENOENT), 68);  // an unmounted removable disk
    EXPECT_EQ(fileErrorNumber(ENODEV), 68);
    EXPECT_EQ(fileErrorNumber(ENOMEDIUM), 71);
    EXPECT_EQ(fileErrorNumber(ENOSPC), 0);
    EXPECT_EQ(fileErrorNumber(EACCES), 0);
    EXPECT_EQ(fileErrorNumber(EROFS), 0);
    EXPECT_EQ(fileErrorNumber(0), 0);
}

}  // namespace
}  // namespace keslog
