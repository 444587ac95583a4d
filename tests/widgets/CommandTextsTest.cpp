#include <gtest/gtest.h>

#include "widgets/StatusTexts.h"

namespace {

using Reason = EntryCheck::Refusal::Reason;

struct RefusalCase {
    const char* command;
    EntryCheck::Refusal refusal;
    const char* text;
};

TEST(CommandTexts, aRefusalNamesTheCommandAndWhatWasWrong)
{
    const RefusalCase cases[] = {
        {"设定SV", {Reason::NotANumber, -1999, 9999}, "“设定SV”未执行：输入的不是数字"},
        {"设定SV", {Reason::OutOfRange, -1999, 9999}, "“设定SV”未执行：数值须在 -1999 到 9999 之间"},
        {"设定OP", {Reason::DoesNotFitRegister, -3276.8, 3276.7},
         "“设定OP”未执行：换算后超出仪表寄存器范围，数值须在 -3276.8 到 3276.7 之间"},
        {"修改Y", {Reason::MinimumAboveMaximum}, "“修改Y”未执行：最小值不能大于最大值"},
        {"修改Y", {Reason::SpanTooWide, 0, 32767}, "“修改Y”未执行：最大值与最小值之差不能超过 32767"},
        {"报警2设定值", {Reason::OutOfRange, -1999, 9999}, "“报警2设定值”未执行：数值须在 -1999 到 9999 之间"},
    };
    for (const RefusalCase& c : cases)
        EXPECT_EQ(StatusTexts::refusedEntryText(QString::fromUtf8(c.command), c.refusal), QString::fromUtf8(c.text));
}

TEST(CommandTexts, aFailedWriteNamesTheCommandTheValueAndTheReason)
{
    WriteOutcome registerWrite;
    registerWrite.request = WriteRequest::toRegister(1, 250, QStringLiteral("设定SV"), nullptr);
    registerWrite.attempts = 2;
    registerWrite.error = QStringLiteral("writing holding register: Connection timed out");
    registerWrite.failure = {LinkFailure::Kind::NoAnswer};
    EXPECT_EQ(StatusTexts::writeFailedText(registerWrite), QStringLiteral("“设定SV” 250 写入失败（已重试一次）：无应答"));

    WriteOutcome coil;
    coil.request = WriteRequest::toCoil(2, false, QStringLiteral("手动/自动"), nullptr);
    coil.attempts = 1;
    EXPECT_EQ(StatusTexts::writeFailedText(coil),
              QStringLiteral("“手动/自动” 切换失败：原因不明"));
}

} // namespace
