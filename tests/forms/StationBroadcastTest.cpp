#include <gtest/gtest.h>

#include <algorithm>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "entry/EntryRig.h"
#include "forms/EntryEditor.h"
#include "forms/LogFormRig.h"
#include "platform/linux/TcpSockets.h"

namespace keslog {
namespace {

// What a station tool hears: a UDP socket on a free loopback port.
class Listener {
  public:
    Listener() {
        fd_ = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t size = sizeof address;
        ::bind(fd_, reinterpret_cast<sockaddr*>(&address), size);
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size);
        port = ntohs(address.sin_port);
    }
    ~Listener() { ::close(fd_); }
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    // The next packet other than RadioInfo, a second at most; "" when none came.
    std::string nextContact() {
        for (;;) {
            pollfd p{fd_, POLLIN, 0};
            if (::poll(&p, 1, 1000) <= 0) return "";
            char buffer[8192];
            const ssize_t n = ::recv(fd_, buffer, sizeof buffer, 0);
            const std::string packet(buffer, static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
            if (packet.find("<RadioInfo>") == std::string::npos) return packet;
        }
    }

    int port = 0;

  private:
    int fd_ = -1;
};

std::string element(const std::string& packet, const std::string& name) {
    const std::size_t start = packet.find("<" + name + ">");
    const std::size_t end = packet.find("</" + name + ">");
    if (start == std::string::npos || end == std::string::npos) return "<none>";
    return packet.substr(start + name.size() + 2, end - start - name.size() - 2);
}

// A new WPX CW log of W6XX, broadcasting.
class StationBroadcastTest : public ::testing::Test,
                             protected test::LogFormOnFiles<test::ChoosingHost> {
  protected:
    void SetUp() override {
        startNewLog("WPX");
        state.settings.YourCall = "W6XX";
        state.settings.BroadcastOn = true;
        form.broadcast().configure();
    }
    std::vector<std::string>& sent() { return fakes.udp.sent; }
};

TEST_F(StationBroadcastTest, EachQsoIsToldWithOneIdForItsLife) {
    Listener tool;
    PosixUdpSender udp;
    fakes.udp.real = &udp;
    state.settings.BroadcastPort = std::to_string(tool.port);
    form.broadcast().configure();
    test::typeKeys(form.entry(), "k1ar\t5\n");
    const std::string logged = tool.nextContact();
    const std::string lines[] = {"<?xml version=\"1.0\" encoding=\"utf-8\"?>",
                                 "<contactinfo>",
                                 "\t<app>KESLOG</app>",
                                 "\t<contestname>CQ-WPX-CW</contestname>",
                                 "\t<contestnr>6</contestnr>",
                                 "\t<timestamp>2001-11-04 23:30:00</timestamp>",
                                 "\t<mycall>W6XX</mycall>",
                                 "\t<band>14</band>",
                                 "\t<rxfreq>1400000</rxfreq>",
                                 "\t<txfreq>1400000</txfreq>",
                                 "\t<operator>W6XX</operator>",
                                 "\t<mode>CW</mode>",
                                 "\t<call>K1AR</call>",
                                 "\t<countryprefix>K</countryprefix>",
                                 "\t<wpxprefix>K1</wpxprefix>",
                                 "\t<stationprefix>K</stationprefix>",
                                 "\t<continent>NA</continent>",
                                 "\t<snt>599</snt>",
                                 "\t<sntnr>1</sntnr>",
                                 "\t<rcv>599</rcv>",
                                 "\t<rcvnr>5</rcvnr>",
                                 "\t<gridsquare></gridsquare>",
                                 "\t<exchange1></exchange1>",
                                 "\t<section></section>",
                                 "\t<comment></comment>",
                                 "\t<qth></qth>",
                                 "\t<name></name>",
                                 "\t<power></power>",
                                 "\t<misctext></misctext>",
                                 "\t<zone>5</zone>",
                                 "\t<prec></prec>",
                                 "\t<ck></ck>",
                                 "\t<ismultiplier1>1</ismultiplier1>",
                                 "\t<ismultiplier2>0</ismultiplier2>",
                                 "\t<ismultiplier3>0</ismultiplier3>",
                                 "\t<points>1</points>",
                                 "\t<radionr>1</radionr>",
                                 "\t<run1run2>1</run1run2>",
                                 "\t<RoverLocation></RoverLocation>",
                                 "\t<RadioInterfaced>1</RadioInterfaced>",
                                 "\t<NetworkedCompNr>0</NetworkedCompNr>",
                                 "\t<IsOriginal>True</IsOriginal>",
                                 "\t<NetBiosName></NetBiosName>",
                                 "\t<IsRunQSO>0</IsRunQSO>",
                                 "\t<StationName>W6XX</StationName>",
                                 "\t<ID>" + contactId(state, 1) + "</ID>",
                                 "\t<IsClaimedQso>1</IsClaimedQso>",
                                 "</contactinfo>"};
    std::string expected;
    for (const std::string& line : lines) expected += line + "\r\n";
    EXPECT_EQ(logged, expected);
    EXPECT_EQ(contactId(state, 1).size(), 32u);
    EXPECT_NE(contactId(state, 2), contactId(state, 1));

    EntryEditor editor(state, platform);
    editor.load(1);
    editor.setText(EditField::Call, "K1AB");
    ASSERT_TRUE(editor.onOK());
    form.onQsoEdited(1);
    const std::string replaced = tool.nextContact();
    EXPECT_EQ(replaced.substr(0, 56),
              "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<contactreplace>");
    EXPECT_EQ(element(replaced, "call"), "K1AB");
    EXPECT_EQ(element(replaced, "ID"), contactId(state, 1));

    fakes.messageBox.answer(MsgResult::Yes);
    form.entry().onKillLastEntry();
    const std::string deleted = tool.nextContact();
    EXPECT_EQ(deleted,
              "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<contactdelete>\r\n"
              "\t<app>KESLOG</app>\r\n\t<timestamp>2001-11-04 23:30:00</timestamp>\r\n"
              "\t<call>K1AB</call>\r\n\t<contestnr>6</contestnr>\r\n"
              "\t<StationName>W6XX</StationName>\r\n\t<ID>" +
                  contactId(state, 1) + "</ID>\r\n</contactdelete>\r\n");
    EXPECT_EQ(tool.nextContact(), "");  // one packet each
}

TEST_F(StationBroadcastTest, RadiosAreToldOnEachChangeAndEveryTenSeconds) {
    ASSERT_EQ(sent().size(), 1u);
    EXPECT_EQ(element(sent()[0], "Freq"), "1400000");
    EXPECT_EQ(element(sent()[0], "Mode"), "CW");
    EXPECT_EQ(element(sent()[0], "ActiveRadioNr"), "1");
    EXPECT_EQ(element(sent()[0], "IsConnected"), "False");
    form.entry().followRig(bandModeCode(band::B40, true));
    ASSERT_EQ(sent().size(), 2u);
    EXPECT_EQ(element(sent()[1], "Freq"), "712500");
    EXPECT_EQ(element(sent()[1], "Mode"), "LSB");

    // The broadcast's timer ticks each second (the cluster's has its own pace).
    const auto timerIt = std::ranges::find_if(
        fakes.timers.created, [](const auto& each) { return each->interval() == 1000; });
    ASSERT_NE(timerIt, fakes.timers.created.end());
    auto& timer = **timerIt;
    for (int tick = 1; tick < StationBroadcast::kRepeatTicks; ++tick) timer.tick();
    EXPECT_EQ(sent().size(), 2u);
    timer.tick();
    ASSERT_EQ(sent().size(), 3u);
    EXPECT_EQ(sent()[2], sent()[1]);

    // A failing send shows in the status line, never in a message box.
    fakes.udp.failure = "sendto 127.0.0.1:12060: Network is unreachable";
    form.entry().followRig(bandModeCode(band::B80, false));
    test::typeKeys(form.entry(), "k1ar\t5\n");
    EXPECT_EQ(form.broadcast().statusText(),
              "Broadcast: sendto 127.0.0.1:12060: Network is unreachable");
    EXPECT_TRUE(fakes.messageBox.shown.empty());
    fakes.udp.failure.clear();
    form.entry().followRig(bandModeCode(band::B40, false));
    EXPECT_EQ(form.broadcast().statusText(), "");

    state.settings.BroadcastOn = false;
    form.broadcast().configure();
    test::typeKeys(form.entry(), "k2ar\t5\n");
    EXPECT_EQ(sent().size(), 4u);
    EXPECT_FALSE(timer.enabled());
}

}  // namespace
}  // namespace keslog
