#include <gtest/gtest.h>

#include <cctype>
#include <map>

#include "PostRig.h"
#include "postcontest/Export.h"
#include "postcontest/PostContest.h"

namespace keslog {
namespace {

using test::at;
using test::postQso;

// An ADIF file read by the published format, independently of the writer:
// free header text closed by <EOH>, then records of fields
// <NAME:LENGTH[:TYPE]> + LENGTH bytes of data, each record closed by <EOR>.
// Names are case-insensitive; text between fields is ignored.
struct AdifFile {
    std::string headerText;
    std::vector<std::map<std::string, std::string>> records;
};

Result<AdifFile> readAdif(const std::string& text) {
    AdifFile file;
    std::map<std::string, std::string> record;
    bool inHeader = !text.starts_with("<");
    std::size_t at = 0;
    if (inHeader) file.headerText = text.substr(0, text.find('<'));
    while ((at = text.find('<', at)) != std::string::npos) {
        const std::size_t close = text.find('>', at);
        if (close == std::string::npos)
            return Status::error("unclosed tag at " + std::to_string(at));
        std::string tag = text.substr(at + 1, close - at - 1);
        for (char& c : tag) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        at = close + 1;
        const std::size_t colon = tag.find(':');
        const std::string name = tag.substr(0, colon);
        if (name == "eoh" || name == "eor") {
            if (colon != std::string::npos) return Status::error(name + " with a length");
            if (name == "eoh") {
                if (!inHeader) return Status::error("<eoh> without a header");
                inHeader = false;
            } else {
                if (inHeader) return Status::error("<eor> in the header");
                file.records.push_back(std::move(record));
                record.clear();
            }
            continue;
        }
        if (colon == std::string::npos || name.empty())
            return Status::error("field without a length: " + tag);
        const std::string lengthText = tag.substr(colon + 1, tag.find(':', colon + 1) - colon - 1);
        if (lengthText.empty() || lengthText.find_first_not_of("0123456789") != std::string::npos)
            return Status::error("bad length: " + tag);
        const std::size_t length = std::stoul(lengthText);
        if (length > text.size() - at) return Status::error("data past the end: " + tag);
        if (!inHeader) {
            if (record.contains(name)) return Status::error("field twice: " + name);
            record[name] = text.substr(at, length);
        }
        at += length;
    }
    if (inHeader) return Status::error("no <eoh>");
    if (!record.empty()) return Status::error("fields after the last <eor>");
    return file;
}

TEST(AdifReader, RefusesMalformedFiles) {
    for (const char* bad : {"header <eoh><call:5>K1A<eor>", "header <eoh><call>K1A<eor>",
                            "header <eoh><call:x>K1A<eor>", "header <eoh><call:3>K1A",
                            "header <eoh><call:3", "header only", "h <eoh><eoh>"}) {
        EXPECT_FALSE(readAdif(bad)) << bad;
    }
    Result<AdifFile> good = readAdif("h <EOH>\r\n<CALL:3:S>K1A <band:3>20m<EOR>\r\n");
    ASSERT_TRUE(good) << good.status().message();
    ASSERT_EQ(good->records.size(), 1u);
    EXPECT_EQ(good->records[0].at("call"), "K1A");
    EXPECT_EQ(good->records[0].at("band"), "20m");
}

Result<PostContestReport> post(test::PostRig& rig, const std::string& path, OutputChoices c) {
    return runPostContest(rig.state, path, c, rig.services(), 2026);
}

OutputChoices adifAndDxb4() {
    OutputChoices c;
    c.adif = c.dxb4 = true;
    return c;
}

TEST(Export, AdifFileExactly) {
    test::PostRig rig;
    // The name's "Ü" is two bytes, and ADIF lengths count bytes.
    const std::string path = rig.writeLog("WÜ.KSL", contest::Cqww, true,
                                          {at(postQso("DL1ABC", 6, 1, 14, "", "3"), 31046, 5),
                                           at(postQso("G4ABC", 15, 2, 14, "", "3"), 31056, 2359)});
    OutputChoices adif;
    adif.adif = true;
    Result<PostContestReport> done = post(rig, path, adif);
    ASSERT_TRUE(done) << done.status().message();
    EXPECT_EQ(done->written, std::vector<std::string>{rig.dir.file("WÜ.adi")});
    EXPECT_EQ(rig.dir.read("WÜ.adi"),
              "ADIF Export from WÜ.KSL <eoh>\r\n"
              "<qso_date:8>20261104<time_on:4>0005<band:4>160m<mode:2>CW<call:6>DL1ABC"
              "<rst_sent:3>599<rst_rcvd:3>599<notes:7>WÜ.KSL<eor>\r\n"
              "<qso_date:8>20261105<time_on:4>2359<band:2>6m<mode:3>SSB<call:5>G4ABC"
              "<rst_sent:2>59<rst_rcvd:2>59<notes:7>WÜ.KSL<eor>\r\n");
}

TEST(Export, EveryAdifQsoReadsBackAsLogged) {
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
        {"PY2AA", 2, 31046, 1, "20261104", "0001", "15m", "CW"},
        {"JA1XYZ", 3, 21016, 959, "20260101", "0959", "20m", "CW"},
        {"UA3AA", 4, 32319, 2359, "20191231", "2359", "40m", "CW"},
        {"OH2BH", 5, 1235, 1000, "19950123", "1000", "80m", "CW"},
        {"DL1ABC", 6, 31046, 30, "20261104", "0030", "160m", "CW"},
        {"K1A", 7, 31046, 31, "20261104", "0031", "6m", "CW"},
        {"W1AW/KH6", 8, 31046, 32, "20261104", "0032", "2m", "CW"},
        {"9A1A", 9, 31046, 33, "20261104", "0033", "10m", "SSB"},
        {"VK2AB", 10, 31046, 34, "20261104", "0034", "15m", "SSB"},
        {"G4ABC", 11, 31046, 35, "20261104", "0035", "20m", "SSB"},
        {"W1AW", 12, 31046, 36, "20261104", "0036", "40m", "SSB"},
        {"VE3ABC", 13, 31046, 37, "20261104", "0037", "80m", "SSB"},
        {"ZS6A", 14, 31046, 38, "20261104", "0038", "160m", "SSB"},
        {"LU1AA", 15, 31046, 39, "20261104", "0039", "6m", "SSB"},
        {"I2ABC", 16, 31046, 40, "20261104", "0040", "2m", "SSB"},
    };
    test::PostRig rig;
    std::vector<QSORecName> log;
    for (const Qso& q : qsos)
        log.push_back(at(postQso(q.call, q.bandMode, static_cast<int>(log.size()) + 1, 14, "", "1"),
                         q.date, q.time));
    const std::string path = rig.writeLog("ALL.KSL", contest::Cqww, true, log);
    ASSERT_TRUE(post(rig, path, adifAndDxb4()));

