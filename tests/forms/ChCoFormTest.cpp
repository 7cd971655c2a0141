#include <gtest/gtest.h>

#include "forms/ChCoForm.h"

namespace keslog {
namespace {

class ChCoFormTest : public ::testing::Test {
  protected:
    void SetUp() override { form.load(); }
    MainMod state;
    ChCoForm form{state};
};

TEST_F(ChCoFormTest, OpensOnCqpWithTheListSortedIgnoringCase) {
    const ChCoFormView& v = form.view();
    EXPECT_EQ(v.list1,
              (std::vector<std::string>{
                  "AA -- JARL All Asian Contest", "ARRL DX Contest", "CQP -- California QSO Party",
                  "CQWW DX Contest", "NAQP -- North American QSO Party",
                  "PAQP -- Pennsylvania QSO Party", "Sprint -- North American Sprint",
                  "SS -- ARRL Sweepstakes", "WPX -- CQ Prefix Contest"}));
    EXPECT_EQ(v.list1Index, 2);
    EXPECT_EQ(v.title, "Choose Type of Contest");
    EXPECT_EQ(v.label1, "   Select Contest");
    EXPECT_EQ(v.frame1Caption, "   Location   ");
    EXPECT_EQ(v.buttonModeCaptions,
              (std::array<std::string, 2>{" In California", " Out of State"}));
    EXPECT_FALSE(v.frame2Enabled);
    EXPECT_EQ(v.comboQTH[static_cast<std::size_t>(v.comboQTHIndex)], "NA");
    EXPECT_FALSE(state.CancelFlag);
}

TEST_F(ChCoFormTest, FramesFollowTheContest) {
    struct Case {
        int position;
        const char* frame1;
        const char* option0;
        bool frame2;
        bool other;
    };
    const Case cases[] = {
        {2, "   Location   ", " In California", false, false},
        {5, "   Location   ", " In Penna.", false, false},
        {3, "   Mode  ", "  Phone", true, false},  // CQWW: USA or Canada only
        {8, "   Mode  ", "  Phone", true, true},   // WPX
        {0, "   Mode  ", "  Phone", false, false},
        {6, "   Mode  ", "  Phone", false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.position);
        form.onList1Click(c.position);
        const ChCoFormView& v = form.view();
        EXPECT_EQ(v.frame1Caption, c.frame1);
        EXPECT_EQ(v.buttonModeCaptions[0], c.option0);
        EXPECT_EQ(v.frame2Enabled, c.frame2);
        EXPECT_EQ(v.otherEnabled, c.other);
        EXPECT_FALSE(v.comboQTHEnabled);
    }
}

TEST_F(ChCoFormTest, TheContinentListWorksOnlyForWpxOtherCancelSetsTheFlag) {
    form.onList1Click(8);
    form.onButtonQTH(2);
    EXPECT_TRUE(form.view().comboQTHEnabled);
    form.onButtonQTH(1);
    EXPECT_FALSE(form.view().comboQTHEnabled);
    form.onButtonQTH(2);
    // CQWW has no "Other": switching to it goes back to the USA.
    form.onList1Click(3);
    EXPECT_EQ(form.view().buttonQTH, 0);
    EXPECT_FALSE(form.view().comboQTHEnabled);
    form.onButtonQTH(2);
    EXPECT_EQ(form.view().buttonQTH, 0);

    // Cancel leaves the choices and sets the flag.
    state.contestNr = contest::Naqp;
    form.onList1Click(7);
    form.onCancel();
    EXPECT_TRUE(state.CancelFlag);
    EXPECT_EQ(state.contestNr, contest::Naqp);
    EXPECT_TRUE(form.view().closed);
    form.load();
    EXPECT_FALSE(state.CancelFlag);
}

TEST_F(ChCoFormTest, OkSetsTheContestModeAndLocationFlags) {
    struct Case {
        ContestNr contest;
        int position;
        int mode;
        int qth;
        int continent;
        std::array<bool, 2> modeFlag;
        bool inState;
        bool usa;
        bool canada;
        const char* myContinent;
    };
    const Case cases[] = {
        // CQP and PAQP logs are mixed-mode from the start. The location
        // digits of CQWW and WPX logs show in the golden sessions' headers.
        {contest::Cqp, 2, 1, 0, 3, {true, true}, false, false, false, "NA"},
        {contest::Paqp, 5, 0, 0, 3, {true, true}, true, false, false, "NA"},
        {contest::Ss, 7, 0, 0, 3, {true, false}, false, false, false, "NA"},
        {contest::Sprint, 6, 1, 0, 3, {false, true}, false, false, false, "NA"},
        {contest::Wpx, 8, 0, 1, 2, {true, false}, false, false, true, "NA"},
        {contest::Aa, 0, 1, 0, 3, {false, true}, false, false, false, "NA"},
        {contest::ArrlDx, 1, 1, 0, 3, {false, true}, false, false, false, "NA"},
        {contest::Naqp, 4, 1, 0, 3, {false, true}, false, false, false, "NA"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.contest) + " " + std::to_string(c.mode) + " " +
                     std::to_string(c.qth) + " " + std::to_string(c.continent));
        state = MainMod{};
        form.load();
        form.onList1Click(c.position);
        form.onButtonMode(c.mode);
        form.onButtonQTH(c.qth);
        form.onComboQTH(c.continent);
        form.onOK();
        EXPECT_TRUE(form.view().closed);
        EXPECT_EQ(state.contestNr, c.contest);
        EXPECT_EQ(state.ModeFlag, c.modeFlag);
        EXPECT_EQ(state.InStateFlag, c.inState);
        EXPECT_EQ(state.QTHUSAFlag, c.usa);
        EXPECT_EQ(state.QTHCanadaFlag, c.canada);
        EXPECT_EQ(state.MyContinent, c.myContinent);
        EXPECT_FALSE(state.CancelFlag);
    }
}

}  // namespace
}  // namespace keslog
