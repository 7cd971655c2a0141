#include <gtest/gtest.h>

#include "entry/EntryFixture.h"
#include "forms/EntryEditor.h"
#include "platform/Files.h"
#include "storage/LogFile.h"
#include "storage/LogRecord.h"

namespace keslog {
namespace {

using test::FakePlatform;
using test::newLog;
using test::TempDir;

// A log of three QSOs on disk, the second worth a multiplier row.
struct EditRig {
    explicit EditRig(ContestNr nr, const std::string& mult = " 2", const std::string& points = "0")
        : state(newLog(nr)), services(platform.services()), editor(state, services) {
        state.currentLogPath = dir.path() + "/TEST.KSL";
        EXPECT_TRUE(createLogFile(state).isOk());
        for (int n = 1; n <= 3; ++n) {
            QSORecName q;
            q.QDate = 31041;
            q.QTime = static_cast<std::int16_t>(1200 + n);
            q.QBandMode = 3;
            q.QCall = "K" + std::to_string(n) + "AB";
            q.QNr = static_cast<std::int16_t>(n);
            q.QRcvd = 5;
            q.QMult = n == 2 ? mult : "3";
            q.QPoints = points;
            q.QName = "BOB";
            EXPECT_TRUE(addLoggedQso(state, q).isOk());
            EXPECT_TRUE(writeQso(state, n).isOk());
        }
        editor.load(2);
    }
    // Types into a field and leaves it.
    bool type(EditField field, const std::string& text) {
        editor.setText(field, text);
        return editor.checkField(field);
    }

    TempDir dir;
    FakePlatform platform;
    MainMod state;
    Platform services;
    EntryEditor editor;
};

// The texts of a "|"-separated list.
std::vector<std::string> texts(const std::string& list) {
    std::vector<std::string> out;
    if (list == "-") return out;
    for (std::size_t at = 0;;) {
        const std::size_t bar = list.find('|', at);
        out.push_back(list.substr(at, bar - at));
        if (bar == std::string::npos) return out;
        at = bar + 1;
    }
}

TEST(EntryEditorChecks, EachFieldRefusesWithItsMessage) {
    struct Case {
        ContestNr nr;
        EditField field;
        const char *accepted, *refused;  // "|"-separated, "-" for none
        std::string title, message;
    };
    const std::string points = "Only Valid Points";
    const std::string invalid = "Invalid Entry";
    // The other contests' checks: golden session EntryEditorFields.
    const std::vector<Case> cases = {
        {contest::Naqp, EditField::Received, "", "-", "", ""},
        {contest::Ss, EditField::Prec, "q", "X|AB", invalid,
         "Precedence Error -- Must be A, B, M, Q, S, or U"},
        {contest::Ss, EditField::Check, "7|99", "100", "Invalid Check",
         "Check must be between 0 and 99 (leading zeros can be omitted)."},
        {contest::Ss, EditField::Section, "CT", "CONN|", "Illegal Multiplier",
         "Not a legal multiplier.  Mults must match one of those displayed in Multiplier window."},
        {contest::Sprint, EditField::Points, "-", "2", invalid,
         points + " for This Contest are 0 or 1."},
        {contest::Naqp, EditField::Points, "1", "-", "", ""},
        {contest::Ss, EditField::Points, "-", "1", invalid, points + " for SS Contest are 0 or 2."},
    };
    for (const Case& c : cases) {
        for (const std::string& typed : texts(c.accepted)) {
            SCOPED_TRACE(std::to_string(c.nr) + " accepts '" + typed + "'");
            EditRig rig(c.nr);
            EXPECT_TRUE(rig.type(c.field, typed));
            EXPECT_TRUE(rig.platform.messageBox.shown.empty());
        }
        for (const std::string& typed : texts(c.refused)) {
            SCOPED_TRACE(std::to_string(c.nr) + " refuses '" + typed + "'");
            EditRig rig(c.nr);
            EXPECT_FALSE(rig.type(c.field, typed));
            ASSERT_EQ(rig.platform.messageBox.shown.size(), 1u);
            const MessageRequest& shown = rig.platform.messageBox.shown[0];
            EXPECT_EQ(shown.title, c.title);
            EXPECT_EQ(shown.text, c.message);
            EXPECT_EQ(shown.icon, MsgIcon::Stop);
            EXPECT_EQ(rig.editor.view().focus, c.field);
        }
    }
}

// The cut texts and the messages: golden session EntryEditorFields.
TEST(EntryEditorChecks, AnOverLongTextIsAskedAboutAndNoKeepsTheFocus) {
    EditRig rig(contest::Cqww);
    rig.platform.messageBox.answer(MsgResult::No);
    EXPECT_FALSE(rig.type(EditField::Call, "ab1cdefghijkl"));
    EXPECT_EQ(rig.editor.view().focus, EditField::Call);
    ASSERT_EQ(rig.platform.messageBox.shown.size(), 1u);
    EXPECT_EQ(rig.platform.messageBox.shown[0].buttons, MsgButtons::YesNo);
}

TEST(EntryEditorOk, APAQPHalfPointShowsAndStaysAsOneAndAHalf) {
    EditRig rig(contest::Paqp, " 12", "3");
    EXPECT_EQ(rig.editor.view().text[static_cast<int>(EditField::Points)], "1.5");
    EXPECT_EQ(rig.editor.view().text[static_cast<int>(EditField::Mult)], "CAM");
    ASSERT_TRUE(rig.editor.onOK());
    EXPECT_EQ(rig.state.log.at(2).QPoints.raw(), "3");
    EXPECT_EQ(rig.state.log.at(2).QMult.raw(), " 12  ");
}

TEST(EntryEditorOk, AMultiplierFormIsStoredAsItsRowNumber) {
    struct Case {
        ContestNr nr;
        std::string typed;  // empty: left as shown
        std::string qmult;
    };
    const std::vector<Case> cases = {
        {contest::Sprint, "", " 2   "},
        {contest::Sprint, "ar", " 3   "},
        {contest::Sprint, "XX", "XX   "},
        // Digits that are no form must not read back as a row number.
        {contest::Sprint, "12", "  12 "},
        {contest::Naqp, "012", "  12 "},
        {contest::Naqp, "99", "99   "},
        {contest::Naqp, "", " 2   "},
        // PAQP's rows and text kept without a table: golden session EntryEditorFields.
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.nr) + " " + c.typed);
        EditRig rig(c.nr);
        if (!c.typed.empty()) rig.editor.setText(EditField::Mult, c.typed);
        ASSERT_TRUE(rig.editor.onOK());
        EXPECT_EQ(rig.state.log.at(2).QMult.raw(), c.qmult);
    }
}