    Result<AdifFile> adif = readAdif(rig.dir.read("ALL.adi"));
    ASSERT_TRUE(adif) << adif.status().message();
    EXPECT_EQ(adif->headerText, "ADIF Export from ALL.KSL ");
    ASSERT_EQ(adif->records.size(), std::size(qsos));
    for (std::size_t i = 0; i < std::size(qsos); ++i) {
        SCOPED_TRACE(qsos[i].call);
        const auto& r = adif->records[i];
        EXPECT_EQ(r.at("call"), qsos[i].call);
        EXPECT_EQ(r.at("qso_date"), qsos[i].adifDate);
        EXPECT_EQ(r.at("time_on"), qsos[i].adifTime);
        EXPECT_EQ(r.at("band"), qsos[i].band);
        EXPECT_EQ(r.at("mode"), qsos[i].mode);
        const bool cw = std::string(qsos[i].mode) == "CW";
        EXPECT_EQ(r.at("rst_sent"), cw ? "599" : "59");
        EXPECT_EQ(r.at("rst_rcvd"), cw ? "599" : "59");
        EXPECT_EQ(r.at("notes"), "ALL.KSL");
    }
    // The same QSOs in DXB4, every record 127 characters.
    const std::string sdf = rig.dir.read("ALL.SDF");
    std::size_t records = 0;
    for (std::size_t at = 0, end; (end = sdf.find("\r\n", at)) != std::string::npos; at = end + 2) {
        EXPECT_EQ(end - at, kDxb4RecordLength) << records;
        ++records;
    }
    EXPECT_EQ(records, std::size(qsos));
    EXPECT_EQ(sdf.size(), std::size(qsos) * (kDxb4RecordLength + 2));
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
           std::string(25 + 6, ' ');
}

TEST(Export, Dxb4RecordsExactly) {
    test::PostRig rig;
    const std::string path = rig.writeLog("WW.KSL", contest::Cqww, true,
                                          {at(postQso("DL1ABC", 6, 1, 14, "", "3"), 31046, 5),
                                           at(postQso("G4ABC", 15, 2, 14, "", "3"), 1235, 2359)});
    OutputChoices dxb4;
    dxb4.dxb4 = true;
    Result<PostContestReport> done = post(rig, path, dxb4);
    ASSERT_TRUE(done) << done.status().message();
    EXPECT_EQ(done->written, std::vector<std::string>{rig.dir.file("WW.SDF")});
    const std::string first = dxb4Record("DL1ABC", "16", '1', "261104", "0005", "599", " WW.KSL");
    const std::string second = dxb4Record("G4ABC", "6 ", '3', "950123", "2359", "59 ", " WW.KSL");
    ASSERT_EQ(first.size(), 127u);
    EXPECT_EQ(rig.dir.read("WW.SDF"), first + "\r\n" + second + "\r\n");
}

TEST(Export, Dxb4LongLogNameIsCutAndDamagedRecordsKeepTheLength) {
    test::PostRig rig;
    const std::string path =
        rig.writeLog("A-VERY-LONG-LOG-FILE-NAME-2026.KSL", contest::Wpx, true,
                     {at(postQso("K1ABCDEFGH", 3, 1, 1, "K1", "1"), 31046, 1200),
                      at(postQso("G4ABC", 17, 2, 1, "G4", "1"), 0, -5),
                      at(postQso("", 0, 3, 1, "", "1"), 1695, 32767)});
    OutputChoices dxb4;
    dxb4.dxb4 = true;
    ASSERT_TRUE(post(rig, path, dxb4));
    const std::string sdf = rig.dir.read("A-VERY-LONG-LOG-FILE-NAME-2026.SDF");
    ASSERT_EQ(sdf.size(), 3 * 129u);
    EXPECT_EQ(sdf.substr(0, 129), dxb4Record("K1ABCDEFGH", "20", '1', "261104", "1200", "599",
                                             " A-VERY-LONG-LOG-FILE-NAME-202") +
                                      "\r\n");
    // No band for a band-mode out of range, no date or time where the record holds none.
    EXPECT_EQ(sdf.substr(129, 129), dxb4Record("G4ABC", "  ", '3', "000000", "0000", "59 ",
                                               " A-VERY-LONG-LOG-FILE-NAME-202") +
                                        "\r\n");
    EXPECT_EQ(sdf.substr(258),  // day 69 is no date
              dxb4Record("", "  ", '1', "000000", "0000", "599", " A-VERY-LONG-LOG-FILE-NAME-202") +
                  "\r\n");
}

TEST(Export, OmissionRules) {
    struct Case {
        const char* call;
        bool usa;
        bool ja;
    };
    const Case cases[] = {
        // USA by the WPX prefix.
        {"W1AW", true, false},
        {"K6XX", true, false},
        {"N6TR", true, false},
        {"WA6ABC", true, false},
        {"KG4AA", true, false},
        {"AA1XX", true, false},
        {"AG6AA", true, false},
        {"AI6A", true, false},
        {"AK0A", true, false},
        {"W6XYZ/7", true, false},
        // Alaska, Hawaii, Puerto Rico and the rest of the world stay in.
        {"AH6AA", false, false},
        {"KH6XX", false, false},
        {"NH6A", false, false},
        {"WH6A", false, false},
        {"AL7AA", false, false},
        {"KL7AA", false, false},
        {"NL7A", false, false},
        {"WL7A", false, false},
        {"KP4AA", false, false},
        {"NP4A", false, false},
        {"WP4A", false, false},
        {"AM1A", false, false},
        {"VE3ABC", false, false},
        {"G4ABC", false, false},
        // JA to JS, but not JD.
        {"JA1XYZ", false, true},
        {"JH1ABC", false, true},
        {"JR2AA", false, true},
        {"JS3CTQ", false, true},
        {"JD1BMM", false, false},
        {"JT1AA", false, false},
        {"J", false, false},
        {"", false, false},
    };
    OutputChoices none, wk, ja, both;
    wk.omitWK = both.omitWK = true;
    ja.omitJA = both.omitJA = true;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.call);
        EXPECT_FALSE(omittedFromExport(c.call, none));
        EXPECT_EQ(omittedFromExport(c.call, wk), c.usa);
        EXPECT_EQ(omittedFromExport(c.call, ja), c.ja);
        EXPECT_EQ(omittedFromExport(c.call, both), c.usa || c.ja);
    }
}

