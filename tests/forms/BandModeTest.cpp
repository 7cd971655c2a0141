#include <gtest/gtest.h>

#include "forms/BandMode.h"
#include "support/FakePlatform.h"

namespace keslog {
namespace {

class BandModeTest : public ::testing::Test {
  protected:
    void open(ContestNr contest, BandModeCode current) {
        state.contestNr = contest;
        state.CurrentBandMode = current;
        form.load();
    }
    void untick(std::initializer_list<int> bands) {
        for (int b : bands) form.onBandBox(b, false);
    }
    MainMod state;
    test::FakeMessageBox box;
    BandMode form{state, box};
    const BandActiveSet hfBands{false, true, true, true, true, true, true, false, false};
};

TEST_F(BandModeTest, OpensWithTheActiveBandsTicked) {
    open(contest::Ss, bandModeCode(band::B20, false));
    const BandModeView& v = form.view();
    EXPECT_EQ(v.title, "Select Active Bands");
    EXPECT_EQ(v.label1,
              "NOTE:\nThese boxes\nselect which\nbands are active\nin contest.\n\nTo change "
              "bands\nwhile operating,\nuse <CTRL-arrow>\nkeys.");
    EXPECT_EQ(v.boxCaptions[1], "10 Meters");
    EXPECT_EQ(v.boxCaptions[6], "160 Meters");
    EXPECT_EQ(v.boxCaptions[7], " 6  Meters");
    for (int b = 1; b <= 8; ++b) EXPECT_EQ(v.boxTicked[b], hfBands[b]) << b;
    EXPECT_FALSE(v.boxVisible[7]);
    EXPECT_FALSE(v.boxVisible[8]);
    EXPECT_FALSE(v.tallFrame);

    open(contest::Cqp, bandModeCode(band::B20, false));
    EXPECT_TRUE(form.view().boxVisible[7]);
    EXPECT_TRUE(form.view().boxVisible[8]);
    EXPECT_TRUE(form.view().tallFrame);
}

TEST_F(BandModeTest, OkTakesTheTickedBandsCancelAndHiddenBoxesKeepTheOldChoice) {
    open(contest::Cqp, bandModeCode(band::B40, false));
    untick({band::B10, band::B160});
    form.onBandBox(band::B6, true);
    form.onOK();
    EXPECT_TRUE(form.view().closed);
    EXPECT_TRUE(box.shown.empty());
    EXPECT_EQ(state.BandActive,
              (BandActiveSet{false, false, true, true, true, true, false, true, false}));

    // Cancel and hidden boxes keep the old choice.
    state.BandActive = hfBands;
    open(contest::Ss, bandModeCode(band::B20, false));
    untick({band::B10, band::B15});
    form.onCancel();
    EXPECT_TRUE(form.view().closed);
    EXPECT_EQ(state.BandActive, hfBands);

    open(contest::Wpx, bandModeCode(band::B20, false));
    form.onBandBox(band::B2, true);
    form.onBandBox(0, true);
    form.onBandBox(9, true);
    form.onOK();
    EXPECT_EQ(state.BandActive, hfBands);
}

TEST_F(BandModeTest, UntickingEveryBandOrTheCurrentOneIsRefused) {
    open(contest::Ss, bandModeCode(band::B20, true));
    untick({1, 2, 3, 4, 5, 6});
    form.onOK();
    ASSERT_EQ(box.shown.size(), 1u);
    EXPECT_EQ(box.shown[0].text, "At least one band must be selected for the program to work.");
    EXPECT_EQ(box.shown[0].title, "Band Selection Error");
    EXPECT_EQ(box.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_FALSE(form.view().closed);
    EXPECT_EQ(state.BandActive, hfBands);
    for (int b = 1; b <= 8; ++b) EXPECT_EQ(form.view().boxTicked[b], hfBands[b]) << b;

    // 160 m phone is code 14: its band is found as the code less 8.
    open(contest::Ss, bandModeCode(band::B160, true));
    untick({band::B160, band::B10});
    form.onOK();
    ASSERT_EQ(box.shown.size(), 2u);
    EXPECT_EQ(box.shown[1].text, "No fair -- Can't delete current band.");
    EXPECT_EQ(box.shown[1].title, "Band Selection Error");
    EXPECT_TRUE(form.view().closed);
    EXPECT_TRUE(form.view().boxTicked[band::B160]);
    EXPECT_EQ(state.BandActive,
              (BandActiveSet{false, false, true, true, true, true, true, false, false}));
}

}  // namespace
}  // namespace keslog
