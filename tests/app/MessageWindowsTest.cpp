#include "app/EditMacDialog.h"
#include "app/KeyerWindowRig.h"
#include "app/ViewMacWindow.h"
#include "storage/SettingsFile.h"

namespace keslog {
namespace {

class MessageWindowsAppTest : public test::KeyerWindowRig {
  protected:
    MessageWindowsAppTest() {
        test::copyShippedStartupFiles(dir);
        state.programDir = dir.path();
        ReadSettings(state);
        state.settings.YourCall = "N6TR";
        state.settings.CWMacros[18] = "[RADIO1][PLAY3]CQ TEST $ $ TEST";
        state.settings.CWMacros[20] = "[RADIO2][PLAY1]@";
        state.logOpen = true;
        state.contestNr = contest::Wpx;
        state.ModeFlag = {false, true};
        state.currentLogPath = "/logs/N6TR.KSL";
        showWindow();
    }
    ~MessageWindowsAppTest() override {
        if (auto* mac = viewMac()) mac->close();
    }

    ViewMacWindow* viewMac() {
        return dynamic_cast<ViewMacWindow*>(window.findChild<QWidget*>("ViewMac"));
    }
    QString labelColour(const char* name) { return find<QLabel>(name)->styleSheet(); }

    test::TempDir dir;
};

TEST_F(MessageWindowsAppTest, ViewMenuShowsTheMessagesRightClickSetsPlaysEditMenuEditsThem) {
    find<QAction>("mnuViewCW")->trigger();
    ViewMacWindow* mac = viewMac();
    ASSERT_NE(mac, nullptr);
    EXPECT_TRUE(mac->isVisible());
    EXPECT_TRUE(find<QAction>("mnuViewCW")->isChecked());
    EXPECT_EQ(mac->windowTitle(), "CW Messages");
    auto* f1 = mac->findChild<QLabel*>("DisplayMac0");
    EXPECT_EQ(f1->text(), "F1-[3]CQ");
    EXPECT_TRUE(f1->styleSheet().contains("rgb(0, 0, 255)"));
    EXPECT_EQ(mac->findChild<QLabel*>("DisplayMac1")->text(), "F2-My Call");
    EXPECT_TRUE(mac->findChild<QLabel*>("DisplayMac2")->styleSheet().contains("rgb(255, 0, 0)"));
    EXPECT_EQ(mac->findChild<QLabel*>("DisplayMac8")->text(), "F12-QRL?");
    EXPECT_GE(mac->height(), 217);  // 3255 twips

    // The close box hides the window and takes the tick away.
    mac->close();
    EXPECT_FALSE(mac->isVisible());
    EXPECT_FALSE(find<QAction>("mnuViewCW")->isChecked());

    // The right-click menu sets plays and stores the settings.
    find<QAction>("mnuViewCW")->trigger();
    EXPECT_TRUE(mac->isVisible());
    const QStringList ticked = test::tickedThenChoose(
        [&] { mac->openMenu(0, mac->mapToGlobal(QPoint(10, 10))); }, "Play Message 6 times");
    EXPECT_EQ(ticked, (QStringList{"Radio 1", "Play Message 3 times"}));
    EXPECT_EQ(state.settings.CWMacros[18], "[RADIO1][PLAY6]CQ TEST $ $ TEST");
    EXPECT_EQ(mac->findChild<QLabel*>("DisplayMac0")->text(), "F1-[6]CQ");
    Settings disk;
    ReadSettings(dir.read("KESLOG90.INI"), dir.path(), disk);
    EXPECT_EQ(disk.CWMacros[18], "[RADIO1][PLAY6]CQ TEST $ $ TEST");

    // The Edit menu opens the editor modally and OK stores upper case.
    bool seen = false;
    test::onModal([&](QWidget& modal) {
        auto* dialog = dynamic_cast<EditMacDialog*>(&modal);
        ASSERT_NE(dialog, nullptr);
        seen = true;
        EXPECT_EQ(dialog->windowTitle(), "Edit CW Messages");
        auto* text = dialog->findChild<QLineEdit*>("FullMacro0");
        EXPECT_EQ(text->text(), "CQ TEST $ $ TEST");
        EXPECT_EQ(dialog->findChild<QLineEdit*>("ShMacro2")->text(), "His Call");
        EXPECT_EQ(dialog->findChild<QLineEdit*>("Exchange0")->text(), "@ 5NN #");
        EXPECT_EQ(dialog->findChild<QLabel*>("FLabel7")->text(), "F11");
        text->setFocus();
        text->selectAll();
        text->insert("cq wpx $");
        auto* shown = dialog->findChild<QLineEdit*>("ShMacro0");
        shown->selectAll();
        shown->insert("cq wpx");
        EXPECT_EQ(text->text(), "CQ WPX $");
        dialog->findChild<QPushButton*>("OKButton")->click();
    });
    find<QAction>("mnuEditCW")->trigger();
    EXPECT_TRUE(seen);
    EXPECT_EQ(state.settings.CWMacros[18], "[RADIO1][PLAY6]CQ WPX $");
    EXPECT_EQ(mac->findChild<QLabel*>("DisplayMac0")->text(), "F1-[6]CQ WPX");
    ReadSettings(dir.read("KESLOG90.INI"), dir.path(), disk);
    EXPECT_EQ(disk.CWMacros[18], "[RADIO1][PLAY6]CQ WPX $");
    EXPECT_EQ(disk.CWMacroLabels[18], "CQ WPX");
}

TEST_F(MessageWindowsAppTest, F9AndF10ColourTheRadioLabelsARepetitionShowsItsLabel) {
    state.RadioBandMode[1] = bandModeCode(band::B40, false);
    auto* call = find<QLineEdit>("InData0");
    test::press(call, Qt::Key_F9);
    EXPECT_EQ(find<QLabel>("ActiveRadioLabel")->text(), "TX R2");
    EXPECT_EQ(find<QLabel>("ActiveLogLabel")->text(), "Log R2");
    EXPECT_TRUE(labelColour("ActiveLogLabel").contains("rgb(255, 0, 0)"));
    EXPECT_TRUE(labelColour("QSONrLabel").contains("rgb(255, 0, 0)"));
    EXPECT_EQ(find<QLabel>("QSONrLabel")->text(), "QSO Nr  1    (40m CW)");

    test::press(call, Qt::Key_F10);
    EXPECT_EQ(find<QLabel>("ActiveRadioLabel")->text(), "TX R2");
    EXPECT_EQ(find<QLabel>("ActiveLogLabel")->text(), "Log R1");
    EXPECT_TRUE(labelColour("QSONrLabel").contains("rgb(0, 0, 255)"));
    EXPECT_EQ(find<QLabel>("QSONrLabel")->text(), "QSO Nr  1    (20m CW)");

    // The sending label stands in for the local time during a repetition.
    state.settings.CWMacros[18] = "[RADIO0][PLAY3]E";
    repeater.SendFunctionKeyMessage(112, false);
    auto* sending = find<QLabel>("LabelSendingMsg");
    EXPECT_TRUE(sending->isVisible());
    EXPECT_EQ(sending->text(), "Sending Msg 1 of 3 [Pause]");
    EXPECT_FALSE(find<QLabel>("TimeLocalLabel")->isVisible());
    repeater.cancel();
    EXPECT_FALSE(sending->isVisible());
    EXPECT_TRUE(find<QLabel>("TimeLocalLabel")->isVisible());
}

}  // namespace
}  // namespace keslog
