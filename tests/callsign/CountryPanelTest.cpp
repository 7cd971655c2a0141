#include <gtest/gtest.h>

#include <map>

#include "callsign/CountryFile.h"
#include "callsign/CountryPanel.h"

namespace keslog {

void PrintTo(const PrintedText& t, std::ostream* os) {
    *os << "{" << t.x << ", " << t.y << ", \"" << t.text << "\", colour " << t.colour << "}";
}

namespace {

class FakeWorked : public IWorkedCountries {
  public:
    BandMarks countryWorked(int nr) const override {
        const auto found = countries.find(nr);
        return found == countries.end() ? BandMarks{} : found->second;
    }
    BandMarks zoneWorked(int zone) const override {
        const auto found = zones.find(zone);
        return found == zones.end() ? BandMarks{} : found->second;
    }
    std::map<int, BandMarks> countries;
    std::map<int, BandMarks> zones;
};

class CountryPanelTest : public ::testing::Test {
  protected:
    void SetUp() override {
        Result<CountryTables> read = parseCountryFile(
            "Federal Republic of Germany West(043):14:DL:DL;\n"
            "Japan(330):25:JA:JA;\n"
            "Nowhere(   ):  :XX:XX;\n",
            "arrl.cty");
        ASSERT_TRUE(read.isOk());
        state.countries = std::move(*read);
        state.contestNr = contest::Cqww;
        state.CurrentBandMode = bandModeCode(band::B20, false);
        worked.countries[1] = {true, false, true, false, false, true};
        worked.zones[14] = {false, false, false, true, false, false};
    }
    MainMod state;
    FakeWorked worked;
    CountryPanel panel;
};

TEST_F(CountryPanelTest, HeadingsWithTheZoneLineOutsideArrlDx) {
    panel.ShowCountryHeadings(state);
    EXPECT_EQ(panel.texts(), (std::vector<PrintedText>{
                                 {100, 100, "Country  10  15  20  40  80 160", palette::Blue},
                                 {100, 550, "Name:                      Hdg:", palette::Blue},
                                 {100, 900, " Zone    10  15  20  40  80 160", palette::Blue}}));
    panel.clear();
    state.contestNr = contest::ArrlDx;
    panel.ShowCountryHeadings(state);
    EXPECT_EQ(panel.texts().size(), 2u);
}

TEST_F(CountryPanelTest, CountryWorkedOnTheBandIsBlueItsZoneNeededRedAndAReceivedZoneWins) {
    panel.ShowCountryInfo(state, worked, 1, 0);
    EXPECT_EQ(panel.texts(), (std::vector<PrintedText>{
                                 {100, 350, "   DL      XX  --  XX  --  --  XX", palette::Blue},
                                 {100, 550, "Name: Federal Republic of GHdg: 043", palette::Blue},
                                 {100, 1140, "  14       --  --  --  XX  --  --", palette::Red}}));
    // A received zone overrides the country's.
    panel.clear();
    panel.ShowCountryInfo(state, worked, 2, 5);
    ASSERT_EQ(panel.texts().size(), 3u);
    EXPECT_EQ(panel.texts()[0].text, "   JA      --  --  --  --  --  --");
    EXPECT_EQ(panel.texts()[1].text, "Name: Japan                Hdg: 330");
    EXPECT_EQ(panel.texts()[2].text, "  05       --  --  --  --  --  --");
}

TEST_F(CountryPanelTest, ColoursFollowTheCurrentBand) {
    const std::pair<int, int> cases[] = {{band::B10, palette::Blue},
                                         {band::B15, palette::Red},
                                         {band::B160, palette::Blue},
                                         {band::B6, palette::Black},
                                         {band::B2, palette::Black}};
    for (const auto& [bandIndex, colour] : cases) {
        panel.clear();
        state.CurrentBandMode = bandModeCode(bandIndex, true);
        panel.ShowCountryInfo(state, worked, 1, 0);
        ASSERT_EQ(panel.texts().size(), 3u);
        EXPECT_EQ(panel.texts()[0].colour, colour) << bandIndex;
        EXPECT_EQ(panel.texts()[1].colour, colour) << bandIndex;
    }
}

TEST_F(CountryPanelTest, ZoneRowRules) {
    // No country but a received zone: the zone row alone.
    panel.ShowCountryInfo(state, worked, 0, 14);
    EXPECT_EQ(
        panel.texts(),
        (std::vector<PrintedText>{{100, 1140, "  14       --  --  --  XX  --  --", palette::Red}}));
    const struct {
        ContestNr contest;
        int country, zone;
        std::size_t rows;
    } cases[] = {
        {contest::Cqww, 0, 0, 0},     // no country and no zone: nothing at all
        {contest::Cqww, 2, 41, 2},    // a zone outside 1..40 draws no zone row
        {contest::Cqww, 2, -1, 2},    //
        {contest::Cqww, 3, 0, 2},     // a country without a zone of its own
        {contest::ArrlDx, 2, 25, 2},  // ARRL DX has no zone row
        {contest::Cqww, 4, 0, 0},     // a number that is no country draws no country row
    };
    for (const auto& c : cases) {
        panel.clear();
        state.contestNr = c.contest;
        panel.ShowCountryInfo(state, worked, c.country, c.zone);
        EXPECT_EQ(panel.texts().size(), c.rows) << c.country << " zone " << c.zone;
    }
}

}  // namespace
}  // namespace keslog
