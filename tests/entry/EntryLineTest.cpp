#include <gtest/gtest.h>

#include "EntryRig.h"

namespace keslog {
namespace {

using test::EntryRig;
using test::Location;
using namespace test::bm;

// ---------------------------------------------------------------- typing

TEST(EntryTyping, BlanksAreRefusedWhereTheContestHasNoUseForThem) {
    struct Case {
        ContestNr contest;
        bool blankInExchange;
    };
    const Case cases[] = {
        {contest::ArrlDx, false}, {contest::Cqww, false}, {contest::Wpx, false},
        {contest::Aa, false},     {contest::Cqp, true},   {contest::Sprint, true},
        {contest::Ss, true},      {contest::Paqp, true},  {contest::Naqp, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.contest);
        EntryRig rig(c.contest, true, {.usa = true});
        rig.type("Q 1\tAB C");  // a call of no country: CQWW fills in no zone
        EXPECT_EQ(rig.box(0), "Q1");
        EXPECT_EQ(rig.box(1), c.blankInExchange ? "AB C" : "ABC");
    }
}

TEST(EntryTyping, MappedKeysActAsInsertAndF9OthersLeaveNoCharacter) {
    struct Case {
        bool key1;
        const char* mapping;
        char typed;  // 0: the Up key
        const char* sent;
    };
    const Case cases[] = {
        {true, "backslash", '\\', "exchange <>"}, {true, "rightbracket", ']', "exchange <>"},
        {true, "uparrow", 0, "exchange <>"},      {false, "backslash", '\\', "radio 0"},
        {false, "rightbracket", ']', "radio 0"},  {false, "uparrow", 0, "radio 0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mapping);
        EntryRig rig(contest::Sprint);
        Settings& s = rig.state.settings;
        (c.key1 ? s.Key1IsMapped : s.Key2IsMapped) = true;
        (c.key1 ? s.Key1Mapping : s.Key2Mapping) = c.mapping;
        rig.type("K6XX");
        if (c.typed)
            rig.entry.onChar(0, c.typed);
        else
            rig.key(EntryKey::Up);
        EXPECT_EQ(rig.box(0), "K6XX");
        EXPECT_EQ(rig.transmit.sent, std::vector<std::string>{c.sent});
    }

    // Unmapped brackets are swallowed and Shift+Up is no Insert.
    EntryRig rig(contest::Sprint);
    rig.state.settings.Key1IsMapped = true;
    rig.state.settings.Key1Mapping = "uparrow";
    rig.type("K6]XX\\");
    rig.key(EntryKey::Up, {.shift = true});
    EXPECT_EQ(rig.box(0), "K6XX");
    EXPECT_TRUE(rig.transmit.sent.empty());
}

// ------------------------------------------------------ call box displays

TEST(EntryDisplays, DxCountryCheckAndCqwwZoneFollowTheCall) {
    EntryRig rig(contest::Cqww, true, {.usa = true});
    rig.type("DL1AB");
    EXPECT_EQ(rig.entry.view().NeedPfxLabel, "Country Ck\n     DL\n NEEDED");
    EXPECT_EQ(rig.entry.view().needPfxColour, kNeededColour);
    EXPECT_EQ(rig.entry.view().countryNr, 5);
    EXPECT_EQ(rig.box(1), " 14");
    EXPECT_EQ(rig.host.panels.back(), "5 0");  // the multiplier window's country panel
    rig.type("C\t\n");                         // zone 14 as filled in
    ASSERT_EQ(rig.state.log.count(), 1);

    rig.type("DK2XX");
    EXPECT_EQ(rig.entry.view().NeedPfxLabel, "Country Ck\n     DL\n Worked");
    EXPECT_EQ(rig.entry.view().needPfxColour, kWorkedColour);
    rig.key(EntryKey::Down, {.ctrl = true});  // 40 m
    rig.key(EntryKey::Backspace);
    EXPECT_EQ(rig.entry.view().NeedPfxLabel, "Country Ck\n     DL\n NEEDED");
    rig.key(EntryKey::Tab);
    rig.type("15");  // typed over the filled-in zone: a zone other than the country's
    EXPECT_EQ(rig.host.panels.back(), "5 15");
    EXPECT_EQ(rig.entry.view().NeedPfxLabel, "Zone Ck\n     15\n NEEDED");
    rig.key(EntryKey::Backspace);
    rig.key(EntryKey::Backspace);
    rig.type("45");  // zone 4, then no zone: the panel stays on 4
    EXPECT_EQ(rig.host.panels.back(), "5 4");
    rig.key(EntryKey::Escape);
    EXPECT_EQ(rig.host.panels.back(), "0 0");
}

TEST(EntryDisplays, WpxShowsTheCountryAndWhetherThePrefixIsNeeded) {
    EntryRig rig(contest::Wpx, true, {.usa = true});
    rig.type("JA1XYZ\t5\n");
    rig.type("JA1A");
    EXPECT_EQ(rig.entry.view().LblWpxCountry, "Japan");
    EXPECT_EQ(rig.entry.view().NeedPfxLabel, "Prefix Ck\n    JA1\n Worked");
    rig.entry.onTextEdited(kCallBox, "");  // cut
    EXPECT_EQ(rig.entry.view().LblWpxCountry, "");  // no call, no country
    rig.key(EntryKey::Escape);
    rig.type("JA2B");
    EXPECT_EQ(rig.entry.view().NeedPfxLabel, "Prefix Ck\n    JA2\n NEEDED");
}

// Keystrokes show the partial matches; the grid comes with the dupe check.
TEST(EntryDisplays, KeystrokesShowPartialMatchesAndTheDupeCheckTheGrid) {
    EntryRig rig(contest::Sprint);
    rig.type("K6XX\t1 BOB CA\n");
    rig.type("K6XXA\t2 BOB CA\n");
    rig.type("K6XX");
    EXPECT_EQ(rig.entry.view().matches.CallMatchLabel1, "This band: K6XX K6XXA ");
    EXPECT_EQ(rig.entry.view().ModeLabel, "");
    rig.type("\t");
    EXPECT_EQ(rig.entry.view().matches.CallMatchLabel1, "");
    EXPECT_EQ(rig.entry.view().ModeLabel, "\n CW:");
    EXPECT_EQ(rig.entry.view().PrevQSO[2], "20m\n1");
}

TEST(EntryDisplays, NaqpExchangeBoxShowsTheBandsTheMultiplierIsNeededOn) {
    EntryRig rig(contest::Naqp);
    rig.type("K6XX\tBOB CA\n");               // CA on 20 m
    rig.key(EntryKey::Down, {.ctrl = true});  // 40 m
    rig.type("N6TR\tDAN CA");
    EXPECT_EQ(rig.entry.view().ModeLabel, "CA needed on   10m 15m [40m] 80m 160");
    rig.type("X");
    EXPECT_EQ(rig.entry.view().ModeLabel, "");
}

// ------------------------------------------------------------- logging

TEST(EntryLogging, ExchangeRefusalsStopWithTheirMessageAndSelection) {
    struct Case {
        ContestNr contest;
        const char* exchange;
        const char* message;
        int selStart, selLength;
    };
    const Case cases[] = {
        {contest::ArrlDx, "", "Must Enter Rcvd Power | Enter Power between 0 and 9999.", 0, 0},
        {contest::Cqww, "41", "Must Enter Rcvd Zone | Enter zone between 1 and 40.", 0, 2},
        {contest::Wpx, "0", "Invalid Entry | Number must be between 1 and 9999.", 0, 1},
        {contest::Cqp, "12 XXXX", "Exchange Error | Multiplier is Invalid.", 3, 4},
        {contest::Sprint, "12", "Exchange Error | Incomplete Exchange", 2, 0},
        {contest::Ss, "123X99SF",
         "Exchange Error | Precedence Error -- Must be A, B, M, Q, S, or U", 3, 1},
        {contest::Naqp, "BOB N CA", "Exchange Error | Exchange Error", 4, 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.contest) + " " + c.exchange);
        EntryRig rig(c.contest, true, {.usa = true});
        rig.type("Q1AR\t");  // no country: CQWW fills in no zone
        rig.type(c.exchange);
        rig.key(EntryKey::Enter);
        EXPECT_EQ(rig.messages(), std::vector<std::string>{c.message});
        EXPECT_EQ(rig.fakes.messageBox.shown[0].icon, MsgIcon::Stop);
        EXPECT_EQ(rig.state.log.count(), 0);
        EXPECT_TRUE(rig.store.written.empty());
        EXPECT_EQ(rig.box(0), "Q1AR");
        EXPECT_EQ(rig.box(1), c.exchange);
        EXPECT_EQ(rig.entry.view().focus, kExchangeBox);
        EXPECT_EQ(rig.entry.view().InData[1].selStart, c.selStart);
        EXPECT_EQ(rig.entry.view().InData[1].selLength, c.selLength);
    }
}

TEST(EntryLogging, AnEmptyCallBoxSendsF1UnlessShiftIsHeld) {
    EntryRig rig(contest::Cqww, true, {.usa = true});
    rig.key(EntryKey::Enter);
    EXPECT_TRUE(rig.transmit.sent.empty());
    rig.state.settings.SendF1Enabled = true;
    rig.key(EntryKey::Enter, {.shift = true});
    EXPECT_TRUE(rig.transmit.sent.empty());
    rig.key(EntryKey::Enter);
    rig.entry.onKeyDown(kExchangeBox, EntryKey::Enter);
    EXPECT_EQ(rig.transmit.sent, (std::vector<std::string>{"F1", "F1"}));
    EXPECT_EQ(rig.entry.view().focus, kCallBox);
    EXPECT_TRUE(rig.fakes.messageBox.shown.empty());
    EXPECT_EQ(rig.state.log.count(), 0);
}

TEST(EntryLogging, MessagesAroundLoggingFollowLogFirst) {
    for (bool logFirst : {false, true}) {
        EntryRig rig(contest::Wpx, true, {.usa = true});
        rig.state.settings.LogandSendF5Enabled = true;
        rig.state.settings.LogFirst = logFirst;
        rig.state.cw.CallSentFlag = true;
        rig.type("K1AR\t1\n");
        EXPECT_EQ(rig.transmit.sent, std::vector<std::string>{"F5"});
        rig.type("K1XX\t2");
        rig.key(EntryKey::Enter, {.shift = true});  // Shift: no message
        EXPECT_EQ(rig.transmit.sent.size(), 1U);
        EXPECT_EQ(rig.state.log.count(), 2);
    }
}

// A QSO that did not reach the disk must not look logged without a word.
TEST(EntryLogging, AFailedWriteIsToldAndTheQsoKeptStampedInGmt) {
    EntryRig rig(contest::Wpx, true, {.usa = true});
    rig.store.failWrites = true;
    rig.state.settings.TimeCorrection = "+2";  // 23:30 local is 01:30 GMT the next day
    rig.type("K1AR\t1\n");
    EXPECT_EQ(rig.state.log.at(1).QTime, 130);
    EXPECT_EQ(rig.state.log.at(1).QDate, 31051);
    EXPECT_EQ(rig.messages(),
              std::vector<std::string>{
                  "File or Disk Error | QSO 1 with K1AR could not be written to the log file "
                  "/logs/TEST.KSL:  No space left on device\nIt is kept in the log and goes to "
                  "the file with the next QSO, with File, Save, or when Exit is answered Yes."});
    EXPECT_EQ(rig.fakes.messageBox.shown[0].icon, MsgIcon::Stop);
    EXPECT_EQ(rig.state.log.count(), 1);
    EXPECT_EQ(rig.state.QSONr, 2);
    EXPECT_EQ(rig.state.totals.score, 1);
}

TEST(EntryLogging, AFullLogRefusesTheQso) {
    EntryRig rig(contest::Wpx, true, {.usa = true});
    QSORecName q;
    q.QCall = "K1AR";
    for (int n = 1; n <= kMaxQsos; ++n) ASSERT_TRUE(rig.state.log.append(q).isOk());
    rig.state.QSONr = kMaxQsos + 1;
    rig.type("W1AW\t1\n");
    EXPECT_EQ(rig.messages(), std::vector<std::string>{"Log Full | " + logFullMessage()});
    EXPECT_EQ(rig.state.log.count(), kMaxQsos);
    EXPECT_TRUE(rig.store.written.empty());
    EXPECT_EQ(rig.box(0), "W1AW");
}

// ------------------------------------------------------- command words

TEST(EntryCommands, NaqpRepeatPutsTheLastQsoBackWithoutLogging) {
    EXPECT_EQ(entryCommand(" r "), EntryCommand::Repeat);
    EXPECT_EQ(entryCommand("RPT"), EntryCommand::Repeat);
    EXPECT_EQ(entryCommand("RR"), EntryCommand::None);
    EXPECT_EQ(entryCommand(""), EntryCommand::None);

    EntryRig rig(contest::Naqp);
    rig.key(EntryKey::F9);
    rig.key(EntryKey::F10);
    EXPECT_EQ(rig.transmit.sent, (std::vector<std::string>{"radio 0", "log radio"}));
    EXPECT_EQ(rig.host.events, (std::vector<std::string>{"multipliers", "multipliers"}));
    rig.type("R\n");  // on an empty log an ordinary call
    EXPECT_EQ(rig.messages(), std::vector<std::string>{"Exchange Error | No Exchange"});
    rig.key(EntryKey::Escape);
    rig.type("K6XX\tBOB CA\n");
    rig.type("RPT\n");
    EXPECT_EQ(rig.box(0), "K6XX");
    EXPECT_EQ(rig.box(1), "BOB CA");
    EXPECT_EQ(rig.entry.view().focus, kExchangeBox);
    EXPECT_EQ(rig.state.log.count(), 1);
    EXPECT_EQ(rig.messages().size(), 1U);
}

// ------------------------------------------------------------ keys

TEST(EntryKeys, FunctionKeysSendTheirMessagesShiftForDualCqLineTestsSwitchDtr) {
    EntryRig rig(contest::Cqww, true, {.usa = true});
    for (EntryKey k : {EntryKey::F1, EntryKey::F2, EntryKey::F3, EntryKey::F4, EntryKey::F5,
                       EntryKey::F6, EntryKey::F7, EntryKey::F11, EntryKey::F12})
        rig.key(k);
    rig.key(EntryKey::F3, {.shift = true});
    EXPECT_EQ(rig.transmit.sent, (std::vector<std::string>{"F1", "F2", "F3", "F4", "F5", "F6", "F7",
                                                           "F11", "F12", "dual F3"}));
    rig.key(EntryKey::Tab);
    EXPECT_EQ(rig.entry.view().focus, kExchangeBox);
    rig.key(EntryKey::Tab);
    EXPECT_EQ(rig.entry.view().focus, kCallBox);

    // Line tests switch DTR and empty the call box.
    rig.transmit.sent.clear();
    rig.type("DTRSET1\n");
    rig.type("dtrclear1\n");
    EXPECT_EQ(rig.transmit.sent, (std::vector<std::string>{"dtr on", "dtr off"}));
    EXPECT_EQ(rig.box(0), "");
    EXPECT_EQ(rig.state.log.count(), 0);
}

TEST(EntryKeys, TheExchangeBoxIsPrefilledFromTheLastContact) {
    EntryRig rig(contest::Sprint);
    rig.state.CurrentBandMode = CW40;
    rig.type("K6XX\t1 BOB CA\n");
    rig.state.CurrentBandMode = CW20;
    rig.type("K6XX\t");
    EXPECT_EQ(rig.box(1), "  BOB CA");
    EXPECT_EQ(rig.entry.view().InData[1].caret, 0);
    rig.type("2\n");
    ASSERT_EQ(rig.state.log.count(), 2);
    EXPECT_EQ(rig.state.log.at(2).QRcvd, 2);
    EXPECT_EQ(rig.state.log.at(2).QName.trimmed(), "BOB");

    // Enter in the call box with no exchange: the refusal moves the focus as
    // Tab would, pre-fill and all.
    rig.state.CurrentBandMode = CW80;
    rig.type("K6XX\n");
    EXPECT_EQ(rig.messages(), std::vector<std::string>{"Exchange Error | Incomplete Exchange"});
    EXPECT_EQ(rig.entry.view().focus, kExchangeBox);
    EXPECT_EQ(rig.box(1), "  BOB CA");
}

TEST(EntryKeys, BandStepsStayOnTheActiveBandsModeSwitchesWhereThereIsAnother) {
    EntryRig rig(contest::Cqww, true, {.usa = true});
    rig.state.BandActive = {false, false, false, true, false, false, false, false, false};
    rig.key(EntryKey::Down, {.ctrl = true});
    EXPECT_EQ(rig.state.CurrentBandMode, CW20);
    rig.state.BandActive[4] = true;
    rig.key(EntryKey::Down, {.ctrl = true});
    EXPECT_EQ(rig.state.CurrentBandMode, CW40);
    rig.key(EntryKey::Up, {.ctrl = true});
    EXPECT_EQ(rig.state.CurrentBandMode, CW20);
    rig.key(EntryKey::Right, {.ctrl = true});  // CQWW has no other mode
    EXPECT_EQ(rig.state.CurrentBandMode, CW20);
    EXPECT_EQ(rig.host.events.size(), 3U);

    EntryRig mixed(contest::Cqp);
    mixed.key(EntryKey::Right, {.ctrl = true});
    EXPECT_EQ(mixed.state.CurrentBandMode, PH20);
    mixed.key(EntryKey::Left, {.ctrl = true});
    EXPECT_EQ(mixed.state.CurrentBandMode, CW20);
    EXPECT_EQ(mixed.host.events, (std::vector<std::string>{"band-mode", "band-mode"}));
}

TEST(EntryKeys, InsertSendsTheExchangeOrTheDupeMessageEscClears) {
    EntryRig rig(contest::Cqww, true, {.usa = true});
    rig.type("DL1ABC");
    rig.key(EntryKey::Insert);
    EXPECT_EQ(rig.transmit.sent, std::vector<std::string>{"exchange < 14>"});
    EXPECT_EQ(rig.entry.view().focus, kExchangeBox);
    rig.key(EntryKey::Enter);

    rig.state.settings.AutoDupeFlag = "True";
    rig.state.settings.DupeBeepFlag = "True";
    rig.type("DL1ABC");
    rig.key(EntryKey::Insert);
    EXPECT_EQ(rig.transmit.sent, (std::vector<std::string>{"exchange < 14>", "dupe", "cancel"}));
    EXPECT_EQ(rig.fakes.beep.count, 1);
    EXPECT_EQ(rig.box(0), "");

    // Esc clears the entry unless it ended a message.
    rig.type("DL1ABC");
    rig.transmit.escEndsMessage = true;
    rig.key(EntryKey::Escape);
    EXPECT_EQ(rig.box(0), "DL1ABC");
    rig.transmit.escEndsMessage = false;
    rig.key(EntryKey::Escape);
    EXPECT_EQ(rig.box(0), "");
    EXPECT_EQ(rig.box(1), "");
    EXPECT_EQ(rig.entry.view().NeedPfxLabel, "");
    EXPECT_EQ(rig.entry.view().countryNr, 0);
    EXPECT_EQ(rig.transmit.sent,
              (std::vector<std::string>{"exchange < 14>", "dupe", "cancel", "cancel", "cancel"}));

    EntryRig phone(contest::Cqww, false, {.usa = true});
    phone.type("DL1ABC");
    phone.key(EntryKey::Insert);
    EXPECT_EQ(phone.transmit.sent, std::vector<std::string>{"voice"});
    EXPECT_EQ(phone.entry.view().focus, kCallBox);
}

// The search key: golden session PartialSearch.
TEST(EntryKeys, CapsLockOpensKeyboardCwOnCwOnly) {
    EntryRig rig(contest::Cqp);
    rig.type("K6A");
    rig.key(EntryKey::CapsLock);
    rig.key(EntryKey::Right, {.ctrl = true});
    rig.key(EntryKey::CapsLock);
    EXPECT_EQ(rig.transmit.sent, std::vector<std::string>{"keyboard 0 3"});
}

// ------------------------------------------------------ Edit menu

// The kill's questions and the file it leaves: golden session EntryLineKeys.
TEST(EntryEdits, KillLastEntryTellsAFileItCouldNotShorten) {
    EntryRig rig(contest::Wpx, true, {.usa = true});
    rig.entry.onKillLastEntry();  // an empty log: refused
    EXPECT_TRUE(rig.store.cuts.empty());
    EXPECT_TRUE(rig.host.events.empty());

    rig.type("K1AR\t1\nW1AW\t2\n");
    rig.store.failCuts = true;
    rig.fakes.messageBox.answer(MsgResult::Yes);
    rig.entry.onKillLastEntry();
    EXPECT_EQ(rig.store.cuts, std::vector<int>{1});
    EXPECT_EQ(rig.messages().back(),
              "File or Disk Error | The last QSO is gone from the log, but the log file "
              "/logs/TEST.KSL could not be shortened:  Permission denied\nThe next QSO logged "
              "takes its place in the file.");
    EXPECT_EQ(rig.state.QSONr, 2);
}

}  // namespace
}  // namespace keslog
