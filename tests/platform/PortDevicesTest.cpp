#include <gtest/gtest.h>

#include "platform/linux/PortDevices.h"
#include "support/FakePlatform.h"

namespace keslog {
namespace {

TEST(LinuxPortDevices, OffersNumberedSerialAndParallelDevicesInCountingOrder) {
    test::TempDir dev;
    for (const char* name : {"ttyS10", "ttyS2", "ttyS0", "ttyUSB0", "ttyACM1", "ttySAC0", "tty0",
                             "ttyS", "parport1", "parport0", "parportX", "lp0", "null"})
        dev.write(name, "");
    const LinuxPortDevices devices(dev.path());
    const std::string d = dev.path();
    EXPECT_EQ(devices.serialDevices(),
              (std::vector<std::string>{d + "ttyACM1", d + "ttyS0", d + "ttyS2", d + "ttyS10",
                                        d + "ttyUSB0"}));
    EXPECT_EQ(devices.parallelDevices(),
              (std::vector<std::string>{d + "parport0", d + "parport1"}));

    // Without the trailing "/" the paths are the same.
    const LinuxPortDevices bare(d.substr(0, d.size() - 1));
    EXPECT_EQ(bare.parallelDevices(), devices.parallelDevices());
}

TEST(LinuxPortDevices, AFolderThatCannotBeReadOffersNothing) {
    const LinuxPortDevices devices("/no/such/folder");
    EXPECT_TRUE(devices.serialDevices().empty());
    EXPECT_TRUE(devices.parallelDevices().empty());
}

}  // namespace
}  // namespace keslog
