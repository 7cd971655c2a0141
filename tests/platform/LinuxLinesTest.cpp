#include <fcntl.h>
#include <gtest/gtest.h>
#include <linux/input.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>

#include <cerrno>
#include <climits>
#include <map>
#include <set>
#include <sstream>

#include "platform/linux/ParallelPorts.h"
#include "platform/linux/PcSpeaker.h"
#include "platform/linux/SerialLines.h"
#include "transmit/Ports.h"

namespace keslog {
namespace {

// Records every system call as text and answers from its settings.
class FakeDeviceCalls : public IDeviceCalls {
  public:
    int open(const std::string& path, int flags) override {
        std::string text = "open " + path;
        if (flags & O_RDWR) text += " rw";
        if (flags & O_WRONLY) text += " w";
        if (flags & O_NOCTTY) text += " noctty";
        if (flags & O_NONBLOCK) text += " nonblock";
        calls.push_back(text);
        if (const auto it = openErrors.find(path); it != openErrors.end()) return -it->second;
        fdPaths[nextFd] = path;
        return nextFd++;
    }
    void close(int fd) override { calls.push_back("close " + std::to_string(fd)); }
    int ioctl(int fd, unsigned long request, void* arg) override {
        std::ostringstream text;
        text << "ioctl " << fd << ' ';
        if (request == TIOCMBIS || request == TIOCMBIC) {
            const int bits = *static_cast<int*>(arg);
            text << (request == TIOCMBIS ? "TIOCMBIS" : "TIOCMBIC");
            if (bits & TIOCM_DTR) text << " DTR";
            if (bits & TIOCM_RTS) text << " RTS";
        } else if (request == PPCLAIM) {
            text << "PPCLAIM";
        } else if (request == PPRELEASE) {
            text << "PPRELEASE";
        } else if (request == PPRCONTROL) {
            text << "PPRCONTROL";
            *static_cast<unsigned char*>(arg) = control;
        } else if (request == PPWCONTROL) {
            control = *static_cast<unsigned char*>(arg);
            text << "PPWCONTROL " << static_cast<int>(control);
        } else if (request == EVIOCGBIT(EV_SND, sizeof(unsigned long))) {
            text << "EVIOCGBIT EV_SND";
            *static_cast<unsigned long*>(arg) =
                toneDevices.contains(fdPaths[fd]) ? 1UL << SND_TONE : 1UL << SND_BELL;
        } else {
            text << "request " << request;
        }
        calls.push_back(text.str());
        if (const auto it = ioctlErrors.find(request); it != ioctlErrors.end()) return -it->second;
        return 0;
    }
    int getAttributes(int fd, termios& attributes) override {
        calls.push_back("tcgetattr " + std::to_string(fd));
        attributes = {};
        attributes.c_cflag = HUPCL | CREAD | CS8;
        return 0;
    }
    int setAttributes(int fd, const termios& attributes) override {
        std::string text = "tcsetattr " + std::to_string(fd);
        text += (attributes.c_cflag & HUPCL) ? " HUPCL" : " -HUPCL";
        if (attributes.c_cflag & CLOCAL) text += " CLOCAL";
        if (attributes.c_cflag & CREAD) text += " CREAD";
        calls.push_back(text);
        return 0;
    }
    int write(int fd, const void* data, std::size_t size) override {
        const auto* event = static_cast<const input_event*>(data);
        std::ostringstream text;
        text << "write " << fd << ' ';
        if (size == sizeof(input_event) && event->type == EV_SND && event->code == SND_TONE)
            text << "tone " << event->value;
        calls.push_back(text.str());
        return static_cast<int>(size);
    }

