#include "widgets/StationFont.h"

#include <QStringList>

namespace StationFont {

QFont font()
{
    QFont f;
    f.setFamilies({QString::fromLatin1(kPrimaryFamily), QString::fromLatin1(kFallbackFamily)});
    f.setPointSize(10);
    return f;
}

} // namespace StationFont
