// Spots classed against small logs worked out by hand: which spots are
// dupes, which would be new multipliers, and how that changes as QSOs are
// logged.
#include "callsign/CallHistory.h"
#include "cluster/BandMap.h"
#include "entry/EntryFixture.h"

namespace keslog::test {
namespace {

using namespace bm;

Spot spot(const std::string& call, double kHz, const std::string& comment = "") {
    Spot s;
    s.dxCall = call;
    s.kHz = kHz;
    s.comment = comment;
    return s;
}

// Every spot as "BAND CALL class", bands in index order, each by frequency.
std::vector<std::string> classes(const BandMap& map) {
    std::vector<std::string> out;
    for (int band = 1; band <= kBandCount; ++band)
        for (const BandSpot& s : map.band(band)) {
            const char* what = s.spotClass == SpotClass::Dupe      ? "dupe"
                               : s.spotClass == SpotClass::NewMult ? "mult"
                                                                   : "qso";
            out.push_back(std::string(BandNameM[static_cast<std::size_t>(band - 1)]) + " " +
                          s.spot.dxCall + " " + what);
        }
    return out;
}

void placeAll(BandMap& map, const MainMod& state, const std::vector<Spot>& spots) {
    for (const Spot& s : spots) ASSERT_TRUE(map.place(state, s, 0)) << s.dxCall;
}

// Logs one more QSO and tells the band map, as the entry line does.
void logAndTell(MainMod& state, BandMap& map, const LoggedQso& qso) {
    logQsos(state, {qso});
    map.qsoLogged(state, qso.call);
}

TEST(BandMap, CqwwCountriesAndZonesPerBand) {
    MainMod state = newLog(contest::Cqww, true, {.usa = true});
    logQsos(state, {{"DL1ABC", CW20, 14, "DL", "3", 2}, {"JA1XYZ", CW15, 25, "JA", "3", 2}});
    BandMap map;
    placeAll(
        map, state,
        {spot("DL1ABC", 14025, "CW 20 dB"), spot("DL2XYZ", 14030), spot("DL2XYZ", 7010),
         spot("G3ABC", 14040), spot("JA2XYZ", 21020), spot("K1AR", 14010), spot("KL7XX", 21030)});
    EXPECT_EQ(classes(map), (std::vector<std::string>{
                                "15m JA2XYZ qso",  // JA and zone 25 worked on 15
                                "15m KL7XX mult",  // KL and zone 1 new on 15
                                "20m K1AR mult",   // the own country counts, zone 5 too
                                "20m DL1ABC dupe",
                                "20m DL2XYZ qso",   // DL and zone 14 worked on 20
                                "20m G3ABC mult",   // zone 14 worked, G is new
                                "40m DL2XYZ mult",  // DL new on 40
                            }));

    // The spotted call becomes a dupe; a zone-5 QSO makes K1AR plain.
    logAndTell(state, map, {"G3ABC", CW20, 14, "G", "3", 1});
    logAndTell(state, map, {"W1AW", CW20, 5, "K", "0", 2});
    EXPECT_EQ(classes(map)[2], "20m K1AR qso");
    EXPECT_EQ(classes(map)[3], "20m DL1ABC dupe");
    EXPECT_EQ(classes(map)[5], "20m G3ABC dupe");
    // Heard again in the phone segment: the new spot replaces the old, no dupe.
    ASSERT_TRUE(map.place(state, spot("DL1ABC", 14200), 60));
    EXPECT_EQ(classes(map)[3], "20m DL2XYZ qso");
    EXPECT_EQ(classes(map)[5], "20m DL1ABC qso");
}

TEST(BandMap, SweepstakesSectionsOncePerContest) {
    MainMod state = newLog(contest::Ss);
    state.callHistory = std::make_shared<CallHistory>(CallHistory::fromBytes(
        "!!Order!!,Call,Prec,CK,Sect\nK6ABC,A,72,SF\nW6XYZ,B,85,SF\nN1ABC,Q,99,EMA\n"));
    logQsos(state, {{"N2XX", CW20, 1, "A99IL", "2", 1, ss("A", "99", "IL")}});
    BandMap map;
    placeAll(map, state,
             {spot("N2XX", 7020), spot("K6ABC", 14025), spot("W6XYZ", 21025), spot("N1ABC", 7015),
              spot("K9QQQ", 14030)});
    EXPECT_EQ(classes(map), (std::vector<std::string>{
                                "15m W6XYZ mult", "20m K6ABC mult",
                                "20m K9QQQ qso",  // no section known
                                "40m N1ABC mult",
                                "40m N2XX dupe",  // worked on another band: still a dupe
                            }));

    logAndTell(state, map, {"K6ABC", CW20, 2, "A72SF", "2", 1, ss("A", "72", "SF")});
    EXPECT_EQ(classes(map),
              (std::vector<std::string>{"15m W6XYZ qso", "20m K6ABC dupe", "20m K9QQQ qso",
                                        "40m N1ABC mult", "40m N2XX dupe"}));
}

TEST(BandMap, NaqpStatesPerBand) {
    MainMod state = newLog(contest::Naqp);
    state.callHistory = std::make_shared<CallHistory>(
        CallHistory::fromBytes("!!Order!!,Call,Name,State\nN6XX,JOE,CA\n"));
    const int ca = state.mults.NAQPMults.findRow("CA");
    const int ct = state.mults.NAQPMults.findRow("CT");
    ASSERT_NE(ca * ct, 0);
    logQsos(state, {{"K6ABC", CW20, 0, numberText(ca), "1", 1, mult("CA"), "BOB"},
                    {"W1AW", CW40, 0, numberText(ct), "1", 1, mult("CT"), "HIRAM"}});
    BandMap map;
    placeAll(map, state,
             {spot("K6ABC", 7020), spot("K6ABC", 14020), spot("N6XX", 14030), spot("K0ZZZ", 14040),
              spot("W1AW", 14035)});
    EXPECT_EQ(classes(map), (std::vector<std::string>{
                                "20m K6ABC dupe", "20m N6XX qso", "20m W1AW mult",
                                "20m K0ZZZ qso",  // no state known
                                "40m K6ABC mult"  // CA new on 40, known from the 20 m QSO
                            }));

    logAndTell(state, map, {"N6XX", CW40, 0, numberText(ca), "1", 1, mult("CA"), "JOE"});
    EXPECT_EQ(classes(map).back(), "40m K6ABC qso");
    EXPECT_EQ(classes(map)[1], "20m N6XX qso");
    // Kill Last Entry: CA is needed on 40 again.
    removeLastQso(state);
    map.revalue(state);
    EXPECT_EQ(classes(map).back(), "40m K6ABC mult");
}

TEST(BandMap, PlacesReplacesAndDropsSpots) {
    MainMod state = newLog(contest::Cqww, true, {.usa = true});
    BandMap map(600);
    EXPECT_TRUE(map.place(state, spot("DL1ABC", 14025), 0));
    EXPECT_TRUE(map.place(state, spot("G3ABC", 14010), 100));
    EXPECT_TRUE(map.place(state, spot("JA1XYZ", 14030), 200));
    // Spotted again higher up: the old spot goes, the new one takes its place.
    EXPECT_TRUE(map.place(state, spot("G3ABC", 14040), 300));
    EXPECT_FALSE(map.place(state, spot("DL2XYZ", 10110), 300));         // 30 m
    EXPECT_FALSE(map.place(state, spot("DL2XYZ", 14074, "FT8"), 300));  // digital
    ASSERT_EQ(map.size(), 3u);
    const auto& twenty = map.band(band::B20);
    EXPECT_EQ(twenty[0].spot.dxCall, "DL1ABC");
    EXPECT_EQ(twenty[2].spot.dxCall, "G3ABC");
    EXPECT_EQ(twenty[2].heardAt, 300);

    map.expire(600);  // exactly ten minutes old: kept
    EXPECT_EQ(map.size(), 3u);
    map.expire(801);
    ASSERT_EQ(map.size(), 1u);
    EXPECT_EQ(map.band(band::B20)[0].spot.dxCall, "G3ABC");
}

TEST(BandMap, BandAndModeOfASpot) {
    struct Case {
        double kHz;
        const char* comment;
        BandModeCode expected;
    };
    const Case cases[] = {
        {1810, "", CW160},         {1999.9, "", PH160},  {3550, "", CW80},
        {3790, "", PH80},          {7025, "", CW40},     {7150, "", PH40},
        {14099.9, "", CW20},       {14100, "", PH20},    {14250, "cw 599", CW20},
        {14025, "UP 5 SSB", PH20}, {21300, "", PH15},    {28025, "", CW10},
        {50313, "ft8 -5 dB", 0},   {50090, "", CW6},     {144300, "", PH2},
        {1799.9, "", 0},           {29700.1, "", 0},     {18080, "", 0},
        {14080, "RTTY", 0},        {14080, "CWT", CW20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.kHz);
        EXPECT_EQ(spotBandMode(c.kHz, c.comment), c.expected);
    }
}

}  // namespace
}  // namespace keslog::test
