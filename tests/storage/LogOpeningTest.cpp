#include <gtest/gtest.h>

#include "LogFixtures.h"
#include "platform/Files.h"
#include "storage/Backup.h"
#include "storage/LogOpening.h"
#include "support/FakePlatform.h"

namespace keslog {
namespace {

using test::FakeMessageBox;
using test::header26;
using test::qsoOf;
using test::sampleQso;
using test::TempDir;

std::string records(std::initializer_list<QSORecName> qsos) {
    std::string out;
    for (const QSORecName& q : qsos) out += encodeQso(q, RecordVariant::QSORec);
    return out;
}

std::vector<std::string> shortForms() {
    std::vector<std::string> forms;
    for (int i = 1; i <= 80; ++i) forms.push_back("S" + std::to_string(i));
    return forms;
}

class LogOpeningTest : public ::testing::Test {
  protected:
    Result<OpenedLog> open(const std::string& name) {
        return readLogForOpening(dir.file(name), {messages, forms});
    }
    MainMod openIntoState(const std::string& name) {
        Result<OpenedLog> log = open(name);
        EXPECT_TRUE(log.isOk()) << log.status().message();
        MainMod state;
        if (log) adoptOpenedLog(state, std::move(*log));
        return state;
    }

    TempDir dir;
    FakeMessageBox messages;
    std::vector<std::string> forms = shortForms();
};

// The header a new log writes, and what opening it restores: mixed-mode
// contests open with both modes, a location without a digit in North America.
TEST_F(LogOpeningTest, HeaderOfEveryContestAndChoiceRoundTrips) {
    struct Case {
        ContestNr contest;
        bool cw, inState, usa, canada;
        const char* continent;
        const char* mult;
        char location;
    };
    const Case cases[] = {
        {contest::ArrlDx, true, false, false, false, "NA", "ARLCW", ' '},
        {contest::ArrlDx, false, false, false, false, "NA", "ARLSB", ' '},
        {contest::Cqp, true, true, false, false, "NA", "CQPIN", ' '},
        {contest::Cqp, false, false, false, false, "NA", "CQPOS", ' '},
        {contest::Cqww, true, false, true, false, "NA", "WW CW", '2'},
        {contest::Cqww, false, false, false, true, "NA", "WW SB", '3'},
        {contest::Cqww, true, false, false, false, "EU", "WW CW", ' '},
        {contest::Sprint, true, false, false, false, "NA", "SP CW", ' '},
        {contest::Ss, false, false, false, false, "NA", "SS9SB", ' '},
        {contest::Wpx, true, false, true, false, "NA", "WPXCW", '2'},
        {contest::Wpx, true, false, false, true, "NA", "WPXCW", '3'},
        {contest::Wpx, false, false, false, false, "AF", "WPXSB", '4'},
        {contest::Wpx, false, false, false, false, "AS", "WPXSB", '5'},
        {contest::Wpx, false, false, false, false, "EU", "WPXSB", '6'},
        {contest::Wpx, false, false, false, false, "NA", "WPXSB", '7'},
        {contest::Wpx, false, false, false, false, "OC", "WPXSB", '8'},
        {contest::Wpx, true, false, false, false, "SA", "WPXCW", '9'},
        {contest::Aa, true, false, false, false, "AS", "AA CW", ' '},
        {contest::Paqp, true, true, false, false, "NA", "PAQIN", ' '},
        {contest::Paqp, false, false, false, false, "NA", "PAQOS", ' '},
        {contest::Naqp, false, false, false, false, "NA", "NA SB", ' '},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mult + std::string(1, c.location));
        MainMod made;
        made.contestNr = c.contest;
        made.ModeFlag = {!c.cw, c.cw};
        made.InStateFlag = c.inState;
        made.QTHUSAFlag = c.usa;
        made.QTHCanadaFlag = c.canada;
        made.MyContinent = c.continent;
        ASSERT_EQ(encodeHeader(buildHeader(made)), header26(c.mult, c.location));

        dir.write("A.KSL", header26(c.mult, c.location));
        MainMod state = openIntoState("A.KSL");
        const bool mixed = c.contest == contest::Cqp || c.contest == contest::Paqp;
        EXPECT_EQ(state.contestNr, c.contest);
        EXPECT_EQ(state.ModeFlag, (mixed ? std::array<bool, 2>{true, true} : made.ModeFlag));
        EXPECT_EQ(state.InStateFlag, c.inState);
        EXPECT_EQ(state.QTHUSAFlag, c.usa);
        EXPECT_EQ(state.QTHCanadaFlag, c.canada);
        EXPECT_EQ(state.MyContinent, c.location == ' ' ? "NA" : c.continent);
        EXPECT_EQ(state.QSONr, 1);
        EXPECT_EQ(state.log.count(), 0);
        EXPECT_EQ(state.currentLogPath, dir.file("A.KSL"));
        EXPECT_EQ(encodeHeader(state.logHeader), header26(c.mult, c.location));
        // An empty log starts on 20 m, CW unless the CW flag is off.
        EXPECT_EQ(state.CurrentBandMode, state.ModeFlag[1] ? 3 : 11);
    }
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(LogOpeningTest, QsosFillTheLogTablesAndTheLastSetsTheBandMode) {
    std::string names = header26("NA CW", ' ') + std::string(10, ' ');
    for (int n = 1; n <= 3; ++n) names += encodeQso(sampleQso(n), RecordVariant::QSORecName);
    dir.write("NAQP.KSL", names);
    MainMod state = openIntoState("NAQP.KSL");
    EXPECT_EQ(state.QSONr, 4);
    ASSERT_EQ(state.log.count(), 3);
    EXPECT_EQ(state.log.at(3), sampleQso(3));
    EXPECT_EQ(state.log.CallList[1], "K2ABC");
    EXPECT_EQ(state.CurrentBandMode, sampleQso(3).QBandMode);

    // A last QSO with a damaged band-mode leaves the log on 20 m.
    dir.write("WW.KSL",
              header26("WW SB", '2') + records({qsoOf("DL1AA", "DL", 4), qsoOf("F5AA", "F", 99)}));
    EXPECT_EQ(openIntoState("WW.KSL").CurrentBandMode, 11);

    // A 36-byte log of the header alone is empty.
    dir.write("SP.KSL", header26("SP CW", ' '));
    EXPECT_EQ(openIntoState("SP.KSL").log.variant(), RecordVariant::QSORecName);
}

TEST_F(LogOpeningTest, CorruptFilesAreRefusedAndLeftAsTheyWere) {
    const std::string damagedMarker = [] {
        std::string h = header26("WW CW", '2');
        h[16] = '\xFE';
        h[17] = '\xFF';
        return h;
    }();
    const std::string files[] = {"",
                                 "x",
                                 header26("WW CW", '2').substr(0, 25),
                                 std::string(26, '\x01'),
                                 damagedMarker,
                                 header26("ZZZCW", ' ') + records({qsoOf("K1AR", "K")})};
    for (const std::string& f : files) {
        SCOPED_TRACE(f.size());
        dir.write("BAD.KSL", f);
        const Result<OpenedLog> log = open("BAD.KSL");
        ASSERT_FALSE(log.isOk());
        EXPECT_FALSE(log.status().message().empty());
        EXPECT_EQ(dir.read("BAD.KSL"), f);
    }
    const Result<OpenedLog> missing = open("GONE.KSL");
    ASSERT_FALSE(missing.isOk());
    EXPECT_EQ(missing.status().message().rfind("Could not open " + dir.file("GONE.KSL"), 0), 0u);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(LogOpeningTest, LocationOfAnOldCqpLogIsAsked) {
    for (MsgResult answer : {MsgResult::Yes, MsgResult::No}) {
        dir.write("CQP.KSL", header26("CQPCW", ' '));
        messages.shown.clear();
        messages.answer(answer);
        MainMod state = openIntoState("CQP.KSL");
        ASSERT_EQ(messages.shown.size(), 1u);
        const MessageRequest& m = messages.shown[0];
        EXPECT_EQ(m.text,
                  "This CQP file was produced with ver. 2.0 or earlier of this program or ver. "
                  "4.5 or earlier of the DOS program.  The log file header does not indicate "
                  "whether or not the log was produced by a California or out of state "
                  "station.\n\n       Was the station in California?");
        EXPECT_EQ(m.title, "Need Station Location Info");
        EXPECT_EQ(m.buttons, MsgButtons::YesNo);
        EXPECT_EQ(m.icon, MsgIcon::Question);
        EXPECT_EQ(state.InStateFlag, answer == MsgResult::Yes);
        EXPECT_EQ(state.ModeFlag, (std::array<bool, 2>{true, true}));
    }
}

TEST_F(LogOpeningTest, OldWpxLogIsConvertedAndTheOriginalKeptUnderItsOldName) {
    struct Case {
        char digit, converted;
        bool usa, canada;
    };
    for (const Case& c : {Case{'1', '3', false, true}, Case{'0', '2', true, false},
                          Case{' ', '2', true, false}, Case{'Z', '2', true, false}}) {
        SCOPED_TRACE(c.digit);
        TempDir folder;
        const std::string old =
            header26("WPXCW", c.digit) +
            records({qsoOf("VE3XYZ", ""), qsoOf("K1AR", "K1"), qsoOf("W6ABC", "     ")}) + "part";
        folder.write("OLD.KSL", old);
        messages.shown.clear();
        const Result<OpenedLog> log = readLogForOpening(folder.file("OLD.KSL"), {messages, forms});
        ASSERT_TRUE(log.isOk()) << log.status().message();

        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text,
                  "The File selected,  " + folder.file("OLD.KSL") +
                      ", is in the format for versions 6.5 and earlier of KESLOG.  It will be "
                      "converted to new format readable only by version 7.0 and later.  The old "
                      "file will be saved as  " +
                      folder.file("OLD.KSb"));
        EXPECT_EQ(messages.shown[0].title, "WPX File Conversion");
        EXPECT_EQ(messages.shown[0].icon, MsgIcon::Information);

        EXPECT_EQ(folder.read("OLD.KSb"), old);
        const std::string converted =
            header26("WPXCW", c.converted) +
            records({qsoOf("VE3XYZ", "VE3"), qsoOf("K1AR", "K1"), qsoOf("W6ABC", "W6")});
        EXPECT_EQ(folder.read("OLD.KSL"), converted);

        EXPECT_EQ(log->choices.QTHUSAFlag, c.usa);
        EXPECT_EQ(log->choices.QTHCanadaFlag, c.canada);
        // The header copy is the converted one, so a backup writes the new layout.
        EXPECT_EQ(log->contents.header.QPoints.raw()[0], c.converted);
        ASSERT_EQ(log->contents.qsos.size(), 3u);
        EXPECT_EQ(log->contents.qsos[0].QMult.trimmed(), "VE3");

        MainMod state;
        adoptOpenedLog(state, OpenedLog(*log));
        state.settings.BackUpDrive = folder.path() + "backup";
        std::filesystem::create_directory(state.settings.BackUpDrive);
        ASSERT_TRUE(backupLog(state));
        EXPECT_EQ(folder.read("backup/OLD.KSL"), converted);

        // Opening the converted log asks nothing more.
        messages.shown.clear();
        EXPECT_TRUE(readLogForOpening(folder.file("OLD.KSL"), {messages, forms}));
        EXPECT_TRUE(messages.shown.empty());
    }
}

// Refused before anything is asked.
TEST_F(LogOpeningTest, ConversionNeverReplacesAnExistingOldFile) {
    for (const std::string& old : {header26("WPXCW", '1') + records({qsoOf("VE3XYZ", "")}),
                                   header26("SS SB", ' ') + records({qsoOf("K1AR", "A9911")})}) {
        dir.write("OLD.KSL", old);
        dir.write("OLD.KSb", "an earlier original");
        const Result<OpenedLog> log = open("OLD.KSL");
        ASSERT_FALSE(log.isOk());
        EXPECT_EQ(log.status().message(),
                  "The log " + dir.file("OLD.KSL") +
                      " has to be converted, but its old-file name " + dir.file("OLD.KSb") +
                      " is taken.  Move that file away and open the log again; nothing was "
                      "changed.");
        EXPECT_EQ(dir.read("OLD.KSL"), old);
        EXPECT_EQ(dir.read("OLD.KSb"), "an earlier original");
        EXPECT_TRUE(messages.shown.empty());
    }
}

TEST_F(LogOpeningTest, OldSsLogSectionsBecomeShortForms) {
    struct Case {
        MsgResult answer;
        std::int16_t year;
        std::vector<std::string> expected;
    };
    // Old sections 11, 77, 71, 5, and 99 (in no list: kept as stored).
    const Case cases[] = {
        {MsgResult::No, 95, {"A99S12", "B05S79", "Q12S73", "U01S5", "M3399"}},
        {MsgResult::Yes, 96, {"A99S11", "B05S78", "Q12S72", "U01S5", "M3399"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.year);
        TempDir folder;
        const std::string old =
            header26("SS CW", ' ') +
            records({qsoOf("K1AR", "A9911"), qsoOf("N6TR", "B0577"), qsoOf("W9XX", "Q1271"),
                     qsoOf("K5ZD", "U01 5"), qsoOf("AA1K", "M3399")});
        folder.write("SS.KSL", old);
        messages.shown.clear();
        messages.answer(c.answer);
        const Result<OpenedLog> log = readLogForOpening(folder.file("SS.KSL"), {messages, forms});
        ASSERT_TRUE(log.isOk()) << log.status().message();
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0].text,
                  "This SS file is for a pre-1997 contest. KESLOG will convert it to ver. 5 log "
                  "format.  In order to display the sections correctly, please press YES if the "
                  "contest was in 1996 (78 sections) or NO for pre-1996 (77 sections).");
        EXPECT_EQ(messages.shown[0].title, "Pre-1997 SS Log.  How Many Sections?");
        EXPECT_EQ(log->choices.SSYear, c.year);
        EXPECT_EQ(folder.read("SS.KSb"), old);

        const Result<LogFileContents> converted = parseLogFile(folder.read("SS.KSL"), "x");
        ASSERT_TRUE(converted.isOk());
        EXPECT_EQ(converted->header.QMult.raw(), "SS9CW");
        ASSERT_EQ(converted->qsos.size(), c.expected.size());
        for (std::size_t i = 0; i < c.expected.size(); ++i)
            EXPECT_EQ(converted->qsos[i].QMult.raw(), c.expected[i].substr(0, 5));
        EXPECT_EQ(converted->qsos[1].QCall.trimmed(), "N6TR");
    }
}

TEST_F(LogOpeningTest, SsConversionNeedsTheSectionList) {
    const std::string old = header26("SS SB", ' ') + records({qsoOf("K1AR", "A9911")});
    dir.write("SS.KSL", old);
    const std::vector<std::string> none;
    const Result<OpenedLog> log = readLogForOpening(dir.file("SS.KSL"), {messages, none});
    ASSERT_FALSE(log.isOk());
    EXPECT_EQ(dir.read("SS.KSL"), old);
    EXPECT_FALSE(fileExists(dir.file("SS.KSb")));
}

TEST_F(LogOpeningTest, IncompleteLastRecordIsNoticed) {
    dir.write("WW.KSL", header26("WW CW", '2') +
                            records({qsoOf("DL1AA", "DL"), qsoOf("F5AA", "F")}) + "F6ABC");
    const Result<OpenedLog> log = open("WW.KSL");
    ASSERT_TRUE(log.isOk());
    EXPECT_EQ(log->contents.qsos.size(), 2u);
    EXPECT_EQ(partialRecordNotice(*log),
              "The last record of " + dir.file("WW.KSL") +
                  " is incomplete (5 of 26 bytes), most likely because the program ended while "
                  "writing it.  All 2 whole QSOs were loaded; the next QSO logged takes the "
                  "place of the incomplete record.");

    dir.write("WW.KSL", header26("WW CW", '2') + records({qsoOf("DL1AA", "DL")}));
    EXPECT_EQ(partialRecordNotice(*open("WW.KSL")), "");
}

}  // namespace
}  // namespace keslog
