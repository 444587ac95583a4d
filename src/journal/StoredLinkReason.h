#pragma once

#include <QString>

#include "link/LinkFailure.h"

// The kind of a link failure whose record kept only the link's English
// reason (the journal's link and write events, in files of every version):
// read back from the words the link and libmodbus use. The live station
// carries the kind beside the reason and never reads it back.
LinkFailure storedLinkFailure(const QString& stored);
