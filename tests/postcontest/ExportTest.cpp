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
    // The name's "Ü" is two bytes, and ADIF lengths count bytes.
    const std::string path = rig.writeLog("WÜ.KSL", contest::Cqww, true, log);
    Result<PostContestReport> done = post(rig, path, true, true);
    ASSERT_TRUE(done) << done.status().message();
    EXPECT_EQ(done->written,
              (std::vector<std::string>{rig.dir.file("WÜ.adi"), rig.dir.file("WÜ.SDF")}));

    const std::string adi = rig.dir.read("WÜ.adi");
    EXPECT_EQ(adi.substr(0, adi.find("<eoh>") + 7),
              "ADIF Export from WÜ.KSL "
              "<adif_ver:5>3.1.4<programid:6>KESLOG<programversion:4>9.0a<eoh>\r\n");
    const std::vector<std::string> adif = adifRecords(adi);
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
                      adifField("notes", "WÜ.KSL"));
    // The same QSOs in DXB4, every record 127 characters.
    const std::string sdf = rig.dir.read("WÜ.SDF");
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

}  // namespace
}  // namespace keslog
