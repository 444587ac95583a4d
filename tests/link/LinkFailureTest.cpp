#include <cerrno>
#include <cstdint>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <modbus.h>

#include "link/LinkFailure.h"
#include "link/LinkFailureText.h"
#include "link/ModbusFieldbus.h"
#include "link/ReplyCheck.h"

namespace {

using Kind = LinkFailure::Kind;
using Frame = std::vector<uint8_t>;

struct SourceCase {
    const char* source;
    FieldbusResult result;
    LinkFailure kind;
};

// Each place a failure is met, with the kind it hands on beside its reason.
std::vector<SourceCase> failureSources()
{
    const Frame readParameters{1, 3, 0x10, 0x10, 0, 16};
    const Frame writeSetValue{1, 6, 0, 0, 0x01, 0xF4};
    Frame tooShort{1, 3, 16};
    tooShort.resize(19, 0);
    Frame badCount{1, 3, 30};
    badCount.resize(35, 0);
    const auto fromError = [](int error) { return FieldbusResult{false, linkFailureOfError(error), {}}; };

    PortDevices devices;
    devices.setDevice(7, "/nonexistent/tty-of-port-7");
    ModbusFieldbus gone(devices);
    ModbusFieldbus none(devices);
    const FieldbusResult goneOpen = gone.open(LinkSettings{7, 1, 0, 0});
    const FieldbusResult noneOpen = none.open(LinkSettings{25, 1, 0, 1});
    std::vector<int16_t> block(16);

    return {
        {"open: device file missing", goneOpen, {Kind::NoDevice}},
        {"open: no device for the port", noneOpen, {Kind::NoDevice, 25}},
        // Not port 0: the port the open was asked for, though it never opened.
        {"call on a port never opened", none.writeRegister(1, 250), {Kind::NotOpen, 25}},
        {"open: baud code", none.open(LinkSettings{7, 9, 0, 1}), {Kind::BadSettings}},
        {"call: module address 0", gone.writeCoil(1, true), {Kind::BadSettings}},
        {"value beyond 16 bits", gone.writeRegister(1, 70000), {Kind::OutOfRange}},
        {"register block past the end", gone.readRegisters(RegisterTable::Holding, 65530, block),
         {Kind::OutOfRange}},
        {"answer: another station", ReplyCheck::mismatch(readParameters, Frame{2, 3, 0}), {Kind::WrongAnswer}},
        {"answer: another function", ReplyCheck::mismatch(readParameters, Frame{1, 4, 32}), {Kind::WrongAnswer}},
        {"answer: another length", ReplyCheck::mismatch(readParameters, tooShort), {Kind::WrongAnswer}},
        {"answer: byte count", ReplyCheck::mismatch(readParameters, badCount), {Kind::WrongAnswer}},
        {"answer: another echo", ReplyCheck::mismatch(writeSetValue, Frame{1, 6, 0, 0, 0, 133}), {Kind::WrongAnswer}},
        {"answer: malformed exception", ReplyCheck::mismatch(readParameters, Frame{1, 0x83, 2, 0}), {Kind::WrongAnswer}},
        {"answer: known exception", ReplyCheck::mismatch(readParameters, Frame{1, 0x83, 2}), {Kind::Refused, 2}},
        {"answer: unknown exception", ReplyCheck::mismatch(writeSetValue, Frame{1, 0x86, 23}), {Kind::Refused, 23}},
        {"answer: exception 0", ReplyCheck::mismatch(writeSetValue, Frame{1, 0x86, 0}), {Kind::Refused, 0}},
        {"libmodbus: time-out", fromError(ETIMEDOUT), {Kind::NoAnswer}},
        {"libmodbus: CRC", fromError(EMBBADCRC), {Kind::BadCrc}},
        {"libmodbus: another station", fromError(EMBBADSLAVE), {Kind::WrongAnswer}},
        {"libmodbus: exception", fromError(MODBUS_ENOBASE + 4), {Kind::Refused, 4}},
        {"system: device gone", fromError(ENXIO), {Kind::NoDevice}},
        {"system: no permission", fromError(EACCES), {Kind::NoAccess}},
        {"system: anything else", fromError(EIO), {Kind::Unknown}},
    };
}

TEST(LinkFailure, eachSourceHandsOnTheKindOfItsFailure)
{
    for (const SourceCase& c : failureSources()) {
        EXPECT_FALSE(c.result.ok) << c.source;
        EXPECT_EQ(c.result.failure, c.kind) << c.source << ": " << c.result.reason;
    }
}

struct WordsCase {
    LinkFailure failure;
    const char* words;
};

TEST(LinkFailure, eachKindHasTheOperatorsWords)
{
    const WordsCase cases[] = {
        {{Kind::NoDevice, 25}, "设备不存在"},
        {{Kind::NoAccess}, "无权使用端口"},
        {{Kind::OpenFailed}, "端口无法打开"},
        {{Kind::NotOpen, 3}, "端口 3 未打开"},
        {{Kind::BadSettings}, "通讯设置无效"},
        {{Kind::NoAnswer}, "无应答"},
        {{Kind::BadCrc}, "校验错误"},
        {{Kind::WrongAnswer}, "应答不符"},
        {{Kind::Refused, 23}, "仪表拒绝（异常码 23）"},
        {{Kind::LineBusy}, "线路不停有数据"},
        {{Kind::OutOfRange}, "地址或数值超出范围"},
        {{Kind::Unknown}, "通讯错误"},
        {{Kind::Unstated}, "原因不明"},
        {{Kind::NoAnswer, 0, true}, "重新同步失败：无应答"},
    };
    for (const WordsCase& c : cases)
        EXPECT_EQ(shownLinkFailureText(c.failure), QString::fromUtf8(c.words)) << c.words;
}

} // namespace
