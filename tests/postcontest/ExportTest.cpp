#include <gtest/gtest.h>

#include "PostRig.h"
#include "postcontest/Export.h"
#include "postcontest/PostContest.h"

namespace keslog {
namespace {

using test::at;
using test::postQso;

// An ADIF field as the published format writes it: <NAME:LENGTH>DATA.
std::string adifField(const std::string& name, const std::string& data) {
    return "<" + name + ":" + std::to_string(data.size()) + ">" + data;
}

// The records of an ADIF file after its header, each up to its <eor>.
std::vector<std::string> adifRecords(const std::string& text) {
    std::vector<std::string> records;
    std::size_t start = text.find("<eoh>\r\n");
    if (start == std::string::npos) return records;
    start += 7;
    for (std::size_t end; (end = text.find("<eor>\r\n", start)) != std::string::npos;
         start = end + 7)
        records.push_back(text.substr(start, end - start));
    return records;
}

Result<PostContestReport> post(test::PostRig& rig, const std::string& path, bool adif, bool dxb4,
                               bool omit = false) {
    OutputChoices c;
    c.adif = adif;
    c.dxb4 = dxb4;
    c.omitWK = c.omitJA = omit;
    return runPostContest(rig.state, path, c, rig.services(), 2026);
}

TEST(Export, AdifFileExactly) {
    test::PostRig rig;
    // The name's "Ü" is two bytes, and ADIF lengths count bytes.
    const std::string path = rig.writeLog("WÜ.KSL", contest::Cqww, true,
                                          {at(postQso("DL1ABC", 6, 1, 14, "", "3"), 31046, 5),
                                           at(postQso("G4ABC", 15, 2, 14, "", "3"), 31056, 2359)});
    Result<PostContestReport> done = post(rig, path, true, false);
    ASSERT_TRUE(done) << done.status().message();
    EXPECT_EQ(done->written, std::vector<std::string>{rig.dir.file("WÜ.adi")});
    EXPECT_EQ(rig.dir.read("WÜ.adi"),
              "ADIF Export from WÜ.KSL "
              "<adif_ver:5>3.1.4<programid:6>KESLOG<programversion:4>9.0a<eoh>\r\n"
              "<qso_date:8>20261104<time_on:4>0005<band:4>160m<mode:2>CW<call:6>DL1ABC"
              "<rst_sent:3>599<rst_rcvd:3>599<contest_id:8>CQ-WW-CW<stx_string:1>3"
              "<srx_string:2>14<cqz:2>14<operator:4>K6XX<station_callsign:4>K6XX"
              "<notes:7>WÜ.KSL<eor>\r\n"
              "<qso_date:8>20261105<time_on:4>2359<band:2>6m<mode:3>SSB<call:5>G4ABC"
              "<rst_sent:2>59<rst_rcvd:2>59<contest_id:8>CQ-WW-CW<stx_string:1>3"
              "<srx_string:2>14<cqz:2>14<operator:4>K6XX<station_callsign:4>K6XX"
              "<notes:7>WÜ.KSL<eor>\r\n");
}

TEST(Export, AdifContestFieldsOfEveryContest) {
    struct Case {
        ContestNr contest;
        bool cw;
        bool inState;
        QSORecName qso;
        const char* fields;  // from contest_id to operator
    };
    const Case cases[] = {
        {contest::ArrlDx, false, false, postQso("DL1ABC", 11, 1, 0, "DL", "3"),
         "<contest_id:11>ARRL-DX-SSB<stx_string:2>CA<srx_string:4>1000"},
        {contest::Cqp, true, false, postQso("N6AB", 3, 1, 5, " 1", "3"),
         "<contest_id:12>CA-QSO-PARTY<stx:1>1<srx:1>5<stx_string:2>OR<srx_string:4>ALAM"
         "<cnty:7>CA,ALAM"},
        {contest::Cqp, true, true, postQso("VE3AB", 3, 1, 5, "ON", "3"),
         "<contest_id:12>CA-QSO-PARTY<stx:1>1<srx:1>5<stx_string:2>OR<srx_string:2>ON"
         "<ve_prov:2>ON"},
        {contest::Wpx, true, false, postQso("G4ABC", 3, 7, 123, "G4", "1"),
         "<contest_id:9>CQ-WPX-CW<stx:1>7<srx:3>123"},
        {contest::Aa, true, false, postQso("JA1ABC", 3, 1, 60, "JA1", "3"),
         "<contest_id:7>AADX-CW<stx_string:2>45<srx_string:2>60"},
        {contest::Paqp, true, false, postQso("W3XYZ", 3, 2, 9, "YOR", "3"),
         "<contest_id:12>PA-QSO-PARTY<stx:1>2<srx:1>9<stx_string:2>CA<srx_string:3>YOR"
         "<cnty:6>PA,YOR"},
        {contest::Ss, true, false, postQso("W1AW", 3, 1, 10, "B88EM", "2"),
         "<contest_id:10>ARRL-SS-CW<stx:1>1<srx:2>10<stx_string:7>A 72 SV<srx_string:8>B 88 EMA"
         "<arrl_sect:3>EMA<check:2>88<precedence:1>B"},
        {contest::Sprint, true, false, postQso("N6TR", 4, 1, 7, "OR", "1", "TREE"),
         "<contest_id:12>NA-SPRINT-CW<stx:1>1<srx:1>7<stx_string:6>BOB CA<srx_string:7>TREE OR"
         "<name:4>TREE<state:2>OR"},
        {contest::Naqp, false, false, postQso("VE1AA", 11, 2, 0, "NS", "1", "JOE"),
         "<contest_id:8>NAQP-SSB<stx_string:6>BOB CA<srx_string:6>JOE NS<name:3>JOE"
         "<ve_prov:2>NS"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fields);
        test::PostRig rig;
        rig.state.settings.UserOperator = "N6TR";
        const std::string path = rig.writeLog("C.KSL", c.contest, c.cw, {c.qso}, c.inState);
        ASSERT_TRUE(post(rig, path, true, false));
        const std::string text = rig.dir.read("C.adi");
        const std::size_t from = text.find("<contest_id:");
        const std::size_t to =
            text.find("<operator:4>N6TR<station_callsign:4>K6XX<notes:5>C.KSL<eor>");
        ASSERT_TRUE(from != std::string::npos && to != std::string::npos) << text;
        EXPECT_EQ(text.substr(from, to - from), c.fields);
    }
}

TEST(Export, EveryQsoReadsBackAsLogged) {
    struct Qso {
        const char* call;
        BandModeCode bandMode;
        std::int16_t date;
        std::int16_t time;
        const char* adifDate;  // the real year, read in 2026
        const char* adifTime;
        const char* band;
        const char* mode;
    };
    const Qso qsos[] = {
        {"EA8AA", 1, 31046, 0, "20261104", "0000", "10m", "CW"},
        {"JA1XYZ", 3, 21016, 959, "20260101", "0959", "20m", "CW"},
        {"UA3AA", 4, 32319, 2359, "20191231", "2359", "40m", "CW"},
        {"OH2BH", 5, 1235, 1000, "19950123", "1000", "80m", "CW"},
        {"W1AW/KH6", 8, 31046, 32, "20261104", "0032", "2m", "CW"},
        {"VK2AB", 10, 31046, 34, "20261104", "0034", "15m", "SSB"},
        {"ZS6A", 14, 31046, 38, "20261104", "0038", "160m", "SSB"},
        {"LU1AA", 15, 31046, 39, "20261104", "0039", "6m", "SSB"},
    };
    test::PostRig rig;
    std::vector<QSORecName> log;
    for (const Qso& q : qsos)
        log.push_back(at(postQso(q.call, q.bandMode, static_cast<int>(log.size()) + 1, 14, "", "1"),
                         q.date, q.time));
    const std::string path = rig.writeLog("ALL.KSL", contest::Cqww, true, log);
    ASSERT_TRUE(post(rig, path, true, true));

    const std::vector<std::string> adif = adifRecords(rig.dir.read("ALL.adi"));
    ASSERT_EQ(adif.size(), std::size(qsos));
    for (std::size_t i = 0; i < std::size(qsos); ++i)
        EXPECT_EQ(adif[i],
                  adifField("qso_date", qsos[i].adifDate) + adifField("time_on", qsos[i].adifTime) +
                      adifField("band", qsos[i].band) + adifField("mode", qsos[i].mode) +
                      adifField("call", qsos[i].call) +
                      (std::string(qsos[i].mode) == "CW" ? "<rst_sent:3>599<rst_rcvd:3>599"
                                                         : "<rst_sent:2>59<rst_rcvd:2>59") +
                      "<contest_id:8>CQ-WW-CW<stx_string:1>3<srx_string:2>14<cqz:2>14"
                      "<operator:4>K6XX<station_callsign:4>K6XX" +
                      adifField("notes", "ALL.KSL"));
    // The same QSOs in DXB4, every record 127 characters.
    const std::string sdf = rig.dir.read("ALL.SDF");
    ASSERT_EQ(sdf.size(), std::size(qsos) * (kDxb4RecordLength + 2));
    for (std::size_t at = kDxb4RecordLength; at < sdf.size(); at += kDxb4RecordLength + 2)
        EXPECT_EQ(sdf.substr(at, 2), "\r\n") << at;
}

// A DXB4 record built field by field from the record layout.
std::string dxb4Record(const std::string& call, const std::string& band, char mode,
                       const std::string& date, const std::string& time, const std::string& rst,
                       const std::string& comment) {
    const auto pad = [](std::string text, std::size_t width) {
        text.resize(width, ' ');
        return text;
    };
    return pad(call, 11) + "    " + "  " + band + mode + "N" + date + time + rst + rst + "N" +
           pad(comment, 30) + "YY" + "  " + "NNNN" + std::string(6 + 2 + 5 + 2 + 4, ' ') + "N" +
           std::string(25 + 6, ' ') + "\r\n";
}

TEST(Export, Dxb4RecordsExactlyWithLongNamesCutAndDamagedRecordsKeptWhole) {
    test::PostRig rig;
    const std::string path = rig.writeLog("WW.KSL", contest::Cqww, true,
                                          {at(postQso("DL1ABC", 6, 1, 14, "", "3"), 31046, 5),
                                           at(postQso("G4ABC", 15, 2, 14, "", "3"), 1235, 2359)});
    Result<PostContestReport> done = post(rig, path, false, true);
    ASSERT_TRUE(done) << done.status().message();
    EXPECT_EQ(done->written, std::vector<std::string>{rig.dir.file("WW.SDF")});
    EXPECT_EQ(rig.dir.read("WW.SDF"),
              dxb4Record("DL1ABC", "16", '1', "261104", "0005", "599", " WW.KSL") +
                  dxb4Record("G4ABC", "6 ", '3', "950123", "2359", "59 ", " WW.KSL"));

    // A long log name is cut; damaged records keep the length.
    const std::string longPath =
        rig.writeLog("A-VERY-LONG-LOG-FILE-NAME-2026.KSL", contest::Wpx, true,
                     {at(postQso("K1ABCDEFGH", 3, 1, 1, "K1", "1"), 31046, 1200),
                      at(postQso("G4ABC", 17, 2, 1, "G4", "1"), 0, -5),
                      at(postQso("", 0, 3, 1, "", "1"), 1695, 32767)});  // day 69
    ASSERT_TRUE(post(rig, longPath, false, true));
    const std::string comment = " A-VERY-LONG-LOG-FILE-NAME-202";
    // No band for a band-mode out of range, no date or time where the record holds none.
    EXPECT_EQ(rig.dir.read("A-VERY-LONG-LOG-FILE-NAME-2026.SDF"),
              dxb4Record("K1ABCDEFGH", "20", '1', "261104", "1200", "599", comment) +
                  dxb4Record("G4ABC", "  ", '3', "000000", "0000", "59 ", comment) +
                  dxb4Record("", "  ", '1', "000000", "0000", "599", comment));
}

TEST(Export, OmissionRules) {
    // USA by the WPX prefix; Alaska, Hawaii and Puerto Rico stay in.
    const char* usa[] = {"W1AW",  "K6XX",  "N6TR", "WA6ABC", "KG4AA",
                         "AA1XX", "AG6AA", "AI6A", "AK0A",   "W6XYZ/7"};
    // JA to JS, but not JD.
    const char* ja[] = {"JA1XYZ", "JH1ABC", "JR2AA", "JS3CTQ"};
    const char* kept[] = {"AH6AA", "KH6XX", "NH6A",   "WH6A",  "AL7AA", "KL7AA",
                          "NL7A",  "WL7A",  "KP4AA",  "NP4A",  "WP4A",  "AM1A",
                          "VE3AB", "G4ABC", "JD1BMM", "JT1AA", "J",     ""};
    OutputChoices none, wk, jas;
    wk.omitWK = jas.omitJA = true;
    for (const char* call : usa)
        EXPECT_TRUE(omittedFromExport(call, wk) && !omittedFromExport(call, jas)) << call;
    for (const char* call : ja)
        EXPECT_TRUE(omittedFromExport(call, jas) && !omittedFromExport(call, wk)) << call;
    for (const char* call : kept)
        EXPECT_FALSE(omittedFromExport(call, wk) || omittedFromExport(call, jas)) << call;
    EXPECT_FALSE(omittedFromExport("W1AW", none) || omittedFromExport("JA1XYZ", none));
}

TEST(Export, OmittedStationsLeaveBothFiles) {
    test::PostRig rig;
    const std::string path =
        rig.writeLog("WW.KSL", contest::Cqww, true,
                     {postQso("W1AW", 3, 1, 5, "", "0"), postQso("JA1XYZ", 3, 2, 25, "", "3"),
                      postQso("KH6XX", 3, 3, 31, "", "3"), postQso("JD1BMM", 3, 4, 27, "", "3")});
    ASSERT_TRUE(post(rig, path, true, true, true));
    const std::vector<std::string> adif = adifRecords(rig.dir.read("WW.adi"));
    ASSERT_EQ(adif.size(), 2u);
    EXPECT_NE(adif[0].find("<call:5>KH6XX"), std::string::npos);
    EXPECT_NE(adif[1].find("<call:6>JD1BMM"), std::string::npos);
    const std::string sdf = rig.dir.read("WW.SDF");
    ASSERT_EQ(sdf.size(), 2 * 129u);
    EXPECT_EQ(sdf.substr(0, 11) + sdf.substr(129, 11), "KH6XX      JD1BMM     ");
}

TEST(Export, EmptyLogsAndContestsWithoutDxb4) {
    test::PostRig rig;
    const std::string empty = rig.writeLog("E.KSL", contest::Cqww, true, {});
    ASSERT_TRUE(post(rig, empty, true, true));
    EXPECT_EQ(rig.dir.read("E.adi"),
              "ADIF Export from E.KSL "
              "<adif_ver:5>3.1.4<programid:6>KESLOG<programversion:4>9.0a<eoh>\r\n");
    EXPECT_EQ(rig.dir.read("E.SDF"), "");
    for (ContestNr nr : {contest::Sprint, contest::Naqp}) {
        const std::string path =
            rig.writeLog("N.KSL", nr, true, {postQso("K1AR", 3, 1, 1, " 5", "1", "RANDY")});
        Result<PostContestReport> done = post(rig, path, true, true);
        ASSERT_TRUE(done);
        EXPECT_EQ(done->written, std::vector<std::string>{rig.dir.file("N.adi")}) << nr;
    }
}

}  // namespace
}  // namespace keslog
