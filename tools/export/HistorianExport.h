#pragma once

#include "ExportOptions.h"

// The period from the central server (--historian): one instrument's
// samples as CSV or the report with the station's forwarded events. The
// exit status as the tool returns it.
int exportFromHistorian(const ExportOptions& options);
