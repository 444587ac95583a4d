#pragma once

#include "Options.h"
#include "RegisterImage.h"

namespace tqsim {

// What a freshly configured instrument holds: the catalogue defaults of the
// parameters, a set value, automatic mode and plausible alarm points.
void applyFactoryDefaults(RegisterImage& image);

// Factory defaults, then the line settings and input fault of the command
// line, then every --set in order (so --set has the last word).
RegisterImage startImage(const Options& options);

} // namespace tqsim
