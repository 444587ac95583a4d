#include <gtest/gtest.h>

#include "journal/StoredLinkReason.h"

namespace {

using Kind = LinkFailure::Kind;

struct StoredCase {
    const char* reason;  // as a journal file keeps it
    LinkFailure failure;
};

// One reason of each kind the link has given, in the link's words.
TEST(StoredLinkReason, eachStoredReasonReadsBackAsItsKind)
{
    const StoredCase cases[] = {
        {"cannot open /dev/ttyUSB0: No such file or directory", {Kind::NoDevice}},
        {"no serial device for port 25", {Kind::NoDevice, 25}},
        {"cannot open /dev/ttyS3: Permission denied", {Kind::NoAccess}},
        {"cannot open /dev/ttyS3: Input/output error", {Kind::OpenFailed}},
        {"port 3 is not open", {Kind::NotOpen, 3}},
        {"invalid module address 0", {Kind::BadSettings}},
        {"reading input registers: Connection timed out", {Kind::NoAnswer}},
        {"reading coils: Invalid CRC", {Kind::BadCrc}},
        {"reading holding registers: answer of 21 bytes instead of 37 (not this request's)", {Kind::WrongAnswer}},
        {"reading holding registers: Response not from requested slave", {Kind::WrongAnswer}},
        {"writing holding register: echo differs from the write", {Kind::WrongAnswer}},
        {"writing holding register: exception 23", {Kind::Refused, 23}},
        {"reading holding registers: Illegal data address", {Kind::Refused, 2}},
        {"reading input registers: the line never fell silent", {Kind::LineBusy}},
        {"link out of step: resynchronising: probing: Connection timed out", {Kind::NoAnswer, 0, true}},
        {"value 70000 does not fit a register", {Kind::OutOfRange}},
        {"something nobody foresaw", {Kind::Unknown}},
        {"", {Kind::Unstated}},
        {"  ", {Kind::Unstated}},
    };
    for (const StoredCase& c : cases)
        EXPECT_EQ(storedLinkFailure(QString::fromUtf8(c.reason)), c.failure) << c.reason;
}

} // namespace
