// Every Chinese text the sources hand to the translation system has a
// finished English translation in translations/*.ts: a new text without one
// fails here, not in front of an operator.
#include <QDir>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace {

struct Message {
    QString context;
    QString source;
    QString comment;
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
            message = Message{context, {}, {}, false};
        } else if (name == QLatin1String("source")) {
            message.source = xml.readElementText();
        } else if (name == QLatin1String("comment")) {
            message.comment = xml.readElementText();
        } else if (name == QLatin1String("translation")) {
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            const QString text = xml.readElementText(QXmlStreamReader::IncludeChildElements);
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

} // namespace
