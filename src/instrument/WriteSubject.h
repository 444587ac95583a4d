#pragma once

#include <QString>

#include "core/ShownText.h"

// What an operator's write is about, known by its register or coil: the
// journal stores it as a code ("register 4108", "coil 2") that reads the
// same in every language and never changes, and readers name it as the
// windows do ("比例带", "设定SV", "自整定") in their own language.
namespace WriteSubject {

QString registerCode(int registerNumber);
QString coilCode(int coil);

// A code read back; false for any other text (a caption an earlier
// version stored).
struct Parsed {
    bool coil = false;
    int address = 0;
};
bool parse(const QString& code, Parsed& parsed);

// The name of what the station writes there; empty for a register or coil
// it never writes.
ShownText name(const Parsed& subject);
// A coil's state as the operating-state fields show it ("自动" / "手动").
ShownText coilState(int coil, bool on);

} // namespace WriteSubject
