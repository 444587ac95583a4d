#include "paramset/DownloadPlan.h"

DownloadPlan planDownload(const ParameterSet&, const ParameterSet&) { return {}; }
