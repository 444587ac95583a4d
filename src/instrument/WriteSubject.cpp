#include "instrument/WriteSubject.h"

#include <array>

#include <QRegularExpression>

#include "instrument/AlarmRows.h"
#include "instrument/ParameterCatalogue.h"
#include "instrument/RegisterMap.h"

namespace {

// The main window's commands by the names its buttons give them, in the
// context its status bar uses.
ShownText command(const char* source)
{
    return ShownText("WriteRequest", source);
}

struct CoilNames {
    int coil;
    const char* command;
    const char* on;
    const char* off;
};

const std::array<CoilNames, 3> kCoils{{
    {RegisterMap::kSelfTune, QT_TRANSLATE_NOOP("WriteRequest", "自整定"), QT_TRANSLATE_NOOP("PanelStates", "自整定开"),
     QT_TRANSLATE_NOOP("PanelStates", "自整定关")},
    {RegisterMap::kAutomatic, QT_TRANSLATE_NOOP("WriteRequest", "手动/自动"), QT_TRANSLATE_NOOP("PanelStates", "自动"),
     QT_TRANSLATE_NOOP("PanelStates", "手动")},
    {RegisterMap::kManualPermitted, QT_TRANSLATE_NOOP("WriteRequest", "手动禁止"),
     QT_TRANSLATE_NOOP("PanelStates", "手动允许"), QT_TRANSLATE_NOOP("PanelStates", "手动禁止")},
}};

const CoilNames* coilNames(int coil)
{
    for (const CoilNames& names : kCoils)
        if (names.coil == coil)
            return &names;
    return nullptr;
}

ShownText registerName(int registerNumber)
{
    if (registerNumber == RegisterMap::kSetValue)
        return command(QT_TRANSLATE_NOOP("WriteRequest", "设定SV"));
    if (registerNumber == RegisterMap::kManualOutput)
        return command(QT_TRANSLATE_NOOP("WriteRequest", "设定OP"));
    for (int row = 0; row < AlarmRows::kRows; ++row)
        if (AlarmRows::registerOf(row) == registerNumber)
            return ShownText("AlarmRows", AlarmRows::captionSource(row)).arg(row / 3 + 1);
    for (const ParameterCatalogue::Parameter& parameter : ParameterCatalogue::parameters())
        if (parameter.registerAddress == registerNumber)
            return ShownText("ParameterCatalogue", ParameterCatalogue::text(parameter.caption));
    return {};
}

} // namespace

namespace WriteSubject {

QString registerCode(int registerNumber)
{
    return QStringLiteral("register %1").arg(registerNumber);
}

QString coilCode(int coil)
{
    return QStringLiteral("coil %1").arg(coil);
}

bool parse(const QString& code, Parsed& parsed)
{
    static const QRegularExpression pattern(QStringLiteral("^(register|coil) (\\d{1,5})$"));
    const QRegularExpressionMatch match = pattern.match(code);
    if (!match.hasMatch())
        return false;
    parsed.coil = match.captured(1) == QLatin1String("coil");
    parsed.address = match.captured(2).toInt();
    return true;
}

ShownText name(const Parsed& subject)
{
    if (!subject.coil)
        return registerName(subject.address);
    const CoilNames* names = coilNames(subject.address);
    return names ? command(names->command) : ShownText();
}

ShownText coilState(int coil, bool on)
{
    const CoilNames* names = coilNames(coil);
    if (!names)
        return ShownText::verbatim(on ? QStringLiteral("on") : QStringLiteral("off"));
    return ShownText("PanelStates", on ? names->on : names->off);
}

} // namespace WriteSubject
