#pragma once

#include <QString>

// The language a program speaks when not told: "zh" for a Chinese locale
// (zh, zh_CN, zh_TW, ...), "en" for any other, so LANG=C.UTF-8 gives English.
inline QString interfaceLanguageOf(const QString& localeName)
{
    return localeName.startsWith(QLatin1String("zh")) ? QStringLiteral("zh") : QStringLiteral("en");
}
