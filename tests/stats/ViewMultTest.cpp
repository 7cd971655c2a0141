#include <gtest/gtest.h>

#include <algorithm>

#include "stats/StatsFixture.h"
#include "stats/ViewMult.h"

namespace keslog {
namespace {

using namespace test;

bool shows(const ViewMultView& view, const PrintedText& text) {
    return std::find(view.texts.begin(), view.texts.end(), text) != view.texts.end();
}

ViewMultView drawn(const MainMod& state) {
    ViewMult window;
    window.draw(state);
    return window.view();
}

TEST(NaqpGrid, WorkedOnTheCurrentBandWithDollarLeftOfTheNeededLabel) {
    MainMod state = gmtLog(contest::Naqp);
    logTimed(state, {{"W1AW", 1200, 3, nullptr, kDay1, mult("CT")}});

    const ViewMultView on20 = drawn(state);
    EXPECT_EQ(on20.caption, "NAQP Multipliers on 20m");
    EXPECT_EQ(on20.width, 5560);
    EXPECT_FALSE(on20.scrollVisible);
    EXPECT_TRUE(shows(on20, {120, 225, "$CT", palette::Red}));
    EXPECT_FALSE(shows(on20, {240, 225, "CT", palette::Black}));
    EXPECT_TRUE(shows(on20, {240, 450, "MA", palette::Black}));
    EXPECT_TRUE(shows(on20, {5020, 1800, "CM", palette::Black}));  // the 72nd
    EXPECT_EQ(on20.texts.size(), 12u + 72u);

    // Another band: the whole grid from that band's flags.
    state.CurrentBandMode = 4;
    const ViewMultView on40 = drawn(state);
    EXPECT_EQ(on40.caption, "NAQP Multipliers on 40m");
    EXPECT_TRUE(shows(on40, {240, 225, "CT", palette::Black}));
    EXPECT_FALSE(shows(on40, {120, 225, "$CT", palette::Red}));

    state.CurrentBandMode = 6;
    EXPECT_EQ(drawn(state).caption, "NAQP Multipliers on 160m");
    state.CurrentBandMode = 7;  // 6 m: no NAQP column, nothing worked
    EXPECT_EQ(drawn(state).caption, "NAQP Multipliers on 6m");
}

TEST(SsGrid, SectionsAtTheirPlacesSprintAndPaqpInLinesOfSix) {
    MainMod state = gmtLog(contest::Ss);
    logTimed(state, {{"W1AW", 1200, 3, nullptr, kDay1, ss("A", "72", "EMA")}});
    const ViewMultView view = drawn(state);
    EXPECT_EQ(view.caption, "SS Multipliers");
    EXPECT_EQ(view.texts.size(), 80u);
    EXPECT_TRUE(shows(view, {120, 225, "CT", palette::Black}));
    EXPECT_TRUE(shows(view, {120, 450, "$EMA", palette::Red}));
    EXPECT_TRUE(shows(view, {4440, 2025, "NT", palette::Black}));
    EXPECT_EQ(view.width, 4440 + 900);

    // Sprint and PAQP lists in lines of six.
    MainMod paqp = gmtLog(contest::Paqp);
    logTimed(paqp, {{"W3AA", 1200, 3, nullptr, kDay1, mult("BLAIR")}});
    const ViewMultView list = drawn(paqp);
    EXPECT_EQ(list.caption, "PAQP Multipliers");
    EXPECT_EQ(list.texts.size(), 67u);
    EXPECT_TRUE(shows(list, {120, 100, "ADA", palette::Black}));
    EXPECT_TRUE(shows(list, {120 + 720 * 5, 100, "BER", palette::Black}));
    EXPECT_TRUE(shows(list, {120, 325, "$BLA", palette::Red}));
    EXPECT_EQ(drawn(gmtLog(contest::Sprint)).texts.size(), 72u);
}

TEST(CqpGrid, StatesInsideCaliforniaCountiesOutside) {
    MainMod inside = gmtLog(contest::Cqp, true, {.inState = true});
    logTimed(inside, {{"W6AA", 1200, 3, nullptr, kDay1, mult("ALAM")},
                      {"W1AW", 1201, 3, nullptr, kDay1, mult("CT")}});
    const ViewMultView states = drawn(inside);
    EXPECT_EQ(states.texts.size(), 58u);
    EXPECT_TRUE(shows(states, {120, 225, "AK", palette::Black}));
    EXPECT_TRUE(shows(states, {120, 1125, "$CA", palette::Red}));  // a county is California
    EXPECT_TRUE(shows(states, {600, 225, "$CT", palette::Red}));   // the 7th state

    MainMod outside = gmtLog(contest::Cqp);
    logTimed(outside, {{"W6AA", 1200, 3, nullptr, kDay1, mult("ALAMEDA")}});
    const ViewMultView counties = drawn(outside);
    EXPECT_EQ(counties.texts.size(), 58u);
    EXPECT_TRUE(shows(counties, {120, 225, "$ALAM", palette::Red}));
    EXPECT_TRUE(shows(counties, {120, 450, "ALPI", palette::Black}));
}

// 31 prefixes X10 .. X40, in the order the list keeps.
MainMod wpxWithPrefixes(int count) {
    MainMod state = gmtLog(contest::Wpx, true, {.usa = true});
    for (int i = 0; i < count; ++i)
        state.totals.wpxPrefixes.push_back("X" + std::to_string(10 + i));
    return state;
}

std::vector<std::string> pageLines(const ViewMultView& view) {
    std::vector<std::string> lines;
    for (const PrintedText& t : view.texts) lines.push_back(t.text);
    return lines;
}

TEST(WpxPage, ThirtyPrefixesAPageScrolledByOne) {
    const MainMod state = wpxWithPrefixes(31);
    ViewMult window;
    window.draw(state);
    const ViewMultView& view = window.view();
    EXPECT_TRUE(view.scrollVisible);
    EXPECT_EQ(view.scrollMax, 31);
    EXPECT_EQ(view.scrollValue, 1);
    EXPECT_EQ(pageLines(view),
              (std::vector<std::string>{"X10  X11  X12  X13  X14  ", "X15  X16  X17  X18  X19  ",
                                        "X20  X21  X22  X23  X24  ", "X25  X26  X27  X28  X29  ",
                                        "X30  X31  X32  X33  X34  ", "X35  X36  X37  X38  X39  "}));
    EXPECT_EQ(view.texts[1], (PrintedText{20, 225, "X15  X16  X17  X18  X19  ", palette::Blue}));

    window.onScroll(state, 2);
    EXPECT_EQ(view.scrollValue, 2);
    EXPECT_EQ(view.texts.front().text, "X11  X12  X13  X14  X15  ");
    EXPECT_EQ(view.texts.back().text, "X36  X37  X38  X39  X40  ");

    window.onScroll(state, 29);  // the end of the list stops the page
    EXPECT_EQ(pageLines(view), (std::vector<std::string>{"X38  X39  X40  "}));
}

TEST(WpxPage, APrefixInsertedFurtherDownIsShownLongOnesAreCut) {
    MainMod state = wpxWithPrefixes(12);
    ViewMult window;
    window.draw(state);
    auto& list = state.totals.wpxPrefixes;
    list.insert(std::lower_bound(list.begin(), list.end(), "X155"), "X155");
    window.draw(state);  // the first prefix of the page is still X10
    EXPECT_EQ(window.view().texts[1].text, "X15  X155 X16  X17  X18  ");
    EXPECT_EQ(window.view().scrollMax, 13);

    // Long prefixes are cut; an empty list draws nothing.
    state.totals.wpxPrefixes = {"ABCDEFG", "B1"};
    window.draw(state);
    EXPECT_EQ(pageLines(window.view()), (std::vector<std::string>{"ABCDEB1   "}));
    state.totals.wpxPrefixes.clear();
    window.draw(state);
    EXPECT_TRUE(window.view().texts.empty());
    EXPECT_EQ(window.view().scrollMax, 1);
}

TEST(CountryPanelWindow, LastQsosCountryThenTheTypedCall) {
    MainMod state = gmtLog(contest::Cqww, true, {.usa = true});
    ViewMult window;
    window.draw(state);
    EXPECT_EQ(window.view().texts.size(), 3u);  // the headings alone
    EXPECT_EQ(window.view().caption, "CQWW DX Multipliers");

    logTimed(state, {{"DL1ABC", 1200, 3, nullptr, kDay1, {}, 14}});
    window.draw(state);
    const std::string dl = "   DL    " + std::string("  --  --  XX  --  --  --");
    EXPECT_TRUE(shows(window.view(), {100, 350, dl, palette::Blue}));
    EXPECT_TRUE(
        shows(window.view(), {100, 1140, "  14       --  --  XX  --  --  --", palette::Blue}));

    window.showCountry(state, 7, 0);  // Japan, typed on 20 m: needed
    const std::string ja = "   JA    " + std::string("  --  --  --  --  --  --");
    EXPECT_TRUE(shows(window.view(), {100, 350, ja, palette::Red}));
    EXPECT_FALSE(shows(window.view(), {100, 350, dl, palette::Blue}));

    MainMod arrl = gmtLog(contest::ArrlDx);
    window.unload();
    window.draw(arrl);
    EXPECT_EQ(window.view().texts.size(), 2u);  // no zone heading
}

TEST(Counties, TenLinesOfSix) {
    const CACTYView view = countiesWindow(gmtLog(contest::Cqp, true, {.inState = true}));
    EXPECT_EQ(view.caption, "CA Counties ");
    ASSERT_EQ(view.lines.size(), 10u);
    EXPECT_EQ(view.lines.front(), "ALAM ALPI AMAD BUTT CALA COLU ");
    EXPECT_EQ(view.lines.back(), "TUOL VENT YOLO YUBA ");
    EXPECT_EQ(view.colour, palette::Blue);
    EXPECT_EQ(countiesWindowSize(120, 240).width, 120 * 31 - 70);
    EXPECT_EQ(countiesWindowSize(120, 240).height, 240 * 12 - 40);
}

}  // namespace
}  // namespace keslog
