#include <QComboBox>
#include <QRadioButton>

#include "app/PostContestDialog.h"
#include "app/QtTestApp.h"
#include "postcontest/PostRig.h"

namespace keslog {
namespace {

class PostContestDialogTest : public test::QtTest {
  protected:
    // The dialog on a new log of the contest, loaded.
    void load(const std::string& name, ContestNr contest, bool cw = true) {
        ASSERT_TRUE(form.load(rig.writeLog(name, contest, cw, {})));
    }
    template <typename W>
    W* child(QWidget& w, const QString& name) {
        W* found = w.findChild<W*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    static void release(QWidget* widget) { test::mouse(widget, QEvent::MouseButtonRelease); }

    test::PostRig rig;
    MainMod& state = rig.state;
    PostContestForm form{rig.state, rig.platform};
};

TEST_F(PostContestDialogTest, DrawsTheLogAndTheChoicesAndEnablesTheExportGroup) {
    struct Case {
        ContestNr contest;
        bool cw;
        const char* contestLabel;
        const char* exchange;
        bool dxb4;  // the DXB4 option can be chosen
    };
    const Case cases[] = {
        {contest::Ss, true, " Contest: SS  CW", "# A K6XX 72 SV", true},
        {contest::Naqp, false, " Contest: NAQP SSB", "BOB CA", false},
        {contest::Wpx, true, " Contest: WPX CW", "599 #", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.contestLabel);
        load("A-LOG-WITH-A-RATHER-LONG-FILE-NAME.KSL", c.contest, c.cw);
        PostContestDialog dialog(form);
        dialog.show();
        EXPECT_EQ(dialog.windowTitle(), "Post-Contest Processing");
        EXPECT_EQ(child<QLabel>(dialog, "Label3")->text(), c.contestLabel);
        auto* label2 = child<QLabel>(dialog, "Label2");
        EXPECT_TRUE(label2->text().startsWith(" Log File: "));
        EXPECT_TRUE(label2->text().contains("..."));  // the folder is longer than 200 pixels
        EXPECT_TRUE(label2->text().endsWith("NAME.KSL"));
        EXPECT_LE(label2->fontMetrics().horizontalAdvance(label2->text()), 200);
        EXPECT_EQ(child<QLabel>(dialog, "Label5")->text(), "Normal Summary, Log\nand Dupe Files");
        EXPECT_EQ(child<QLabel>(dialog, "Label4")->text(), "Exchange Sent:");
        EXPECT_EQ(child<QLabel>(dialog, "LabelExchange")->text(), c.exchange);
        EXPECT_EQ(child<QPushButton>(dialog, "CmdEdit")->isEnabled(), c.contest != contest::Wpx);
        for (const char* name : {"Text1", "Text2", "Text3", "Text4", "CmdEditOK"})
            EXPECT_FALSE(child<QWidget>(dialog, name)->isVisible()) << name;

        auto* exportBox = child<QCheckBox>(dialog, "CheckExport");
        auto* adif = child<QRadioButton>(dialog, "OptionFormat0");
        auto* dxb4 = child<QRadioButton>(dialog, "OptionFormat1");
        auto* omitW = child<QCheckBox>(dialog, "CheckW");
        auto* omitJA = child<QCheckBox>(dialog, "CheckJA");
        for (const char* name : {"CheckElectronicFiles", "CheckNormalFiles", "CheckExport"})
            EXPECT_FALSE(child<QCheckBox>(dialog, name)->isChecked()) << name;
        for (QWidget* w : std::initializer_list<QWidget*>{adif, dxb4, omitW, omitJA})
            EXPECT_FALSE(w->isEnabled());

        exportBox->click();
        EXPECT_TRUE(adif->isEnabled() && omitW->isEnabled() && omitJA->isEnabled());
        EXPECT_EQ(dxb4->isEnabled(), c.dxb4);
        EXPECT_FALSE(adif->isChecked() || dxb4->isChecked());
        dxb4->click();
        EXPECT_EQ(dxb4->isChecked(), c.dxb4);
        adif->click();
        EXPECT_TRUE(adif->isChecked());
        EXPECT_FALSE(dxb4->isChecked());
        omitJA->click();
        EXPECT_TRUE(form.choices().omitJA);

        exportBox->click();
        EXPECT_FALSE(adif->isChecked() || omitJA->isChecked());
        EXPECT_FALSE(adif->isEnabled() || dxb4->isEnabled() || omitW->isEnabled());
        EXPECT_FALSE(form.choices().any());
    }
}

TEST_F(PostContestDialogTest, Label5TicksTheNormalFilesEditingTheSsExchangeRefusesABadCheck) {
    load("SS.KSL", contest::Ss);
    PostContestDialog dialog(form);
    dialog.show();
    auto* normal = child<QCheckBox>(dialog, "CheckNormalFiles");
    release(child<QLabel>(dialog, "Label5"));
    EXPECT_TRUE(normal->isChecked());
    EXPECT_TRUE(form.choices().summary && form.choices().dupeSheets);
    release(child<QLabel>(dialog, "Label5"));
    EXPECT_FALSE(normal->isChecked());
    EXPECT_FALSE(form.choices().summary);
    normal->click();
    EXPECT_TRUE(form.view().normal);

    // A bad check is refused with its text selected.
    QApplication::setActiveWindow(&dialog);
    QApplication::processEvents();
    child<QPushButton>(dialog, "CmdEdit")->click();
    EXPECT_EQ(child<QLabel>(dialog, "Label4")->text(), "Prec    Call        Ck      Section");
    EXPECT_FALSE(child<QLabel>(dialog, "LabelExchange")->isVisible());
    EXPECT_FALSE(child<QPushButton>(dialog, "CmdEdit")->isVisible());
    EXPECT_FALSE(child<QPushButton>(dialog, "CmdOK")->isEnabled());
    EXPECT_FALSE(child<QPushButton>(dialog, "CmdCancel")->isEnabled());
    const std::array<const char*, 4> shown{"A", "K6XX", "72", "SV"};
    for (int i = 0; i < 4; ++i) {
        auto* box = child<QLineEdit>(dialog, QString("Text%1").arg(i + 1));
        EXPECT_TRUE(box->isVisible());
        EXPECT_EQ(box->text(), shown[static_cast<std::size_t>(i)]);
    }
    auto* check = child<QLineEdit>(dialog, "Text3");
    check->selectAll();
    check->insert("123");
    child<QPushButton>(dialog, "CmdEditOK")->click();
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(rig.messages.shown[0].text, "Check Must be between 00 and 99");
    EXPECT_TRUE(check->isVisible());
    EXPECT_EQ(check->selectedText(), "123");
    EXPECT_EQ(QApplication::focusWidget(), check);
    EXPECT_EQ(state.settings.ExchangeSSCheck, "72");

    // Esc ends the editing, not the dialog.
    dialog.reject();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(form.view().closed);
    EXPECT_EQ(child<QLabel>(dialog, "LabelExchange")->text(), "# A K6XX 72 SV");
    EXPECT_TRUE(child<QPushButton>(dialog, "CmdOK")->isEnabled());

    child<QPushButton>(dialog, "CmdEdit")->click();
    auto* section = child<QLineEdit>(dialog, "Text4");
    section->selectAll();
    section->insert("scv");
    child<QPushButton>(dialog, "CmdEditOK")->click();
    EXPECT_EQ(child<QLabel>(dialog, "LabelExchange")->text(), "# A K6XX 72 SCV");
    EXPECT_EQ(state.settings.ExchangeSSSection, "SCV");
    EXPECT_FALSE(section->isVisible());

    child<QPushButton>(dialog, "CmdCancel")->click();
    EXPECT_TRUE(form.view().closed);
    EXPECT_FALSE(form.report());
    EXPECT_FALSE(dialog.isVisible());
}

TEST_F(PostContestDialogTest, UserInformationRowsStandAtTheirTwipsAndOpenFromViewEdit) {
    UserInfo info(state, rig.messages);
    UserInfoDialog dialog(info);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "User Information");
    EXPECT_EQ(child<QLabel>(dialog, "Label1")->text(), "Summary Sheet Information");
    // Row i at top 300 + 500 i twips, 15 twips to the pixel.
    const int tops[] = {20, 53, 86, 120, 153, 186, 220, 253, 286};
    for (int i = 0; i < 9; ++i) {
        SCOPED_TRACE(i);
        auto* label = child<QLabel>(dialog, QString("Labelinfo%1").arg(i));
        auto* box = child<QLineEdit>(dialog, QString("Textinfo%1").arg(i));
        EXPECT_EQ(label->text(), kUserInfoLabels[static_cast<std::size_t>(i)]);
        // Labels at left 120 and width 1600, boxes at left 1850.
        EXPECT_EQ(label->geometry().topLeft(), QPoint(8, tops[i]));
        EXPECT_EQ(label->width(), 106);
        EXPECT_EQ(box->geometry().topLeft(), QPoint(123, tops[i]));
    }
    EXPECT_EQ(child<QLineEdit>(dialog, "Textinfo0")->text(), "K6XX");