TEST(Export, OmittedStationsLeaveBothFiles) {
    test::PostRig rig;
    const std::string path =
        rig.writeLog("WW.KSL", contest::Cqww, true,
                     {postQso("W1AW", 3, 1, 5, "", "0"), postQso("JA1XYZ", 3, 2, 25, "", "3"),
                      postQso("KH6XX", 3, 3, 31, "", "3"), postQso("JD1BMM", 3, 4, 27, "", "3"),
                      postQso("JR2AA", 3, 5, 25, "", "3")});
    OutputChoices c = adifAndDxb4();
    c.omitWK = c.omitJA = true;
    ASSERT_TRUE(post(rig, path, c));
    Result<AdifFile> adif = readAdif(rig.dir.read("WW.adi"));
    ASSERT_TRUE(adif);
    ASSERT_EQ(adif->records.size(), 2u);
    EXPECT_EQ(adif->records[0].at("call"), "KH6XX");
    EXPECT_EQ(adif->records[1].at("call"), "JD1BMM");
    const std::string sdf = rig.dir.read("WW.SDF");
    ASSERT_EQ(sdf.size(), 2 * 129u);
    EXPECT_TRUE(sdf.starts_with("KH6XX      "));
    EXPECT_EQ(sdf.substr(129, 11), "JD1BMM     ");
}

