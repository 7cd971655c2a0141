#include <gtest/gtest.h>

#include <filesystem>

#include "PostRig.h"
#include "platform/Files.h"
#include "postcontest/PostContestForm.h"
#include "storage/SettingsFile.h"

namespace keslog {
namespace {

using test::postQso;

// The form loaded with a log of the contest written as logging does.
PostContestForm loadedForm(test::PostRig& rig, const std::string& name, ContestNr contest, bool cw,
                           const std::vector<QSORecName>& qsos = {}, bool inState = false) {
    PostContestForm form(rig.state, rig.platform);
    EXPECT_TRUE(form.load(rig.writeLog(name, contest, cw, qsos, inState)));
    return form;
}

TEST(PostContestForm, LoadShowsTheLogAndTheSentExchange) {
    struct Case {
        ContestNr contest;
        bool cw;
        const char* contestLabel;
        const char* exchange;
        int fields;
        const char* heading;
    };
    const Case cases[] = {
        {contest::ArrlDx, true, " Contest: ARRL DX CW", "599 CA", 1, "Multiplier"},
        {contest::Cqp, false, " Contest: CQP", "# OR", 1, "Multiplier"},
        {contest::Cqww, false, " Contest: CQWW DX SSB", "59 3", 1, "Zone"},
        {contest::Sprint, true, " Contest: Sprint CW", "# BOB CA", 2, "Name          Mult"},
        {contest::Ss, true, " Contest: SS  CW", "# A K6XX 72 SV", 4,
         "Prec    Call        Ck      Section"},
        {contest::Wpx, false, " Contest: WPX SSB", "59 #", 0, ""},
        {contest::Aa, true, " Contest: All Asian CW", "599 45", 1, "Age"},
        {contest::Paqp, true, " Contest: PAQP", "# CA", 1, "Multiplier"},
        {contest::Naqp, false, " Contest: NAQP SSB", "BOB CA", 2, "Name          Mult"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.contestLabel);
        test::PostRig rig;
        PostContestForm form = loadedForm(rig, "L.KSL", c.contest, c.cw);
        const std::string path = rig.dir.file("L.KSL");
        EXPECT_EQ(form.view().contestLabel, c.contestLabel);
        EXPECT_EQ(form.view().logFileLabel, " Log File: " + path);
        EXPECT_EQ(form.view().exchangeText, c.exchange);
        EXPECT_EQ(form.view().fieldCount, c.fields);
        EXPECT_EQ(form.view().fieldsLabel, c.heading);
        EXPECT_EQ(form.view().editEnabled, c.contest != contest::Wpx);
        EXPECT_FALSE(form.view().electronic || form.view().normal || form.view().exportFile);
        EXPECT_FALSE(form.view().adifEnabled || form.view().dxb4Enabled || form.view().omitEnabled);
    }
}

TEST(PostContestForm, LongPathShortenedInTheMiddle) {
    test::PostRig rig;
    PostContestForm form = loadedForm(rig, "A-RATHER-LONG-LOG-NAME.KSL", contest::Cqww, true);
    const std::string path = rig.dir.file("A-RATHER-LONG-LOG-NAME.KSL");
    EXPECT_EQ(form.view().logFileLabel, " Log File: " + path);  // whole until fitted
    form.fitLogFileLabel([](std::string_view text) { return text.size() <= 30; });
    const std::string label = form.view().logFileLabel;
    EXPECT_LE(label.size(), 30u);
    EXPECT_TRUE(label.starts_with(" Log File: "));
    EXPECT_NE(label.find("..."), std::string::npos);
    EXPECT_TRUE(label.ends_with(".KSL"));
}

TEST(PostContestForm, ExportChoicesAndNameContests) {
    for (ContestNr nr : {contest::Cqww, contest::Naqp}) {
        test::PostRig rig;
        PostContestForm form = loadedForm(rig, "L.KSL", nr, true);
        form.setExport(true);
        EXPECT_TRUE(form.view().adifEnabled && form.view().omitEnabled);
        EXPECT_EQ(form.view().dxb4Enabled, nr == contest::Cqww);
        form.setFormat(false);
        form.setOmitWK(true);
        OutputChoices c = form.choices();
        EXPECT_EQ(c.dxb4, nr == contest::Cqww);  // never a DXB4 file for NAQP
        EXPECT_FALSE(c.adif);
        EXPECT_TRUE(c.omitWK);
        form.setFormat(true);
        EXPECT_TRUE(form.choices().adif);
        form.setExport(false);
        EXPECT_FALSE(form.view().omitWK || form.view().adif || form.view().dxb4 ||
                     form.view().omitEnabled || form.view().adifEnabled);
        EXPECT_FALSE(form.choices().any());
        form.setNormal(true);
        c = form.choices();
        EXPECT_TRUE(c.summary && c.breakdown && c.listing && c.dupeSheets && !c.cabrillo);
    }
}

TEST(PostContestForm, SsExchangeChecksEachFieldBeforeStoring) {
    test::PostRig rig;
    Settings& s = rig.state.settings;
    PostContestForm form = loadedForm(rig, "SS.KSL", contest::Ss, true);
    struct Case {
        std::array<std::string, 4> fields;
        const char* message;
        int focus;
    };
    const Case refused[] = {
        {{"x", "n6tr", "99", "scv"}, "Precedence Error -- Must be A, B, M, Q, S, or U", 0},
        {{"b", "n6tr", "100", "scv"}, "Check Must be between 00 and 99", 2},
        {{"b", "n6tr", "7a", "scv"}, "Check Must be between 00 and 99", 2},
        {{"b", "n6tr", "07", "xyz"}, "Section is Invalid.", 3},
    };
    for (const Case& c : refused) {
        form.edit();
        ASSERT_TRUE(form.view().editing);
        EXPECT_FALSE(form.view().okEnabled);
        for (int i = 0; i < 4; ++i) form.setField(i, c.fields[static_cast<std::size_t>(i)]);
        rig.messages.shown.clear();
        EXPECT_FALSE(form.editOk());
        ASSERT_EQ(rig.messages.shown.size(), 1u);
        EXPECT_EQ(rig.messages.shown[0].text, c.message);
        EXPECT_EQ(rig.messages.shown[0].title, "Exchange Error");
        EXPECT_EQ(rig.messages.shown[0].icon, MsgIcon::Stop);
        EXPECT_EQ(form.view().focusField, c.focus);
        EXPECT_EQ(s.ExchangeSSPrec, "A");  // nothing stored
        form.editCancel();
        EXPECT_FALSE(form.view().editing);
        EXPECT_EQ(form.view().exchangeText, "# A K6XX 72 SV");
    }
    form.edit();
    for (int i = 0; i < 4; ++i)
        form.setField(i, std::array<std::string, 4>{" b", "n6tr ", " 07 ",
                                                    "scv"}[static_cast<std::size_t>(i)]);
    EXPECT_TRUE(form.editOk());
    EXPECT_EQ(form.view().exchangeText, "# B N6TR 07 SCV");
    EXPECT_TRUE(form.view().okEnabled);
    // Written to the settings file at once.
    MainMod reread;
    reread.programDir = rig.state.programDir;
    ASSERT_TRUE(ReadSettings(reread));
    EXPECT_EQ(reread.settings.ExchangeSSSection, "SCV");
    EXPECT_EQ(reread.settings.ExchangeSSCheck, "07");
}

TEST(PostContestForm, CqpCountyQuestionInsideCalifornia) {
    test::PostRig rig;
    PostContestForm form = loadedForm(rig, "CQP.KSL", contest::Cqp, true, {}, true);
    form.edit();
    form.setField(0, "xxxx");
    rig.messages.answer(MsgResult::No);
    EXPECT_FALSE(form.editOk());
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(rig.messages.shown[0].text,
              "County Is not a standard CQP county abbreviation.  Use it anyway?");
    EXPECT_EQ(rig.messages.shown[0].title, "County Error");
    EXPECT_EQ(rig.messages.shown[0].defaultButton, 1);
    EXPECT_EQ(form.view().focusField, 0);
    rig.messages.answer(MsgResult::Yes);
    EXPECT_TRUE(form.editOk());
    EXPECT_EQ(rig.state.settings.ExchangeCQPMult, "XXXX");
    form.edit();
    form.setField(0, "scla");
    EXPECT_TRUE(form.editOk());
    EXPECT_EQ(rig.messages.shown.size(), 2u);  // a known county asks nothing
    EXPECT_EQ(form.view().exchangeText, "# SCLA");
}

// The form on the one-QSO CQWW log "WW.KSL", the electronic file chosen.
PostContestForm cabrilloForm(test::PostRig& rig) {
    PostContestForm form =
        loadedForm(rig, "WW.KSL", contest::Cqww, true, {postQso("DL1ABC", 3, 1, 14, "", "3")});
    form.setElectronic(true);
    return form;
}

TEST(PostContestForm, OkDatesByTheClockAndReportsEachFileNotWritten) {
    test::PostRig rig;
    PostContestForm form = cabrilloForm(rig);
    std::filesystem::create_directory(rig.dir.file("WW.LOG"));
    rig.fakes.clock.time.year = 2029;
    form.onOK();
    EXPECT_TRUE(form.view().closed);
    EXPECT_EQ(rig.fakes.busy.history, (std::vector<bool>{true, false}));
    ASSERT_TRUE(form.report() && *form.report());
    const PostContestReport& report = form.report()->value();
    EXPECT_EQ(report.log.currentYear, 2029);
    EXPECT_TRUE(report.written.empty());
    ASSERT_EQ(rig.messages.shown.size(), 1u);
    EXPECT_EQ(rig.messages.shown[0].title, "Post-Contest Processing");
    EXPECT_EQ(rig.messages.shown[0].icon, MsgIcon::Exclamation);
    EXPECT_TRUE(rig.messages.shown[0].text.starts_with("The file " + rig.dir.file("WW.LOG") +
                                                       " was not written: "));
}

TEST(PostContestForm, OkWritesQuietlyAndCancelWritesNothing) {
    for (const bool ok : {true, false}) {
        test::PostRig rig;
        PostContestForm form = cabrilloForm(rig);
        ok ? form.onOK() : form.onCancel();
        EXPECT_TRUE(form.view().closed);
        EXPECT_TRUE(rig.messages.shown.empty());  // no message reports success
        EXPECT_EQ(fileExists(rig.dir.file("WW.LOG")), ok);
        EXPECT_EQ(form.report().has_value(), ok);
        if (ok) {
            EXPECT_EQ(form.report()->value().written, std::vector{rig.dir.file("WW.LOG")});
            EXPECT_EQ(test::cabrilloFileProblems(rig.dir.read("WW.LOG")),
                      std::vector<std::string>{});
        }
    }
}

TEST(PostContestForm, OkTellsWhatCouldNotBeProcessed) {
    struct Case {
        const char* name;
        std::string bytes;  // the log's bytes after its header; empty: removed
        const char* starts;
    };
    const Case cases[] = {
        {"removed after loading", "", "Could not open {log}: No such file or directory"},
        {"last record cut short", std::string(10, 'X'),
         "The last record of {log} is incomplete (10"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        test::PostRig rig;
        PostContestForm form = loadedForm(rig, "WW.KSL", contest::Cqww, true);
        const std::string path = rig.dir.file("WW.KSL");
        if (c.bytes.empty())
            std::filesystem::remove(path);
        else
            ASSERT_TRUE(appendDurably(path, c.bytes));
        form.onOK();
        std::string starts = c.starts;
        starts.replace(starts.find("{log}"), 5, path);
        ASSERT_EQ(rig.messages.shown.size(), 1u);
        EXPECT_TRUE(rig.messages.shown[0].text.starts_with(starts)) << rig.messages.shown[0].text;
        EXPECT_EQ(rig.messages.shown[0].title, "Post-Contest Processing");
    }
}

TEST(UserInfo, FilledFromTheSettingsAndStoredCutTo50) {
    test::PostRig rig;
    UserInfo info(rig.state, rig.messages);
    EXPECT_EQ(info.view().texts, (std::array<std::string, 13>{
                                     "K6XX", "", "Bob Smith", "1 Main St", "Town", "USA", "NCCC",
                                     "", "", "CA", "95000", "k6xx@example.com", "CM87"}));
    info.setText(1, "N6TR");
    info.setText(3, std::string(60, 'A'));
    info.setText(7, "IC-7300");
    info.setText(13, "out of range");
    info.onCancel();
    EXPECT_TRUE(info.view().closed);
    EXPECT_EQ(rig.state.settings.UserOperator, "");  // Cancel stores nothing

    UserInfo edited(rig.state, rig.messages);
    edited.setText(1, "N6TR");
    edited.setText(3, std::string(60, 'A'));
    edited.setText(8, "Dipole");
    edited.setCategory(4, "QRO");  // not a power category
    EXPECT_EQ(edited.view().categories[4], "HIGH");
    edited.setCategory(4, "LOW");
    edited.setCategory(3, "");  // the log's mode
    edited.onOK();
    EXPECT_TRUE(edited.view().closed);
    EXPECT_EQ(rig.state.settings.UserOperator, "N6TR");
    EXPECT_EQ(rig.state.settings.UserAddress, std::string(50, 'A'));
    MainMod reread;
    reread.programDir = rig.state.programDir;
    ASSERT_TRUE(ReadSettings(reread));
    EXPECT_EQ(reread.settings.UserAnt, "Dipole");
    EXPECT_EQ(reread.settings.UserAddress, std::string(50, 'A'));
    EXPECT_EQ(reread.settings.UserCallsign, "K6XX");
    EXPECT_EQ(reread.settings.CategoryPower, "LOW");
    EXPECT_EQ(reread.settings.CategoryMode, "");
}

}  // namespace
}  // namespace keslog
