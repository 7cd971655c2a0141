#include "EntryFixture.h"

namespace keslog::test {
namespace {

using namespace bm;

using Logged = std::pair<std::string, int>;  // call, band-mode

TEST(DupeRule, SameBandModeOrAnyBandInSweepstakes) {
    struct Case {
        ContestNr contest;
        std::vector<Logged> log;
        std::string call;
        int current;
        bool workedBefore, dupe;
    };
    const std::vector<Case> cases{
        {contest::Cqww, {{"DL1ABC", CW20}}, "DL1ABC", PH20, true, false},
        {contest::Cqww, {{"DL1ABC", CW20}}, "DL1ABC", CW20, true, true},
        {contest::Cqww, {{"DL1ABC", CW20}}, "DL1ABD", CW20, false, false},
        {contest::Cqww, {{"DL1ABC", CW20}}, "DL1AB", CW20, false, false},
        {contest::Ss, {{"W1AW", CW20}}, "W1AW", CW40, true, true},
        {contest::Ss, {{"W1AW", CW20}}, "W1AW", CW20, true, true},
        {contest::Cqp, {{"K6AAA", CW20}}, "K6AAA", PH20, true, false},
        {contest::Cqp, {{"K6AAA", PH20}}, "K6AAA", PH20, true, true},
        {contest::Cqp, {{"K6AAA", CW20}}, "K6AAA", CW40, true, false},
        {contest::Paqp, {{"W3AAA", PH40}}, "W3AAA", CW40, true, false},
        {contest::Paqp, {{"W3AAA", CW40}}, "W3AAA", CW40, true, true},
        {contest::Naqp, {{"K6XX", CW6}}, "K6XX", CW6, true, true},
        {contest::Naqp, {{"K6XX", CW6}}, "K6XX", CW2, true, false},
        // The portable form is another station as far as dupes go.
        {contest::Wpx, {{"W6XYZ", CW20}}, "W6XYZ/7", CW20, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.contest) + " " + c.call + " on " + std::to_string(c.current));
        MainMod state = newLog(c.contest);
        logCalls(state, c.log);
        state.CurrentBandMode = static_cast<BandModeCode>(c.current);
        const DupeCheck check = checkDupe(state, c.call);
        EXPECT_EQ(check.workedBefore, c.workedBefore);
        EXPECT_EQ(check.dupe, c.dupe);
    }
}

TEST(DupeCheck, RemembersTheEarlierContacts) {
    MainMod state = newLog(contest::Cqww);
    logCalls(state,
             {{"K6XX", CW20}, {"W1AW", CW20}, {"K6XX", CW40}, {"K6XX", CW20}, {"K6XY", CW20}});
    state.CurrentBandMode = CW20;
    const DupeCheck check = checkDupe(state, "K6XX");
    EXPECT_EQ(check.earlierContact, 4);
    EXPECT_EQ(check.lastContact, 4);
    EXPECT_EQ(check.contactsByBandMode[CW20], (std::vector<int>{1, 4}));
    EXPECT_EQ(check.contactsByBandMode[CW40], (std::vector<int>{3}));

    state.CurrentBandMode = CW80;
    EXPECT_FALSE(checkDupe(state, "K6XX").dupe);
    EXPECT_EQ(checkDupe(state, "K6XX").earlierContact, 0);

    MainMod ss = newLog(contest::Ss);
    logCalls(ss, {{"K6XX", CW40}, {"K6XX", CW20}, {"W1AW", CW10}});
    ss.CurrentBandMode = CW80;
    EXPECT_EQ(checkDupe(ss, "K6XX").earlierContact, 2);
}

TEST(PortableNotice, TellsTheOtherFormInTheLogFoundWithoutTheDesignator) {
    struct Case {
        std::vector<Logged> log;
        std::string call;
        std::optional<std::string> text;
    };
    const std::string also = "This station is also in the log\nas a ";
    const std::vector<Case> cases{
        {{{"W6XYZ", CW20}}, "W6XYZ/7", also + "nonportable:  W6XYZ"},
        {{{"W6XYZ", CW20}}, "DL/W6XYZ", also + "nonportable:  W6XYZ"},
        {{{"W6XYZ/7", CW20}}, "W6XYZ", also + "portable:  W6XYZ/7"},
        {{{"W6XYZ/7", CW20}, {"W6XYZ/6", CW40}}, "W6XYZ", also + "portable:  W6XYZ/7"},
        {{{"W6XYZ", CW20}}, "W6XYZ", std::nullopt},      // worked as it is: the grid tells
        {{{"W6XYZ/7", CW20}}, "W6XYZ/6", std::nullopt},  // two portable forms: not compared
        {{{"W6ABC", CW20}}, "W6XYZ/7", std::nullopt},
    };
    for (const Case& c : cases) {
        MainMod state = newLog(contest::Wpx, true, {.usa = true});
        logCalls(state, c.log);
        const auto notice = portableNotice(checkDupe(state, c.call));
        ASSERT_EQ(notice.has_value(), c.text.has_value()) << c.call;
        if (!notice) continue;
        EXPECT_EQ(notice->text, *c.text);
        EXPECT_EQ(notice->title, "Portable Station?");
        EXPECT_EQ(notice->buttons, MsgButtons::Ok);
        EXPECT_EQ(notice->icon, MsgIcon::Information);
    }
    // The station is the longest part of the call.
    EXPECT_EQ(callWithoutDesignator("W6XYZ/7"), "W6XYZ");
    EXPECT_EQ(callWithoutDesignator("DL/W6XYZ"), "W6XYZ");
    EXPECT_EQ(callWithoutDesignator("VE3/W1AB/P"), "W1AB");
    EXPECT_EQ(callWithoutDesignator("W1AW"), "W1AW");
    EXPECT_EQ(callWithoutDesignator("/"), "");
}

// The earlier contact as the dupe question shows it, contest by contest; its
// date code of 2001 reads as 2021 in 2026.
TEST(DupeQuestion, TextOfEachContest) {
    struct Case {
        ContestNr contest;
        LoggedQso earlier;
        std::string shown;  // after the call
        int his;            // the received number shown, 0 for none
        Location where{};
    };
    const Location inCa{.inState = true}, usa{.usa = true};
    const std::vector<Case> cases{
        {contest::ArrlDx, {"DL1ABC", CW20, 100, "DL", "3", 1}, "100", 0},
        {contest::Aa, {"JA1XYZ", CW20, 35, "JA1", "1", 1}, "35", 0},
        {contest::Cqp, {"K6AAA", CW20, 12, " 43", "3", 1, mult("SCLA")}, "SCLA", 12},
        {contest::Cqp, {"K6AAA", CW20, 12, "XYZ", "3", 0, mult("XYZ")}, "(No Mult)", 12, inCa},
        {contest::Cqp, {"K6AAA", CW20, 12, "SFRA", "3", 1, mult("SF")}, "SFRA", 12, inCa},
        {contest::Paqp, {"W3AAA", CW20, 7, " 51", "3", 1, mult("PHILA")}, "PHI", 7},
        {contest::Ss, {"W1AW", CW20, 123, "A72EM", "2", 1, ss("A", "72", "EMA")}, "A 72 EMA", 123},
        {contest::Sprint, {"K6XX", CW20, 45, " 5", "1", 1, mult("CA"), "BOB"}, "BOB CA", 45},
        {contest::Naqp, {"K6XX", CW20, 0, " 27", "1", 1, mult("CA"), "BOB"}, "BOB CA", 0},
        {contest::Cqww, {"DL1ABC", CW20, 14, "DL", "3", 2}, "", 0, usa},
        {contest::Wpx, {"DL1ABC", CW20, 5, "DL1", "3", 1}, "", 5, usa},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.earlier.call + " " + c.shown);
        MainMod state = newLog(c.contest, true, c.where);
        logQsos(state, {c.earlier});
        const DupeCheck check = checkDupe(state, c.earlier.call);
        ASSERT_TRUE(check.dupe);
        const MessageRequest q = dupeQuestion(state, check, 2026);
        const bool named = c.contest == contest::Sprint || c.contest == contest::Naqp;
        const std::string call = (c.earlier.call + "      ").substr(0, 10);
        EXPECT_EQ(q.text, "DUPE - OK to Log Anyway?\n" + std::string(named ? 10 : 15, ' ') + call +
                              c.shown + "\n11/04/21  1201  " +
                              (c.his ? "His #" + std::to_string(c.his) + "  " : "") + "My #1");
        EXPECT_EQ(q.title, "DUPE!");
        EXPECT_EQ(q.buttons, MsgButtons::YesNoCancel);
        EXPECT_EQ(q.icon, MsgIcon::Exclamation);
        EXPECT_EQ(q.defaultButton, 1);  // No
    }
}

