#pragma once

#include <QString>

#include "link/LinkSettings.h"

// How the journal names the instrument an event is about: its port and
// module address, as the link settings show them.
inline QString linkSourceText(const LinkSettings& settings)
{
    return QStringLiteral("端口 %1 地址 %2").arg(settings.port).arg(settings.moduleAddress);
}
