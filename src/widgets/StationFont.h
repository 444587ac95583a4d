#pragma once

#include <QFont>

// The station's font: a CJK face named explicitly, because fontconfig's own
// choice for Chinese text varies between machines (and picks a Japanese
// variant under some locales).
namespace StationFont {

inline constexpr const char* kPrimaryFamily = "WenQuanYi Micro Hei";
inline constexpr const char* kFallbackFamily = "Noto Sans CJK SC";

QFont font();

} // namespace StationFont
