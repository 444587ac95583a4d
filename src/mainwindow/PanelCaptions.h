#pragma once

#include <QString>

// Captions beside the panel's parameter fields: field i shows the
// instrument's configuration parameter i + 1. They are the
// main window's own short names, not the configuration window's captions.
namespace PanelCaptions {

inline constexpr int kParameterFields = 34;

// Empty outside 0..33.
QString parameterCaption(int index);

} // namespace PanelCaptions