TEST(EntryEditorOk, SSExchangeIsRebuiltFromItsFields) {
    EditRig rig(contest::Ss, "A99EB", "2");
    EXPECT_EQ(rig.editor.view().text[static_cast<int>(EditField::Prec)], "A");
    EXPECT_EQ(rig.editor.view().text[static_cast<int>(EditField::Check)], "99");
    EXPECT_EQ(rig.editor.view().text[static_cast<int>(EditField::Section)], "EB");
    rig.editor.setText(EditField::Prec, "b");
    rig.editor.setText(EditField::Check, "7");
    rig.editor.setText(EditField::Section, "ct");
    ASSERT_TRUE(rig.editor.onOK());
    EXPECT_EQ(rig.state.log.at(2).QMult.raw(), "B07CT");
}

TEST(EntryEditorOk, RewritesExactlyTheEditedRecord) {
    for (ContestNr nr : {contest::Cqww, contest::Sprint}) {
        SCOPED_TRACE(nr);
        EditRig rig(nr);
        const std::string before = *readWholeFile(rig.state.currentLogPath);
        rig.editor.setText(EditField::Call, "w9xyz");
        rig.editor.setText(EditField::Time, "0007");
        rig.editor.setText(EditField::Mode, "SSB");
        rig.editor.setBand(6);
        rig.editor.setText(EditField::OwnNr, "9999");
        ASSERT_TRUE(rig.editor.onOK());
        const std::string after = *readWholeFile(rig.state.currentLogPath);
        ASSERT_EQ(after.size(), before.size());
        const RecordVariant variant = rig.state.recordVariant();
        const std::size_t size = recordSize(variant);
        const std::size_t at = 2 * size;  // the header fills the first record
        EXPECT_EQ(after.substr(0, at), before.substr(0, at));
        EXPECT_EQ(after.substr(at + size), before.substr(at + size));
        const QSORecName stored = decodeQso(after.substr(at, size), variant);
        EXPECT_EQ(stored.QCall.raw(), "W9XYZ     ");
        EXPECT_EQ(stored.QTime, 7);
        EXPECT_EQ(stored.QBandMode, 14);
        EXPECT_EQ(stored.QNr, 9999);
        EXPECT_EQ(stored, rig.state.log.at(2));
        EXPECT_EQ(rig.state.log.CallList[1], "W9XYZ");
        EXPECT_EQ(rig.state.log.CallSum[1], callSum("W9XYZ"));
    }
}

