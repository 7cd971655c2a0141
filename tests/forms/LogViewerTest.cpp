#include <gtest/gtest.h>

#include "entry/EntryFixture.h"
#include "forms/LogViewer.h"

namespace keslog {
namespace {

using test::FakePlatform;
using test::newLog;

QSORecName qso(const std::string& call, int bandMode, const std::string& mult,
               const std::string& points) {
    QSORecName q;
    q.QDate = 12319;
    q.QTime = 57;
    q.QBandMode = static_cast<BandModeCode>(bandMode);
    q.QCall = call;
    q.QNr = 7;
    q.QRcvd = 14;
    q.QMult = mult;
    q.QPoints = points;
    return q;
}

MainMod logOf(ContestNr nr, int qsos) {
    MainMod state = newLog(nr);
    for (int n = 1; n <= qsos; ++n)
        EXPECT_TRUE(addLoggedQso(state, qso("K" + std::to_string(n), 3, "DL", "3")).isOk());
    return state;
}

TEST(LogViewerLine, FieldsStandAtTheirColumns) {
    struct Case {
        ContestNr nr;
        QSORecName q;
        std::string line;
    };
    QSORecName named = qso("W1AW", 11, " 2", "1");
    named.QName = "JOHN";
    QSORecName year2021 = qso("DL1ABC", 0, "DL", "3");
    year2021.QDate = 21051;
    year2021.QTime = 2359;
    year2021.QNr = 1234;
    const std::string head = "12/31/99   20   CW   0057  DL1ABC             7 14    ";
    const std::vector<Case> cases = {
        {contest::Cqww, qso("DL1ABC", 3, "DL", "3"), head + "DL        3"},
        {contest::Wpx, qso("DL1ABC", 3, "DL1", "3"), head + "DL1     3"},
        // PAQP: a row number shows as its county after two blanks; "3" is a
        // point and a half.
        {contest::Paqp, qso("DL1ABC", 3, " 12", "3"), head + "  CAM     1.5"},
        {contest::Paqp, qso("DL1ABC", 3, "XYZ", "1"), head + "XYZ       1"},
        // CQP from outside California counts counties: the first form
        // right-aligned in five characters.
        {contest::Cqp, qso("DL1ABC", 3, " 12", "3"), head + " HUMB     3"},
        {contest::Ss, qso("DL1ABC", 3, "A99EB", "2"), head + "A   99   EB    2"},
        {contest::Sprint, named,
         "12/31/99   20   SSB  0057  W1AW               7 14   JOHN" + std::string(10, ' ') +
             "AL   1"},
        {contest::Naqp, named,
         "12/31/99   20   SSB  0057  W1AW               7 JOHN" + std::string(9, ' ') + "MA   1"},
        // A band-mode outside the code range shows as 6 m CW; the year digit
        // of a date from 2000 on is read against this year (2026): 1 is 2021.
        {contest::Cqww, year2021,
         "01/05/21   6m   CW   2359  DL1ABC          1234 14    DL        3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        MainMod state = newLog(c.nr);
        ASSERT_TRUE(state.log.append(c.q).isOk());
        EXPECT_EQ(viewLogLine(state, 1, 2026), c.line);
    }
}

TEST(LogViewerPaging, StartEndAndScrollStayInsideTheLog) {
    FakePlatform platform;
    MainMod state = logOf(contest::Cqww, 45);
    Platform services = platform.services();
    LogViewer viewer(state, services);
    viewer.setLinesPerPage(20);
    EXPECT_EQ(viewer.scrollMax(), 26);
    viewer.onEnd();
    EXPECT_EQ(viewer.viewTop(), 26);
    std::vector<std::string> page = viewer.page();
    ASSERT_EQ(page.size(), 20u);
    EXPECT_EQ(page.back(), viewLogLine(state, 45, 2026));
    viewer.onScroll(500);
    EXPECT_EQ(viewer.viewTop(), 45);
    EXPECT_EQ(viewer.page().size(), 1u);
    viewer.onStart();
    EXPECT_EQ(viewer.viewTop(), 1);
    EXPECT_EQ(viewer.page().front(), viewLogLine(state, 1, 2026));
    viewer.onScroll(-3);
    EXPECT_EQ(viewer.viewTop(), 1);

    // A click picks the entry on its line; lines past the log pick nothing.
    viewer.onScroll(40);
    EXPECT_TRUE(viewer.onSelect(2));
    EXPECT_EQ(viewer.selectedEntry(), 42);
    EXPECT_FALSE(viewer.onSelect(6));
    EXPECT_EQ(viewer.selectedEntry(), 42);

    // A log of one page ends at its first entry.
    for (int qsos : {0, 1, 20}) {
        MainMod small = logOf(contest::Cqww, qsos);
        LogViewer one(small, services);
        one.setLinesPerPage(20);
        one.onEnd();
        EXPECT_EQ(one.viewTop(), 1);
        EXPECT_EQ(one.page().size(), static_cast<std::size_t>(qsos));
    }
}

TEST(LogViewerGoTo, KeepsTheLastFourCharactersAndRefusesNumbersOutsideTheLog) {
    struct Case {
        std::string typed;
        bool moved;
        int top;
        MsgResult answer = MsgResult::Ok;  // to the refusal: Ok tries again
    };
    const std::vector<Case> cases = {
        {"12", true, 12},  {"00012", true, 12},
        {"45", true, 45},  {"12345", false, 1},
        {"46", false, 1},  {"0", false, 1},
        {"", false, 1},    {"-5", false, 1},
        {"ABC", false, 1}, {"99", false, 1, MsgResult::Cancel},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        FakePlatform platform;
        MainMod state = logOf(contest::Cqww, 45);
        Platform services = platform.services();
        LogViewer viewer(state, services);
        platform.messageBox.answer(c.answer);
        bool retry = false;
        EXPECT_EQ(viewer.onGoTo(c.typed, &retry), c.moved);
        EXPECT_EQ(viewer.viewTop(), c.top);
        if (c.moved) {
            EXPECT_TRUE(platform.messageBox.shown.empty());
            continue;
        }
        EXPECT_EQ(retry, c.answer == MsgResult::Ok);
        ASSERT_EQ(platform.messageBox.shown.size(), 1u);
        const MessageRequest& shown = platform.messageBox.shown[0];
        EXPECT_EQ(shown.text, "You must choose an entry number between 1 and 45");
        EXPECT_EQ(shown.title, "Invalid Log Entry Number");
        EXPECT_EQ(shown.buttons, MsgButtons::OkCancel);
        EXPECT_EQ(shown.icon, MsgIcon::Stop);
    }
}

}  // namespace
}  // namespace keslog