TEST(Export, EmptyLogsAndContestsWithoutDxb4) {
    {
        test::PostRig rig;
        const std::string path = rig.writeLog("E.KSL", contest::Cqww, true, {});
        Result<PostContestReport> done = post(rig, path, adifAndDxb4());
        ASSERT_TRUE(done);
        EXPECT_EQ(done->written,
                  (std::vector<std::string>{rig.dir.file("E.adi"), rig.dir.file("E.SDF")}));
        EXPECT_EQ(rig.dir.read("E.adi"), "ADIF Export from E.KSL <eoh>\r\n");
        EXPECT_EQ(rig.dir.read("E.SDF"), "");
    }
    for (ContestNr nr : {contest::Sprint, contest::Naqp}) {
        SCOPED_TRACE(nr);
        test::PostRig rig;
        const std::string path =
            rig.writeLog("N.KSL", nr, true, {postQso("K1AR", 3, 1, 1, " 5", "1", "RANDY")});
        OutputChoices dxb4;
        dxb4.dxb4 = true;
        Result<PostContestReport> none = post(rig, path, dxb4);
        ASSERT_TRUE(none);
        EXPECT_TRUE(none->written.empty());
        EXPECT_FALSE(fileExists(rig.dir.file("N.SDF")));
        Result<PostContestReport> adif = post(rig, path, adifAndDxb4());
        ASSERT_TRUE(adif);
        EXPECT_EQ(adif->written, std::vector<std::string>{rig.dir.file("N.adi")});
    }
}

}  // namespace
}  // namespace keslog
