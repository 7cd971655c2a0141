#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QTabWidget>

#include "app/AboutDialog.h"
#include "app/BandModeDialog.h"
#include "app/ChCoFormDialog.h"
#include "app/PartialWindow.h"
#include "app/QtTestApp.h"
#include "app/SetupDialog.h"
#include "entry/Scoring.h"

namespace keslog {
namespace {

class DialogsTest : public test::QtTest {
  protected:
    template <typename T>
    static T* child(QWidget& w, const QString& name) {
        return w.findChild<T*>(name);
    }
    MainMod state;
    test::FakePlatform fakes;
    Platform platform = fakes.services();
};

TEST_F(DialogsTest, ContestChoiceDrawsItsFormAndForwardsClicks) {
    ChCoForm form(state);
    form.load();
    ChCoFormDialog dialog(form);
    dialog.show();
    auto* list = child<QListWidget>(dialog, "List1");
    ASSERT_EQ(list->count(), 9);
    EXPECT_EQ(list->currentRow(), 2);
    EXPECT_EQ(list->item(6)->text(), "Sprint -- North American Sprint");
    EXPECT_EQ(child<QGroupBox>(dialog, "Frame1")->title(), "   Location   ");
    EXPECT_EQ(child<QRadioButton>(dialog, "ButtonMode0")->text(), " In California");
    EXPECT_FALSE(child<QGroupBox>(dialog, "Frame2")->isEnabled());
    EXPECT_EQ(child<QComboBox>(dialog, "ComboQTH")->currentText(), "NA");
    EXPECT_EQ(dialog.windowTitle(), "Choose Type of Contest");

    list->setCurrentRow(8);  // WPX
    child<QRadioButton>(dialog, "ButtonQTH2")->click();
    EXPECT_EQ(child<QRadioButton>(dialog, "ButtonMode0")->text(), "  Phone");
    EXPECT_TRUE(child<QGroupBox>(dialog, "Frame2")->isEnabled());
    EXPECT_TRUE(child<QComboBox>(dialog, "ComboQTH")->isEnabled());

    list->setCurrentRow(3);  // CQWW: no "Other"
    EXPECT_FALSE(child<QRadioButton>(dialog, "ButtonQTH2")->isEnabled());
    EXPECT_TRUE(child<QRadioButton>(dialog, "ButtonQTH0")->isChecked());

    child<QPushButton>(dialog, "CmdOK")->click();
    EXPECT_EQ(state.contestNr, contest::Cqww);
    EXPECT_TRUE(state.QTHUSAFlag);
    EXPECT_FALSE(dialog.isVisible());

    // Closed by its close box: cancelled.
    form.load();
    dialog.show();
    dialog.reject();
    EXPECT_TRUE(state.CancelFlag);
}

TEST_F(DialogsTest, ActiveBandsDrawTheirBoxesAndRefuseAnEmptySet) {
    state.contestNr = contest::Naqp;
    BandMode form(state, fakes.messageBox);
    form.load();
    BandModeDialog naqp(form);
    naqp.show();
    EXPECT_FALSE(child<QCheckBox>(naqp, "BandBox7")->isVisible());
    EXPECT_FALSE(child<QCheckBox>(naqp, "BandBox8")->isVisible());
    naqp.close();

    state.contestNr = contest::Cqp;
    form.load();
    BandModeDialog dialog(form);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Select Active Bands");
    auto* box6 = child<QCheckBox>(dialog, "BandBox7");
    EXPECT_TRUE(box6->isVisible());
    EXPECT_EQ(box6->text(), " 6  Meters");
    EXPECT_TRUE(child<QCheckBox>(dialog, "BandBox3")->isChecked());
    EXPECT_TRUE(child<QLabel>(dialog, "Label1")->text().startsWith("NOTE:\nThese boxes"));

    for (int b = 1; b <= 6; ++b) child<QCheckBox>(dialog, QString("BandBox%1").arg(b))->click();
    child<QPushButton>(dialog, "Command1")->click();
    ASSERT_EQ(fakes.messageBox.shown.size(), 1u);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(child<QCheckBox>(dialog, "BandBox1")->isChecked());

    child<QCheckBox>(dialog, "BandBox1")->click();
    child<QPushButton>(dialog, "Command1")->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(state.BandActive[1]);
}

TEST_F(DialogsTest, PreferencesDrawEveryTabAndForwardChanges) {
    state.settings.CWActivated = true;
    state.settings.CWComport = "Com2";
    state.settings.Radio1Delay = 4;
    state.settings.CWPTTActivated = true;
    state.settings.YourCall = "N6TR";
    test::FakePortDevices devices;
    keslog::Setup setup{state, platform, devices};
    setup.load();
    SetupDialog dialog(setup);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Preferences");
    auto* tabs = child<QTabWidget>(dialog, "SSTab1");
    ASSERT_EQ(tabs->count(), kSetupTabCount);
    EXPECT_EQ(tabs->tabText(2), "CW/DVK[1]");
    EXPECT_EQ(child<QLineEdit>(dialog, "CallBox")->text(), "N6TR");
    auto* cwPort = child<QComboBox>(dialog, "ComboCWPort");
    EXPECT_EQ(cwPort->currentText(), "Com2");
    EXPECT_EQ(cwPort->count(), 9);
    auto* delay = child<QLabel>(dialog, "LabelR1Delay");
    EXPECT_EQ(delay->text(), "4");
    EXPECT_FALSE(child<QPushButton>(dialog, "SelectButton")->isEnabled());
    EXPECT_EQ(child<QComboBox>(dialog, "ComboCom1Device")->count(), 2);
    for (int tab = 0; tab < tabs->count(); ++tab) tabs->setCurrentIndex(tab);
    EXPECT_EQ(setup.view().tab, SetupTab::Network);

    // A click applies the enabling rules at once.
    child<QCheckBox>(dialog, "CWActivatebox")->click();
    EXPECT_FALSE(cwPort->isEnabled());
    child<QCheckBox>(dialog, "OldCallsBox")->click();
    EXPECT_TRUE(child<QPushButton>(dialog, "SaveButton")->isEnabled());

    // The delay spinner steps once per move, upward raising the value.
    auto* spinner = child<QScrollBar>(dialog, "ScrollR1Delay");
    spinner->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(delay->text(), "5");
    spinner->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    spinner->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(delay->text(), "3");

    child<QScrollBar>(dialog, "WeightScroll")->setValue(27);
    EXPECT_EQ(child<QLabel>(dialog, "Weightlabel")->text(), "2.7");
    child<QLineEdit>(dialog, "CallBox")->setText("k6aaa");
    emit child<QLineEdit>(dialog, "CallBox")->textEdited("k6aaa");

    child<QPushButton>(dialog, "cmdOK")->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(state.settings.YourCall, "K6AAA");
    EXPECT_EQ(state.settings.Radio1Delay, 3);
    EXPECT_EQ(state.settings.Weight, "2.7");
    EXPECT_FALSE(state.settings.CWActivated);
    EXPECT_TRUE(state.lookbackCalls.loaded);

    // Closed by its close box: cancelled.
    setup.load();
    dialog.show();
    child<QCheckBox>(dialog, "CWActivatebox")->click();
    dialog.reject();
    EXPECT_TRUE(setup.view().closed);
    EXPECT_FALSE(state.settings.CWActivated);
}

TEST_F(DialogsTest, PartialShowsTheHitsAndPutsAClickedCallIntoTheCallBox) {
    state.contestNr = contest::Wpx;
    state.resetLog();
    for (const char* call : {"W3ABC", "K3ABX", "N3XAB", "DL1ABC"}) {
        QSORecName q;
        q.QCall = call;
        q.QBandMode = 3;
        ASSERT_TRUE(addLoggedQso(state, q).isOk());
    }
    Partial partial{state, fakes.messageBox};
    std::string chosen;
    PartialWindow window{partial, [&chosen](const std::string& call) { chosen = call; }};
    const auto match = [&window](int i) {
        return child<QLabel>(window, QString("Match%1").arg(i));
    };
    EXPECT_FALSE(window.isVisible());
    partial.searchCalls("AB", PartialSearchKind::Contains);
    window.render();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(match(0)->text(), "W3ABC");
    EXPECT_EQ(match(3)->text(), "DL1ABC");
    EXPECT_EQ(match(4)->text(), "");
    test::mouse(match(1));
    EXPECT_EQ(chosen, "K3ABX");
    EXPECT_FALSE(window.isVisible());

    // No hits: a click picks nothing, OK empties the labels and hides.
    chosen.clear();
    partial.searchCalls("QQ", PartialSearchKind::Contains);
    window.render();
    EXPECT_EQ(match(0)->text(), " No calls");
    EXPECT_EQ(match(1)->text(), "found");
    test::mouse(match(0));
    EXPECT_EQ(chosen, "");
    child<QPushButton>(window, "CmdOK")->click();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(match(0)->text(), "");

    // Check-partial and one-off lists: the log's calls in bold, a click takes the call.
    partial.showCheckPartial({{{"K3ABX", true}, {"K3ABY", false}}, {{"K3ABZ", false}}});
    window.render();
    EXPECT_TRUE(window.isVisible());
    auto* list = child<QListWidget>(window, "CheckPartial");
    auto* oneOff = child<QListWidget>(window, "OneOff");
    ASSERT_EQ(list->count(), 2);
    EXPECT_TRUE(list->item(0)->font().bold());
    EXPECT_FALSE(list->item(1)->font().bold());
    ASSERT_EQ(oneOff->count(), 1);
    emit oneOff->itemClicked(oneOff->item(0));
    EXPECT_EQ(chosen, "K3ABZ");
    partial.showCheckPartial({});
    window.render();
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(list->count(), 0);
}

// The welcome screen goes at the first key or click, its timer still
// running; the About box keeps its keys for its OK button.
TEST_F(DialogsTest, WelcomeClosesOnAKeyOrAClick) {
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    for (const bool click : {false, true}) {
        AboutDialog welcome(AboutDialog::Mode::Welcome);
        welcome.show();
        ASSERT_EQ(welcome.windowTitle(), "WELCOME");
        if (click)
            test::mouse(&welcome);
        else
            QApplication::sendEvent(&welcome, &key);
        EXPECT_FALSE(welcome.isVisible());
        EXPECT_EQ(welcome.result(), QDialog::Accepted);
    }
    AboutDialog about(AboutDialog::Mode::About);
    about.show();
    QApplication::sendEvent(&about, &key);
    EXPECT_TRUE(about.isVisible());
}

}  // namespace
}  // namespace keslog