    // The categories are lists: what the operator picks is stored.
    EXPECT_EQ(child<QComboBox>(dialog, "ComboCategory3")->currentText(), "as logged");
    auto* power = child<QComboBox>(dialog, "ComboCategory4");
    EXPECT_EQ(power->currentText(), "HIGH");
    power->setCurrentIndex(2);
    emit power->activated(2);

    child<QLineEdit>(dialog, "Textinfo7")->insert("IC-7300");
    child<QPushButton>(dialog, "CmdOK")->click();
    EXPECT_EQ(state.settings.UserRig, "IC-7300");
    EXPECT_EQ(state.settings.CategoryPower, "QRP");
    EXPECT_FALSE(dialog.isVisible());

    // View/Edit User Info opens it from the post-contest dialog.
    load("WW.KSL", contest::Cqww);
    PostContestDialog post(form);
    post.show();
    QString title;
    test::onModal([&](QWidget& modal) {
        title = modal.windowTitle();
        modal.findChild<QLineEdit*>("Textinfo1")->insert("N6TR");
        modal.findChild<QPushButton*>("CmdOK")->click();
    });
    child<QPushButton>(post, "CmdEditUserInfo")->click();
    EXPECT_EQ(title, "User Information");
    EXPECT_EQ(state.settings.UserOperator, "N6TR");
    EXPECT_TRUE(post.isVisible());
}

}  // namespace
}  // namespace keslog
