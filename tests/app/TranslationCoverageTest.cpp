// Every Chinese text the sources hand to the translation system has a
// finished English translation in translations/*.ts: a new text without one
// fails here, not in front of an operator.
#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace {

struct Message {
    QString context;
    QString source;
    QString comment;
    QString translation;
    bool finished = false;
};

// Reads the messages of one .ts file; a message counts as finished when its
// translation (or every plural form) is non-empty and not marked unfinished,
// vanished or obsolete.
QList<Message> readMessages(const QString& path)
{
    QList<Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&file);
    QString context;
    Message message;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const auto name = xml.name();
        if (name == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (name == QLatin1String("message")) {
            message = Message{context, {}, {}, {}, false};
        } else if (name == QLatin1String("source")) {
            message.source = xml.readElementText();
        } else if (name == QLatin1String("comment")) {
            message.comment = xml.readElementText();
        } else if (name == QLatin1String("translation")) {
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            message.translation = text;
            message.finished = type.isEmpty() && !text.trimmed().isEmpty();
            messages << message;
        }
    }
    return messages;
}

QString key(const Message& message)
{
    return message.context + QLatin1Char('|') + message.source + QLatin1Char('|') + message.comment;
}

TEST(TranslationCoverage, everySourceTextHasAFinishedEnglishTranslation)
{
    QMap<QString, bool> translated;
    const QDir folder(QStringLiteral(TQ5800_TRANSLATIONS_FOLDER));
    const QStringList files = folder.entryList({QStringLiteral("*_en.ts")}, QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    for (const QString& name : files) {
        for (const Message& message : readMessages(folder.filePath(name)))
            translated[key(message)] = translated.value(key(message)) || message.finished;
    }

    QTemporaryDir scratch;
    ASSERT_TRUE(scratch.isValid());
    const QString scanned = scratch.filePath(QStringLiteral("scanned_en.ts"));
    QProcess lupdate;
    lupdate.start(QStringLiteral(TQ5800_LUPDATE_PATH),
                  {QStringLiteral(TQ5800_SOURCE_FOLDER), QStringLiteral("-ts"), scanned,
                   QStringLiteral("-source-language"), QStringLiteral("zh_CN"), QStringLiteral("-target-language"),
                   QStringLiteral("en"), QStringLiteral("-locations"), QStringLiteral("none"), QStringLiteral("-silent")});
    ASSERT_TRUE(lupdate.waitForFinished(120000)) << "lupdate did not finish";
    ASSERT_EQ(lupdate.exitCode(), 0) << lupdate.readAllStandardError().toStdString();

    const QList<Message> found = readMessages(scanned);
    EXPECT_FALSE(found.isEmpty()) << "lupdate found no source texts";
    QStringList missing;
    for (const Message& message : found) {
        if (!translated.value(key(message)))
            missing << QStringLiteral("%1: \"%2\"").arg(message.context, message.source);
    }
    EXPECT_TRUE(missing.isEmpty()) << missing.size() << " texts without English:\n"
                                   << qPrintable(missing.join(QLatin1Char('\n')));
}

// What English never carries: the Chinese ideographic punctuation (、。「」
// 〜 ...) and the full-width forms (，：；（）！？～ ...), and a blank
// before a closing mark ("19200 ." or "file %1 …").
QString punctuationProblem(const QString& text)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if ((u >= 0x3000 && u <= 0x303F) || (u >= 0xFF00 && u <= 0xFFEF))
            return QStringLiteral("full-width \"%1\"").arg(c);
    }
    static const QRegularExpression blankBefore(QStringLiteral(" [,.;:!?)…]"));
    if (text.contains(blankBefore))
        return QStringLiteral("a blank before punctuation");
    return QString();
}

TEST(TranslationCoverage, englishTranslationsUseEnglishPunctuation)
{
    const QDir folder(QStringLiteral(TQ5800_TRANSLATIONS_FOLDER));
    const QStringList files = folder.entryList({QStringLiteral("*_en.ts")}, QDir::Files);
    ASSERT_FALSE(files.isEmpty());
    QStringList wrong;
    for (const QString& name : files) {
        for (const Message& message : readMessages(folder.filePath(name))) {
            const QString problem = punctuationProblem(message.translation);
            if (!problem.isEmpty())
                wrong << QStringLiteral("%1 %2: \"%3\" (%4)").arg(name, message.context, message.translation, problem);
        }
    }
    EXPECT_TRUE(wrong.isEmpty()) << wrong.size() << " English translations with Chinese punctuation:\n"
                                 << qPrintable(wrong.join(QLatin1Char('\n')));
}

} // namespace
