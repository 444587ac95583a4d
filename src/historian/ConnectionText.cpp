#include "historian/ConnectionText.h"

#include <QRegularExpression>

namespace ConnectionText {

QString withoutPassword(const QString& connection)
{
    // A keyword starts the text or follows a blank; its value is either a
    // single-quoted text with \' and \\ escapes or a run of non-blanks.
    static const QRegularExpression keyword(
        QStringLiteral(R"((^|\s)password\s*=\s*('(?:[^'\\]|\\.)*'|\S*))"));
    static const QRegularExpression uriSecret(QStringLiteral(R"(^(\w+://[^:/@?]*):[^@/?]*@)"));
    static const QRegularExpression uriParameter(QStringLiteral(R"(([?&])password=[^&]*(&|$))"));
    QString text = connection;
    text.replace(keyword, QStringLiteral("\\1"));
    text.replace(uriSecret, QStringLiteral("\\1@"));
    text.replace(uriParameter, QStringLiteral("\\1"));
    if (text.endsWith(QLatin1Char('?')) || text.endsWith(QLatin1Char('&')))
        text.chop(1);
    return text.simplified();
}

} // namespace ConnectionText
