#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>

#include <algorithm>

#include "entry/EntryRig.h"
#include "forms/EntryEditor.h"
#include "forms/LogFormRig.h"
#include "platform/linux/TcpSockets.h"

namespace keslog {
namespace {

// What a station tool hears on its loopback port.
class Listener : public test::LoopbackSocket {
  public:
    // The next packet other than RadioInfo, a second at most; "" when none came.
    std::string nextContact() {
        for (;;) {
            pollfd p{fd(), POLLIN, 0};
            if (::poll(&p, 1, 1000) <= 0) return "";
            char buffer[8192];
            const ssize_t n = ::recv(fd(), buffer, sizeof buffer, 0);
            const std::string packet(buffer, static_cast<std::size_t>(std::max<ssize_t>(n, 0)));
            if (packet.find("<RadioInfo>") == std::string::npos) return packet;
        }
    }
};

std::string element(const std::string& packet, const std::string& name) {
    const std::size_t start = packet.find("<" + name + ">");
    const std::size_t end = packet.find("</" + name + ">");
    if (start == std::string::npos || end == std::string::npos) return "<none>";
    return packet.substr(start + name.size() + 2, end - start - name.size() - 2);
}

// A packet as the station tools read it, each element on a line of its own,
// tab-indented; `elements` holds "name=value;" for each.
std::string packet(const std::string& kind, const std::string& elements) {
    std::string text = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<" + kind + ">\r\n";
    for (std::size_t at = 0, end; (end = elements.find(';', at)) != std::string::npos;
         at = end + 1) {
        const std::size_t is = elements.find('=', at);
        const std::string name = elements.substr(at, is - at);
        text += "\t<" + name + ">" + elements.substr(is + 1, end - is - 1) + "</" + name + ">\r\n";
    }
    return text + "</" + kind + ">\r\n";
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
    state.settings.BroadcastPort = std::to_string(tool.port());
    form.broadcast().configure();
    test::typeKeys(form.entry(), "k1ar\t5\n");
    const std::string logged = tool.nextContact();
    EXPECT_EQ(
        logged,
        packet(
            "contactinfo",
            "app=KESLOG;contestname=CQ-WPX-CW;contestnr=6;timestamp=2001-11-04 23:30:00;"
            "mycall=W6XX;band=14;rxfreq=1400000;txfreq=1400000;operator=W6XX;mode=CW;call=K1AR;"
            "countryprefix=K;wpxprefix=K1;stationprefix=K;continent=NA;snt=599;sntnr=1;rcv=599;"
            "rcvnr=5;gridsquare=;exchange1=;section=;comment=;qth=;name=;power=;misctext=;zone=5;"
            "prec=;ck=;ismultiplier1=1;ismultiplier2=0;ismultiplier3=0;points=1;radionr=1;"
            "run1run2=1;RoverLocation=;RadioInterfaced=1;NetworkedCompNr=0;IsOriginal=True;"
            "NetBiosName=;IsRunQSO=0;StationName=W6XX;ID=" +
                contactId(state, 1) + ";IsClaimedQso=1;"));
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
    EXPECT_EQ(deleted, packet("contactdelete",
                              "app=KESLOG;timestamp=2001-11-04 23:30:00;call=K1AB;contestnr=6;"
                              "StationName=W6XX;ID=" +
                                  contactId(state, 1) + ";"));
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
