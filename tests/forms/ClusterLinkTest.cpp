// The cluster on the user-interface side: what the client's thread hands
// in reaches the console and the band maps, a chosen spot the call box and
// the rig, and the status line tells where the connection stands.
#include <gtest/gtest.h>

#include <thread>

#include "entry/EntryRig.h"
#include "forms/LogFormRig.h"

namespace keslog {
namespace {

using namespace std::chrono_literals;

// A new CQWW log from the USA, radio 1 under rig control on 14025.3 CW.
class ClusterLinkTest : public ::testing::Test, protected test::LogFormOnFiles<test::ChoosingHost> {
  protected:
    void SetUp() override {
        startNewLog("CQWW");
        ASSERT_TRUE(state.logOpen);
        cluster().setClock([this] { return now; });
        fakes.network.nextState = ITcpConnection::State::Open;
        state.settings.Rig1Control = "rigctld";
        form.rig().configure();
        fakes.network.links.back()->incoming +=
            "get_freq:\nFrequency: 14025300\nRPRT 0\nget_mode:\nMode: CW\nPassband: 500\nRPRT 0\n";
        form.rig().poll();
        ASSERT_EQ(form.rig().frequency(1), 14'025'300);
        fakes.network.links.back()->sent.clear();
    }

    ClusterLink& cluster() { return form.cluster(); }
    void hear(const std::vector<std::string>& lines) {
        const ClusterEvents events = cluster().events();
        for (const std::string& line : lines) events.line(line);
        cluster().poll();
    }
    // Each row as "FREQ CALL class AGE", the radio's as "FREQ R1 radio".
    std::vector<std::string> rows(int radio) {
        std::vector<std::string> out;
        for (const BandMapRow& r : cluster().bandMapView(radio).rows) {
            const char* what = r.radio                             ? "radio"
                               : r.spotClass == SpotClass::Dupe    ? "dupe"
                               : r.spotClass == SpotClass::NewMult ? "mult"
                                                                   : "qso";
            out.push_back(r.frequency + " " + r.call + " " + what +
                          (r.radio ? "" : " " + std::to_string(r.ageMinutes) + "m") +
                          (r.selected ? " *" : ""));
        }
        return out;
    }
    std::string callBox() { return form.entry().view().InData[kCallBox].text; }

