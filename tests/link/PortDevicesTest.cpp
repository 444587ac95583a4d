#include <gtest/gtest.h>

#include "link/PortDevices.h"

namespace {

TEST(PortDevices, portNumbersNameUsbSerialDevicesByDefault)
{
    PortDevices devices;
    EXPECT_EQ(devices.devicePath(1), "/dev/ttyUSB0");
    EXPECT_EQ(devices.devicePath(20), "/dev/ttyUSB19");
    EXPECT_EQ(devices.devicePath(0), std::nullopt);
    EXPECT_EQ(devices.devicePath(21), std::nullopt);
}

TEST(PortDevices, mappingOverridesOnePort)
{
    PortDevices devices;
    EXPECT_TRUE(devices.addMapping("1=/dev/ttyS0"));
    EXPECT_TRUE(devices.addMapping("3=/tmp/link=with=equals"));
    EXPECT_EQ(devices.devicePath(1), "/dev/ttyS0");
    EXPECT_EQ(devices.devicePath(2), "/dev/ttyUSB1");
    EXPECT_EQ(devices.devicePath(3), "/tmp/link=with=equals");
}

TEST(PortDevices, malformedMappingsChangeNothing)
{
    PortDevices devices;
    for (const char* bad : {"", "1", "1=", "=/dev/x", "x=/dev/x", "0=/dev/x", "21=/dev/x", "1x=/dev/x"})
        EXPECT_FALSE(devices.addMapping(bad)) << bad;
    EXPECT_EQ(devices.devicePath(1), "/dev/ttyUSB0");
}

} // namespace
