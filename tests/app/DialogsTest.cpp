#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "QtTestApp.h"
#include "app/AboutDialog.h"
#include "app/BandModeDialog.h"
#include "app/ChCoFormDialog.h"
#include "support/FakePlatform.h"

namespace keslog {
namespace {

class DialogsTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { test::ensureQApplication(); }
    static void screenshot(QWidget& w, const char* name) {
        const QString dir = qEnvironmentVariable("KESLOG_SCREENSHOT_DIR");
        if (!dir.isEmpty()) w.grab().save(dir + "/" + name);
    }
    MainMod state;
};

TEST_F(DialogsTest, ContestChoiceDrawsItsFormAndForwardsClicks) {
    ChCoForm form(state);
    form.load();
    ChCoFormDialog dialog(form);
    dialog.show();
    auto* list = dialog.findChild<QListWidget*>("List1");
    ASSERT_EQ(list->count(), 9);
    EXPECT_EQ(list->currentRow(), 2);
    EXPECT_EQ(list->item(6)->text(), "Sprint -- North American Sprint");
    EXPECT_EQ(dialog.findChild<QGroupBox*>("Frame1")->title(), "   Location   ");
    EXPECT_EQ(dialog.findChild<QRadioButton*>("ButtonMode0")->text(), " In California");
    EXPECT_FALSE(dialog.findChild<QGroupBox*>("Frame2")->isEnabled());
    EXPECT_EQ(dialog.findChild<QComboBox*>("ComboQTH")->currentText(), "NA");
    EXPECT_EQ(dialog.windowTitle(), "Choose Type of Contest");
    screenshot(dialog, "chcoform-cqp.png");

    list->setCurrentRow(8);  // WPX
    dialog.findChild<QRadioButton*>("ButtonQTH2")->click();
    EXPECT_EQ(dialog.findChild<QRadioButton*>("ButtonMode0")->text(), "  Phone");
    EXPECT_TRUE(dialog.findChild<QGroupBox*>("Frame2")->isEnabled());
    EXPECT_TRUE(dialog.findChild<QComboBox*>("ComboQTH")->isEnabled());
    screenshot(dialog, "chcoform-wpx.png");

    list->setCurrentRow(3);  // CQWW: no "Other"
    EXPECT_FALSE(dialog.findChild<QRadioButton*>("ButtonQTH2")->isEnabled());
    EXPECT_TRUE(dialog.findChild<QRadioButton*>("ButtonQTH0")->isChecked());

    dialog.findChild<QPushButton*>("CmdOK")->click();
    EXPECT_EQ(state.contestNr, contest::Cqww);
    EXPECT_TRUE(state.QTHUSAFlag);
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(DialogsTest, ClosingTheContestChoiceCancels) {
    ChCoForm form(state);
    form.load();
    ChCoFormDialog dialog(form);
    dialog.show();
    dialog.reject();
    EXPECT_TRUE(state.CancelFlag);
}

TEST_F(DialogsTest, ActiveBandsDrawTheirBoxesAndRefuseAnEmptySet) {
    test::FakeMessageBox box;
    state.contestNr = contest::Cqp;
    BandMode form(state, box);
    form.load();
    BandModeDialog dialog(form);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Select Active Bands");
    auto* box6 = dialog.findChild<QCheckBox*>("BandBox7");
    EXPECT_TRUE(box6->isVisible());
    EXPECT_EQ(box6->text(), " 6  Meters");
    EXPECT_TRUE(dialog.findChild<QCheckBox*>("BandBox3")->isChecked());
    EXPECT_TRUE(dialog.findChild<QLabel*>("Label1")->text().startsWith("NOTE:\nThese boxes"));
    screenshot(dialog, "bandmode-cqp.png");

    for (int b = 1; b <= 6; ++b) dialog.findChild<QCheckBox*>(QString("BandBox%1").arg(b))->click();
    dialog.findChild<QPushButton*>("Command1")->click();
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(dialog.findChild<QCheckBox*>("BandBox1")->isChecked());

    dialog.findChild<QCheckBox*>("BandBox1")->click();
    dialog.findChild<QPushButton*>("Command1")->click();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(state.BandActive[1]);
}

TEST_F(DialogsTest, ActiveBandsHideVhfOutsideCqp) {
    test::FakeMessageBox box;
    state.contestNr = contest::Naqp;
    BandMode form(state, box);
    form.load();
    BandModeDialog dialog(form);
    dialog.show();
    EXPECT_FALSE(dialog.findChild<QCheckBox*>("BandBox7")->isVisible());
    EXPECT_FALSE(dialog.findChild<QCheckBox*>("BandBox8")->isVisible());
    screenshot(dialog, "bandmode-naqp.png");
}

// The welcome screen goes at the first key or click, its timer still
// running; the About box keeps its keys for its OK button.
TEST_F(DialogsTest, WelcomeClosesOnAKeyOrAClick) {
    for (const bool click : {false, true}) {
        AboutDialog welcome(AboutDialog::Mode::Welcome);
        welcome.show();
        ASSERT_EQ(welcome.windowTitle(), "WELCOME");
        QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&welcome, click ? static_cast<QEvent*>(&press) : &key);
        EXPECT_FALSE(welcome.isVisible());
        EXPECT_EQ(welcome.result(), QDialog::Accepted);
    }
    AboutDialog about(AboutDialog::Mode::About);
    about.show();
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QApplication::sendEvent(&about, &key);
    EXPECT_TRUE(about.isVisible());
}

}  // namespace
}  // namespace keslog