// The beep before the question and the answers: the golden sessions'.
TEST(DupeQuestion, NoBeepWhenTheDupeBeepIsOff) {
    MainMod state = newLog(contest::Cqww, true, {.usa = true});
    state.settings.DupeBeepFlag = "False";
    logCalls(state, {{"DL1ABC", CW20}});
    FakePlatform platform;
    platform.messageBox.answer(MsgResult::Cancel);
    EXPECT_EQ(askDupeQuestion(state, checkDupe(state, "DL1ABC"), 2026, platform.messageBox,
                              platform.beep),
              MsgResult::Cancel);
    EXPECT_EQ(platform.beep.count, 0);
}

TEST(WorkedBeforeGrid, BandColumnsWithTheEarlierQsoNumbers) {
    MainMod cqww = newLog(contest::Cqww, true, {.usa = true});
    logCalls(cqww, {{"K6XX", CW20}, {"W1AW", CW20}, {"K6XX", CW40}, {"K6XX", CW20}, {"K6XX", CW2}});
    WorkedBeforeGrid grid = workedBeforeGrid(cqww, checkDupe(cqww, "K6XX"));
    EXPECT_TRUE(grid.visible);
    EXPECT_EQ(grid.modeLabel, "\n CW:");
    EXPECT_EQ(grid.prevQso,
              (std::array<std::string, 8>{"", "", "20m\n1 4", "40m\n3", "", "", "", "2m \n5"}));
    EXPECT_FALSE(workedBeforeGrid(cqww, checkDupe(cqww, "K6XY")).visible);

    MainMod phone = newLog(contest::Wpx, false, {.usa = true});
    phone.CurrentBandMode = PH20;
    logCalls(phone, {{"K6XX", PH160}});
    grid = workedBeforeGrid(phone, checkDupe(phone, "K6XX"));
    EXPECT_EQ(grid.modeLabel, "\nSSB:");
    EXPECT_EQ(grid.prevQso[5], "160\n1");

    // Mixed mode: a phone row over a CW row.
    MainMod cqp = newLog(contest::Cqp);
    logCalls(cqp, {{"K6AAA", CW20}, {"K6AAA", PH20}, {"K6AAA", PH40}, {"K6AAA", CW20}});
    grid = workedBeforeGrid(cqp, checkDupe(cqp, "K6AAA"));
    EXPECT_EQ(grid.modeLabel, "\nSSB:\n CW:");
    EXPECT_EQ(grid.prevQso[2], "20m\n2\n1 4");
    EXPECT_EQ(grid.prevQso[3], "40m\n3\n");

    MainMod naqp = newLog(contest::Naqp);
    logCalls(naqp, {{"K6XX", CW20}});
    grid = workedBeforeGrid(naqp, checkDupe(naqp, "K6XX"));
    EXPECT_TRUE(grid.visible);
    EXPECT_EQ(grid.modeLabel, "");
}

}  // namespace
}  // namespace keslog::test