    std::vector<std::string> calls;
    std::map<std::string, int> openErrors;
    std::map<unsigned long, int> ioctlErrors;
    std::map<int, std::string> fdPaths;
    std::set<std::string> toneDevices;
    unsigned char control = 0;
    int nextFd = 3;
};

using Calls = std::vector<std::string>;

std::string serialPath(int port) {
    return port == 1 ? "/dev/ttyUSB0" : "/dev/ttyS1";
}
std::string parallelPath(int port) {
    return port == 1 ? "/dev/parport0" : "/dev/parport1";
}

TEST(SerialLines, OpeningNeverKeysTheTransmitterThenDtrSwitches) {
    FakeDeviceCalls calls;
    TermiosSerialLines serial(calls, serialPath);
    ASSERT_TRUE(serial.open(1).isOk());
    EXPECT_TRUE(serial.isOpen(1));
    EXPECT_EQ(calls.calls,
              (Calls{"open /dev/ttyUSB0 rw noctty nonblock", "ioctl 3 TIOCMBIC DTR RTS",
                     "tcgetattr 3", "tcsetattr 3 -HUPCL CLOCAL CREAD"}));
    calls.calls.clear();
    ASSERT_TRUE(serial.open(1).isOk());  // already open: nothing happens
    EXPECT_TRUE(calls.calls.empty());

    EXPECT_TRUE(serial.setDtr(1, true).isOk());
    EXPECT_TRUE(serial.setDtr(1, false).isOk());
    serial.close(1);
    EXPECT_FALSE(serial.isOpen(1));
    EXPECT_EQ(calls.calls, (Calls{"ioctl 3 TIOCMBIS DTR", "ioctl 3 TIOCMBIC DTR", "close 3"}));
    EXPECT_FALSE(serial.setDtr(1, true).isOk());
}

TEST(SerialLines, OpenFailuresNameTheDeviceAndTheFix) {
    const struct {
        int error;
        bool onIoctl;
        const char* message;
    } cases[] = {
        {ENOENT, false,
         "Com1 is set to the serial device /dev/ttyUSB0, which is not there. Plug in the serial "
         "adapter, or name its device (for a USB adapter usually /dev/ttyUSB0) as Com1Device in "
         "KESLOG90.INI."},
        {EACCES, false,
         "Com1 (/dev/ttyUSB0) cannot be opened: permission denied. Add your user to the group "
         "dialout (sudo adduser $USER dialout), then log out and in again."},
        {EBUSY, false,
         "Com1 (/dev/ttyUSB0) is in use by another program. Close that program and try again."},
        {ENOTTY, true,
         "Com1 is set to /dev/ttyUSB0, which is not a serial port. Name the serial device as "
         "Com1Device in KESLOG90.INI."},
        {EIO, false, "Com1 (/dev/ttyUSB0) cannot be opened: Input/output error."},
    };
    for (const auto& c : cases) {
        FakeDeviceCalls calls;
        if (c.onIoctl)
            calls.ioctlErrors[TIOCMBIC] = c.error;
        else
            calls.openErrors["/dev/ttyUSB0"] = c.error;
        TermiosSerialLines serial(calls, serialPath);
        const Status opened = serial.open(1);
        EXPECT_FALSE(opened.isOk());
        EXPECT_EQ(opened.message(), c.message);
        EXPECT_EQ(opened.title(), "Port Error");
        EXPECT_FALSE(serial.isOpen(1));
        if (c.onIoctl) {
            EXPECT_EQ(calls.calls.back(), "close 3");
        }
    }
}

TEST(SerialLines, AnUnpluggedAdapterIsDroppedAndOpenedAfreshNextTime) {
    FakeDeviceCalls calls;
    TermiosSerialLines serial(calls, serialPath);
    ASSERT_TRUE(serial.open(1).isOk());
    calls.ioctlErrors[TIOCMBIS] = EIO;
    const Status keyed = serial.setDtr(1, true);
    EXPECT_EQ(keyed.message(),
              "Com1 (/dev/ttyUSB0) stopped answering: Input/output error. Check that the "
              "adapter is still plugged in.");
    EXPECT_FALSE(serial.isOpen(1));
    EXPECT_EQ(calls.calls.back(), "close 3");
}

TEST(SerialLines, KeyingThroughPortNamesOpensWithoutKeyingFirst) {
    FakeDeviceCalls calls;
    TermiosSerialLines serial(calls, serialPath);
    PpdevPortIo ports(calls, parallelPath);
    PortLines lines(serial, ports);
    EXPECT_TRUE(lines.LineOn("Com2").isOk());
    EXPECT_EQ(calls.calls,
              (Calls{"open /dev/ttyS1 rw noctty nonblock", "ioctl 3 TIOCMBIC DTR RTS",
                     "tcgetattr 3", "tcsetattr 3 -HUPCL CLOCAL CREAD", "ioctl 3 TIOCMBIS DTR"}));
}

TEST(ParallelPorts, ClaimedOnceThenTheControlRegisterIsReadAndWritten) {
    FakeDeviceCalls calls;
    calls.control = 0xC0;
    {
        TermiosSerialLines serial(calls, serialPath);
        PpdevPortIo ports(calls, parallelPath);
        PortLines lines(serial, ports);
        EXPECT_TRUE(lines.PrepareParallelPort("LPT1-pin 16").isOk());
        EXPECT_TRUE(lines.LineOn("LPT1-pin 16").isOk());
        EXPECT_TRUE(lines.LineOff("LPT1-pin 17").isOk());
    }
    EXPECT_EQ(calls.calls, (Calls{"open /dev/parport0 rw", "ioctl 3 PPCLAIM", "ioctl 3 PPRCONTROL",
                                  "ioctl 3 PPWCONTROL 193", "ioctl 3 PPRCONTROL",
                                  "ioctl 3 PPWCONTROL 197", "ioctl 3 PPRCONTROL",
                                  "ioctl 3 PPWCONTROL 205", "ioctl 3 PPRELEASE", "close 3"}));
}

TEST(ParallelPorts, TheSecondPortsAddressMapsToItsDevice) {
    FakeDeviceCalls calls;
    PpdevPortIo ports(calls, parallelPath);
    ASSERT_TRUE(ports.readByte(0x27A).isOk());
    EXPECT_EQ(calls.calls.front(), "open /dev/parport1 rw");

    const auto other = ports.readByte(0x378);
    EXPECT_FALSE(other.isOk());
    EXPECT_EQ(other.status().message(), "There is no parallel-port register at I/O address 888.");
    EXPECT_EQ(calls.calls.size(), 3U);
}

TEST(ParallelPorts, FailuresNameTheDeviceAndTheFix) {
    const struct {
        int openError, claimError;
        const char* message;
    } cases[] = {
        {ENOENT, 0,
         "LPT1 is set to the parallel-port device /dev/parport0, which is not there. Load the "
         "parallel-port drivers (sudo modprobe parport_pc ppdev), or name the device as "
         "LPT1Device in KESLOG90.INI."},
        {EACCES, 0,
         "LPT1 (/dev/parport0) cannot be opened: permission denied. Add your user to the group lp "
         "(sudo adduser $USER lp), then log out and in again."},
        {0, EBUSY,
         "LPT1 (/dev/parport0) cannot be claimed: Device or resource busy. Another driver (a "
         "printer, for one) may hold the port."},
    };
    for (const auto& c : cases) {
        FakeDeviceCalls calls;
        if (c.openError) calls.openErrors["/dev/parport0"] = c.openError;
        if (c.claimError) calls.ioctlErrors[PPCLAIM] = c.claimError;
        PpdevPortIo ports(calls, parallelPath);
        const Status written = ports.writeByte(0x37A, 1);
        EXPECT_EQ(written.message(), c.message);
        EXPECT_EQ(written.title(), "Port Error");
        if (c.claimError) {
            EXPECT_EQ(calls.calls.back(), "close 3");
        }
    }
}

TEST(PcSpeaker, FindsTheDeviceThatSoundsTones) {
    FakeDeviceCalls calls;
    calls.openErrors["/dev/input/by-path/platform-pcspkr-event-spkr"] = ENOENT;
    calls.toneDevices.insert("/dev/input/event4");
    PcSpeakerTone speaker(calls, [] {
        return std::vector<std::string>{"/dev/input/by-path/platform-pcspkr-event-spkr",
                                        "/dev/input/event1", "/dev/input/event4"};
    });
    ASSERT_TRUE(speaker.prepare().isOk());
    speaker.setTone(true);
    speaker.setTone(false);
    EXPECT_EQ(calls.calls, (Calls{"open /dev/input/by-path/platform-pcspkr-event-spkr w",
                                  "open /dev/input/event1 w", "ioctl 3 EVIOCGBIT EV_SND", "close 3",
                                  "open /dev/input/event4 w", "ioctl 4 EVIOCGBIT EV_SND",
                                  "write 4 tone 700", "write 4 tone 0"}));
}

TEST(PcSpeaker, SaysClearlyWhenThereIsNone) {
    FakeDeviceCalls calls;
    PcSpeakerTone none(calls, [] { return std::vector<std::string>{"/dev/input/event1"}; });
    const Status missing = none.prepare();
    EXPECT_EQ(missing.message(),
              "The PC speaker cannot sound the CW sidetone: this computer has no PC-speaker "
              "device (its driver is pcspkr: sudo modprobe pcspkr). Choose the sound card for "
              "the sidetone in the Preferences.");
    none.setTone(true);  // nothing to write to
    EXPECT_EQ(calls.calls.back(), "close 3");

    calls.openErrors["/dev/input/event9"] = EACCES;
    PcSpeakerTone denied(calls, [] { return std::vector<std::string>{"/dev/input/event9"}; });
    EXPECT_EQ(denied.prepare().message(),
              "The PC speaker cannot sound the CW sidetone: permission denied on "
              "/dev/input/event9. Add your user to the group input (sudo adduser $USER input), "
              "then log out and in again, or choose the sound card for the sidetone in the "
              "Preferences.");
}

}  // namespace
}  // namespace keslog