TEST(EntryEditorOk, ARefusedFieldOrAFailedWriteKeepsTheOldQso) {
    EditRig rig(contest::Cqww);
    const std::string before = *readWholeFile(rig.state.currentLogPath);
    rig.editor.setText(EditField::Received, "0");
    EXPECT_FALSE(rig.editor.onOK());
    EXPECT_FALSE(rig.editor.view().closed);
    EXPECT_EQ(rig.editor.view().focus, EditField::Received);
    EXPECT_EQ(*readWholeFile(rig.state.currentLogPath), before);

    const QSORecName old = rig.state.log.at(2);
    rig.editor.setText(EditField::Received, "5");
    rig.state.currentLogPath = rig.dir.path() + "/missing/TEST.KSL";
    rig.editor.setText(EditField::Call, "W9XYZ");
    rig.platform.messageBox.shown.clear();
    EXPECT_FALSE(rig.editor.onOK());
    EXPECT_FALSE(rig.editor.view().closed);
    EXPECT_EQ(rig.state.log.at(2), old);
    EXPECT_EQ(rig.state.log.CallList[1], old.QCall.trimmed());
    EXPECT_FALSE(rig.platform.messageBox.shown.empty());
}

TEST(EntryEditorReload, TotalsAfterTheReplayEqualAFreshOpening) {
    struct Case {
        ContestNr nr;
        EditField field;
        std::string typed;
        int band = 3;
    };
    const std::vector<Case> cases = {
        {contest::Sprint, EditField::Mult, "AR"},
        {contest::Paqp, EditField::Points, "1.5"},
        {contest::Cqww, EditField::Call, "DL1ABC"},
        // NAQP counts multipliers on six bands; 2 m must stay outside them.
        {contest::Naqp, EditField::Mult, "CT", 8},
        {contest::Naqp, EditField::Mult, "ME", 7},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.nr) + " " + c.typed);
        EditRig rig(c.nr);
        rig.editor.setText(c.field, c.typed);
        rig.editor.setBand(c.band);
        ASSERT_TRUE(rig.editor.onOK());
        replayLog(rig.state);

        const std::string bytes = *readWholeFile(rig.state.currentLogPath);
        Result<LogFileContents> read = parseLogFile(bytes, rig.state.currentLogPath);
        ASSERT_TRUE(read.isOk());
        MainMod fresh = newLog(c.nr);
        for (const QSORecName& q : read->qsos) ASSERT_TRUE(fresh.log.append(q).isOk());
        fresh.QSONr = fresh.log.count() + 1;
        replayLog(fresh);
        EXPECT_EQ(fresh.totals, rig.state.totals);
        EXPECT_EQ(fresh.mults, rig.state.mults);
        EXPECT_EQ(fresh.callIndex, rig.state.callIndex);
    }
}

TEST(EntryEditorOk, OnlyTheChangedFieldChangesInTheFile) {
    struct Case {
        ContestNr nr;
        std::int16_t time;
        std::int16_t received;
        std::string mult;  // stored QMult
    };
    // Records the entry line or an older log may hold that no editor check
    // would pass.
    const std::vector<Case> cases = {
        {contest::Cqww, 1275, 5, "DL"},
        {contest::Aa, 1200, 0, "JA1"},
        {contest::ArrlDx, 1200, 0, "DL"},
        {contest::Sprint, 1200, 5, "XX"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.nr) + " " + std::to_string(c.time));
        EditRig rig(c.nr);
        QSORecName q = rig.state.log.at(2);
        q.QTime = c.time;
        q.QRcvd = c.received;
        q.QMult = c.mult;
        rig.state.log.replace(2, q);
        ASSERT_TRUE(writeQso(rig.state, 2).isOk());
        rig.editor.load(2);
        EXPECT_EQ(rig.editor.view().text[static_cast<int>(EditField::Time)],
                  std::to_string(c.time));
        const std::string before = *readWholeFile(rig.state.currentLogPath);
        for (int i = 0; i < kEditFieldCount; ++i)
            EXPECT_TRUE(rig.editor.checkField(static_cast<EditField>(i)));
        rig.editor.setText(EditField::Call, "w9xyz");
        ASSERT_TRUE(rig.editor.onOK());
        EXPECT_TRUE(rig.platform.messageBox.shown.empty());
        q.QCall = "W9XYZ";
        const std::size_t size = recordSize(rig.state.recordVariant());
        std::string expected = before;
        expected.replace(2 * size, size, encodeQso(q, rig.state.recordVariant()));
        EXPECT_EQ(*readWholeFile(rig.state.currentLogPath), expected);
    }
}

}  // namespace
}  // namespace keslog
