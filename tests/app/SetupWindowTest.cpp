#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabWidget>

#include "QtTestApp.h"
#include "app/SetupDialog.h"
#include "support/FakePlatform.h"

namespace keslog {
namespace {

class SetupWindowTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { test::ensureQApplication(); }
    void SetUp() override {
        state.settings.CWActivated = true;
        state.settings.CWComport = "Com2";
        state.settings.Radio1Delay = 4;
        state.settings.CWPTTActivated = true;
        state.settings.YourCall = "N6TR";
        setup.load();
    }
    test::FakePlatform fakes;
    Platform platform = fakes.services();
    test::FakePortDevices devices;
    MainMod state;
    keslog::Setup setup{state, platform, devices};
};

TEST_F(SetupWindowTest, DrawsEveryTabAndForwardsChanges) {
    SetupDialog dialog(setup);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Preferences");
    auto* tabs = dialog.findChild<QTabWidget*>("SSTab1");
    ASSERT_EQ(tabs->count(), kSetupTabCount);
    EXPECT_EQ(tabs->tabText(2), "CW/DVK[1]");
    EXPECT_EQ(dialog.findChild<QLineEdit*>("CallBox")->text(), "N6TR");
    EXPECT_EQ(dialog.findChild<QComboBox*>("ComboCWPort")->currentText(), "Com2");
    EXPECT_EQ(dialog.findChild<QComboBox*>("ComboCWPort")->count(), 9);
    EXPECT_EQ(dialog.findChild<QLabel*>("LabelR1Delay")->text(), "4");
    EXPECT_FALSE(dialog.findChild<QPushButton*>("SelectButton")->isEnabled());
    EXPECT_EQ(dialog.findChild<QComboBox*>("ComboCom1Device")->count(), 2);

    const QString shots = qEnvironmentVariable("KESLOG_SCREENSHOT_DIR");
    for (int tab = 0; tab < tabs->count(); ++tab) {
        tabs->setCurrentIndex(tab);
        if (!shots.isEmpty()) dialog.grab().save(shots + QString("/setup-tab%1.png").arg(tab));
    }
    EXPECT_EQ(setup.view().tab, SetupTab::Devices);

    // A click applies the enabling rules at once.
    dialog.findChild<QCheckBox*>("CWActivatebox")->click();
    EXPECT_FALSE(dialog.findChild<QComboBox*>("ComboCWPort")->isEnabled());
    dialog.findChild<QCheckBox*>("OldCallsBox")->click();
    EXPECT_TRUE(dialog.findChild<QPushButton*>("SaveButton")->isEnabled());

    // The delay spinner steps once per move, upward raising the value.
    auto* spinner = dialog.findChild<QScrollBar*>("ScrollR1Delay");
    spinner->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(dialog.findChild<QLabel*>("LabelR1Delay")->text(), "5");
    spinner->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    spinner->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(dialog.findChild<QLabel*>("LabelR1Delay")->text(), "3");

    dialog.findChild<QScrollBar*>("WeightScroll")->setValue(27);
    EXPECT_EQ(dialog.findChild<QLabel*>("Weightlabel")->text(), "2.7");
    dialog.findChild<QLineEdit*>("CallBox")->setText("k6aaa");
    emit dialog.findChild<QLineEdit*>("CallBox")->textEdited("k6aaa");

    dialog.findChild<QPushButton*>("cmdOK")->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(state.settings.YourCall, "K6AAA");
    EXPECT_EQ(state.settings.Radio1Delay, 3);
    EXPECT_EQ(state.settings.Weight, "2.7");
    EXPECT_FALSE(state.settings.CWActivated);
    EXPECT_TRUE(state.lookbackCalls.loaded);
}

TEST_F(SetupWindowTest, ClosingTheDialogCancels) {
    SetupDialog dialog(setup);
    dialog.show();
    dialog.findChild<QCheckBox*>("CWActivatebox")->click();
    dialog.reject();
    EXPECT_TRUE(setup.view().closed);
    EXPECT_TRUE(state.settings.CWActivated);
}

}  // namespace
}  // namespace keslog