    std::int64_t now = 1'000'000;
};

TEST_F(ClusterLinkTest, SpotsFillTheBandMapsAndTheRestTheConsole) {
    hear({"Hello W1XYZ, this is TEST-1", "DX de K1TTT:     14030.0  G3ABC   599   1200Z",
          "DX de VE7CC-#:  14010.0  DL1ABC  CW 20 dB  1201Z", "DX de N0AX: 7005.0 JA1XYZ 1202Z",
          "W1XYZ de TEST-1 1203Z >"});
    EXPECT_EQ(cluster().view().console,
              (std::deque<std::string>{"Hello W1XYZ, this is TEST-1", "W1XYZ de TEST-1 1203Z >"}));
    EXPECT_EQ(cluster().bandMapView(1).title, "Band Map R1 - 20m CW");
    EXPECT_EQ(cluster().bandMapView(1).radioRow, 1);
    EXPECT_EQ(rows(1), (std::vector<std::string>{"14010.0 DL1ABC mult 0m", "14025.30 R1 radio",
                                                 "14030.0 G3ABC mult 0m"}));
    // Radio 2 is on 40 m without rig control: no row of its own.
    state.RadioBandMode[1] = bandModeCode(band::B40, false);
    EXPECT_EQ(rows(2), (std::vector<std::string>{"7005.0 JA1XYZ mult 0m"}));

    // Logged: DL1ABC is a dupe at once; zone 14 is worked, but G is still new.
    now += 5 * 60'000;
    test::typeKeys(form.entry(), "dl1abc\t14\n");
    ASSERT_EQ(state.log.count(), 1);
    EXPECT_EQ(rows(1), (std::vector<std::string>{"14010.0 DL1ABC dupe 5m", "14025.30 R1 radio",
                                                 "14030.0 G3ABC mult 5m"}));

    // Spotted again: the new spot replaces the old; the rest age out.
    now += 26 * 60'000;
    hear({"DX de K1TTT: 14031.5 G3ABC 1231Z"});
    EXPECT_EQ(rows(1), (std::vector<std::string>{"14025.30 R1 radio", "14031.5 G3ABC mult 0m"}));
    EXPECT_EQ(rows(2), std::vector<std::string>{});
}

TEST_F(ClusterLinkTest, AChosenSpotGoesToTheCallBoxAndTunesTheRadio) {
    hear({"DX de K1TTT: 14030.0 G3ABC 1200Z", "DX de K1TTT: 14010.0 DL1ABC 1200Z",
          "DX de K1TTT: 14200.0 K1AR 1200Z", "DX de K1TTT: 7005.0 JA1XYZ 1200Z"});
    std::string& sent = fakes.network.links.back()->sent;
    cluster().onSpotChosen(1, "K1AR");
    EXPECT_EQ(callBox(), "K1AR");
    EXPECT_EQ(sent, "+F 14200000\n+M USB 0\n");
    // From the chosen spot down the band, and no further than its end.
    cluster().onNextSpot(1, false);
    cluster().onNextSpot(1, false);
    cluster().onNextSpot(1, false);
    cluster().onNextSpot(1, false);
    EXPECT_EQ(callBox(), "DL1ABC");
    EXPECT_EQ(rows(1)[0], "14010.0 DL1ABC mult 0m *");
    EXPECT_EQ(sent, "+F 14200000\n+M USB 0\n+F 14030000\n+M CW 0\n+F 14010000\n+M CW 0\n");

    // Radio 2 has no rig control: the call box only. Nothing chosen yet,
    // "up" starts at the band's low end.
    state.RadioBandMode[1] = bandModeCode(band::B40, false);
    sent.clear();
    cluster().onNextSpot(2, true);
    EXPECT_EQ(callBox(), "JA1XYZ");
    EXPECT_EQ(sent, "");
    cluster().onSpotChosen(1, "NOSUCH");  // gone meanwhile: nothing changes
    EXPECT_EQ(callBox(), "JA1XYZ");
}

TEST_F(ClusterLinkTest, SpotDraftsAndSending) {
    struct Case {
        const char* typed;
        bool rig;
        const char* draft;  // "" : refused
    };
    const Case cases[] = {
        {"", true, ""},
        {"k1ar", true, "DX 14025.3 K1AR "},
        {"k1ar", false, "DX 14000.0 K1AR "},  // the start of the CW segment
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        form.entry().onTextEdited(kCallBox, c.typed);
        if (!c.rig) {
            state.settings.Rig1Control = "none";
            form.rig().configure();
        }
        fakes.messageBox.shown.clear();
        EXPECT_EQ(cluster().spotDraft().value_or(""), c.draft);
        EXPECT_EQ(fakes.messageBox.shown.size(), *c.draft ? 0u : 1u);
    }
    // An empty box spots the last QSO.
    form.entry().onTextEdited(kCallBox, "dl1abc");
    test::typeKeys(form.entry(), "\t14\n");
    form.entry().onTextEdited(kCallBox, "");
    EXPECT_EQ(cluster().spotDraft().value_or(""), "DX 14000.0 DL1ABC ");

    EXPECT_FALSE(cluster().sendSpot("DX 14000.0 DL1ABC tnx"));
    ASSERT_EQ(fakes.messageBox.shown.size(), 1u);
    EXPECT_EQ(fakes.messageBox.shown[0].text,
              "The spot was not sent: Not connected to the cluster.");
}

TEST_F(ClusterLinkTest, TheStatusLineCountsDownToTheNextAttempt) {
    EXPECT_EQ(cluster().view().status, "Cluster: offline");
    cluster().connect();
    ASSERT_EQ(fakes.messageBox.shown.size(), 1u);
    EXPECT_EQ(fakes.messageBox.shown[0].text,
              "No cluster is set up.  File, Preferences, Network names its host and port.");

    state.settings.ClusterHost = "dxc.example.net";
    state.settings.ClusterPort = "7300";
    cluster().connect();
    // The fake refuses from the client's thread: waited for, boundedly.
    for (int i = 0; i < 200 && cluster().view().console.size() < 2; ++i) {
        std::this_thread::sleep_for(10ms);
        cluster().poll();
    }
    EXPECT_EQ(cluster().view().status, "Cluster: reconnecting in 10 s");
    now += 3500;
    cluster().poll();
    EXPECT_EQ(cluster().view().status, "Cluster: reconnecting in 7 s");
    now += 6500;
    cluster().poll();
    EXPECT_EQ(cluster().view().status, "Cluster: connecting to dxc.example.net");
    EXPECT_FALSE(cluster().view().connectEnabled);

    cluster().sendCommand(" sh/dx ");
    cluster().disconnect();
    EXPECT_EQ(cluster().view().status, "Cluster: offline");
    EXPECT_TRUE(cluster().view().connectEnabled);
    EXPECT_EQ(cluster().view().console,
              (std::deque<std::string>{"*** Connecting to dxc.example.net:7300",
                                       "*** Cannot reach dxc.example.net; reconnecting in 10 s",
                                       "> sh/dx", "*** Not connected to the cluster",
                                       "*** Disconnected from dxc.example.net"}));

    // The console keeps its last lines only.
    std::vector<std::string> many;
    for (std::size_t i = 0; i < kConsoleLines + 20; ++i)
        many.push_back("line " + std::to_string(i));
    hear(many);
    EXPECT_EQ(cluster().view().console.size(), kConsoleLines);
    EXPECT_EQ(cluster().view().console.front(), "line 20");
}

}  // namespace
}  // namespace keslog
