#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "link/LinkFailure.h"
#include "link/ModbusFieldbus.h"
#include "link/ReplyCheck.h"

namespace {

using Kind = LinkFailure::Kind;
using Frame = std::vector<uint8_t>;

Kind kindOf(const std::string& reason)
{
    return classifyLinkFailure(reason).kind;
}

// The texts the link really gives, read back: a change of wording on either
// side shows here.
TEST(LinkFailure, everyAnswerTheReplyCheckRefusesReadsBackAsAWrongAnswerOrARefusal)
{
    const Frame readParameters{1, 3, 0x10, 0x10, 0, 16};
    const Frame writeSetValue{1, 6, 0, 0, 0x01, 0xF4};
    Frame tooShort{1, 3, 16};
    tooShort.resize(19, 0);
    Frame badCount{1, 3, 30};
    badCount.resize(35, 0);
    const std::vector<Frame> wrongAnswers{
        Frame{2, 3, 0}, Frame{1, 4, 32}, tooShort, badCount, Frame{1, 6, 0, 0, 0, 133}, Frame{1, 0x83, 2, 0}};
    for (const Frame& answer : wrongAnswers) {
        const Frame& request = answer[1] == 6 ? writeSetValue : readParameters;
        const std::string reason = "reading holding registers: " + ReplyCheck::mismatch(request, answer);
        EXPECT_EQ(kindOf(reason), Kind::WrongAnswer) << reason;
    }
    for (const int code : {1, 2, 4, 11, 23, 0}) {
        const std::string reason = "writing coil: " + ReplyCheck::exceptionText(code);
        EXPECT_EQ(classifyLinkFailure(reason), (LinkFailure{Kind::Refused, code, false})) << reason;
    }
}

TEST(LinkFailure, aPortWithoutADeviceIsNamedAndLaterCallsNameThatPort)
{
    PortDevices devices;
    devices.setDevice(7, "/nonexistent/tty-of-port-7");
    ModbusFieldbus fieldbus(devices);
    const FieldbusResult gone = fieldbus.open(LinkSettings{7, 1, 0, 1});
    EXPECT_EQ(kindOf(gone.reason), Kind::NoDevice) << gone.reason;

    const FieldbusResult none = fieldbus.open(LinkSettings{25, 1, 0, 1});
    EXPECT_EQ(classifyLinkFailure(none.reason), (LinkFailure{Kind::NoDevice, 25, false})) << none.reason;
    // Not port 0: the port the open was asked for, though it never opened.
    const FieldbusResult write = fieldbus.writeRegister(1, 250);
    EXPECT_EQ(write.reason, "port 25 is not open");
    EXPECT_EQ(classifyLinkFailure(write.reason), (LinkFailure{Kind::NotOpen, 25, false}));

    EXPECT_EQ(kindOf(fieldbus.open(LinkSettings{7, 9, 0, 1}).reason), Kind::BadSettings);
    EXPECT_EQ(kindOf(fieldbus.writeRegister(1, 70000).reason), Kind::OutOfRange);
}

} // namespace
