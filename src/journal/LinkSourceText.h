#pragma once

#include <QString>

#include "journal/StoredForms.h"
#include "link/LinkSettings.h"

// How the journal names the instrument an event is about: its port and
// module address, as the link settings give them ("port 1 address 1").
inline QString linkSourceText(const LinkSettings& settings)
{
    return StoredForms::instrument(settings.port, settings.moduleAddress);
}
