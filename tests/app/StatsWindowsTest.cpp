#include "app/QtTestApp.h"
#include "callsign/CountryFile.h"
#include "callsign/CountryLookup.h"
#include "entry/Scoring.h"
#include "model/Stamp.h"
#include "storage/DataFile.h"

namespace keslog {
namespace {

struct Where {
    bool inState = false;
    bool usa = false;
};

// An open log of the contest with DX QSOs 2.5 minutes apart from 18:00,
// bands in turns, on the shipped reference data and country file.
class StatsWindowsTest : public test::QtTest {
  protected:
    void openLog(ContestNr nr, int qsos, const Where& where = {}) {
        ASSERT_TRUE(ReadDataFile(test::shippedFile("KESLOG90.DAT"), state.reference).isOk());
        Result<CountryTables> countries =
            parseCountryFile(test::shippedFile("arrl.cty"), "arrl.cty");
        ASSERT_TRUE(countries.isOk());
        state.countries = std::move(*countries);
        state.contestNr = nr;
        state.ModeFlag = {false, true};
        state.InStateFlag = where.inState;
        state.QTHUSAFlag = where.usa;
        state.logOpen = true;
        state.currentLogPath = "/logs/TEST.KSL";
        state.settings.IsGMTFlag = "True";
        state.resetLog();
        replayLog(state);
        static const char* const dx[] = {"DL1ABC", "G3XYZ", "JA1AA", "W1AW",  "VE3XX",
                                         "PY2AA",  "ZS6AA", "VK2AA", "UA3AA", "F5AA",
                                         "I2AA",   "EA3AA", "K6AA",  "OH2AA", "LU1AA",
                                         "9A1AA",  "YB0AA", "HS0AA", "4X4AA", "CT1AA"};
        for (int i = 0; i < qsos; ++i) {
            const int minute = 18 * 60 + i * 5 / 2;
            const std::string call = dx[static_cast<std::size_t>(i * 7) % std::size(dx)];
            const int country = CountryOfCall(state.countries, call);
            QSORecName q;
            q.QDate = dateCode(2026, 11, 28);
            q.QTime = static_cast<std::int16_t>(minute / 60 * 100 + minute % 60);
            q.QBandMode = static_cast<BandModeCode>(1 + (i / 40) % 5);
            q.QCall = call;
            q.QNr = static_cast<std::int16_t>(state.QSONr);
            q.QRcvd = static_cast<std::int16_t>(
                leadingNumber(state.countries.country(country).CtyZone.raw()));
            state.CurrentBandMode = q.QBandMode;
            setMultAndPoints(state, q, {}, false);
            ASSERT_TRUE(addLoggedQso(state, q).isOk());
        }
        fakes.clock.time = {2026, 11, 28, 23, 0, 0};
    }

    void chooseView(LogFormWindow& window, const char* item) {
        window.findChild<QAction*>(item)->trigger();
    }

    test::FakePlatform fakes;
    Platform platform = fakes.services();
    MainMod state;
    test::NoLogFiles files;
};

TEST_F(StatsWindowsTest, ViewMenuShowsAndTheCloseBoxHidesTheStatistics) {
    openLog(contest::Cqww, 90, {.usa = true});
    LogFormWindow window(state, platform, files);
    test::showWindow(window);
    auto* stats = window.findChild<QWidget*>("QSOStats");
    ASSERT_NE(stats, nullptr);
    EXPECT_FALSE(stats->isVisible());

    chooseView(window, "mnuViewQSOStats");
    EXPECT_TRUE(stats->isVisible());
    EXPECT_TRUE(window.findChild<QAction*>("mnuViewQSOStats")->isChecked());
    EXPECT_EQ(stats->windowTitle(), "QSO Stats");
    EXPECT_EQ(stats->width(), 5200 / 15);

    stats->close();
    EXPECT_FALSE(stats->isVisible());
    EXPECT_FALSE(window.findChild<QAction*>("mnuViewQSOStats")->isChecked());
    chooseView(window, "mnuViewQSOStats");
    EXPECT_TRUE(stats->isVisible());
}

TEST_F(StatsWindowsTest, MultiplierWindowOfEachContest) {
    struct Case {
        ContestNr nr;
        Where where;
        const char* title;
        int qsos;
    };
    const Case cases[] = {
        {contest::Cqww, {.usa = true}, "CQWW DX Multipliers", 90},
        {contest::Ss, {}, "SS Multipliers", 0},
        {contest::Naqp, {}, "NAQP Multipliers on 20m", 0},
        {contest::Cqp, {}, "CQP Multipliers", 0},
        {contest::Wpx, {.usa = true}, "WPX Prefixes", 90},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        state = MainMod{};
        openLog(c.nr, c.qsos, c.where);
        LogFormWindow window(state, platform, files);
        window.form().load();
        window.render();
        chooseView(window, "mnuViewMults");
        auto* mults = window.findChild<QWidget*>("ViewMult");
        ASSERT_NE(mults, nullptr);
        EXPECT_TRUE(mults->isVisible());
        EXPECT_EQ(mults->windowTitle(), c.title);
        auto* scroll = mults->findChild<QScrollBar*>("VScroll1");
        EXPECT_EQ(scroll->isVisible(), c.nr == contest::Wpx);
        if (c.nr == contest::Wpx) {
            scroll->setValue(6);
            EXPECT_EQ(window.form().multView().scrollValue, 6);
        }
    }
}

TEST_F(StatsWindowsTest, CountiesWindowGoesAwayOnAClick) {
    openLog(contest::Cqp, 0, {.inState = true});
    LogFormWindow window(state, platform, files);
    test::showWindow(window);
    chooseView(window, "mnuViewCACounties");
    auto* counties = window.findChild<QWidget*>("CACTY");
    ASSERT_NE(counties, nullptr);
    EXPECT_TRUE(counties->isVisible());
    EXPECT_EQ(counties->windowTitle(), "CA Counties ");
    test::mouse(counties);
    EXPECT_FALSE(counties->isVisible());
    EXPECT_FALSE(window.findChild<QAction*>("mnuViewCACounties")->isChecked());
}

}  // namespace
}  // namespace keslog
