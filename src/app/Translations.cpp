#include "app/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QSet>

Translations::Translations(const QString& language)
{
    if (language == QLatin1String("zh"))
        return;
    const QString pattern = QStringLiteral("tq5800_*_%1.qm").arg(language);
    QSet<QString> seen;
    for (const QString& folder : folders()) {
        const QStringList names = QDir(folder).entryList({pattern}, QDir::Files, QDir::Name);
        for (const QString& name : names) {
            if (seen.contains(name))
                continue;
            seen.insert(name);
            install(QDir(folder).filePath(name));
        }
    }
    const QString qtBase = QDir(QLibraryInfo::path(QLibraryInfo::TranslationsPath))
                               .filePath(QStringLiteral("qtbase_%1.qm").arg(language));
    if (QFile::exists(qtBase))
        install(qtBase);
}

Translations::~Translations()
{
    for (const std::unique_ptr<QTranslator>& translator : m_translators)
        QCoreApplication::removeTranslator(translator.get());
}

QStringList Translations::folders()
{
    QStringList result;
#ifdef TQ5800_BUILD_TRANSLATIONS
    result << QStringLiteral(TQ5800_BUILD_TRANSLATIONS);
#endif
    // Relative to the program, so an installation under any prefix finds its own.
    result << QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../share/tq5800/translations"));
#ifdef TQ5800_INSTALLED_TRANSLATIONS
    result << QStringLiteral(TQ5800_INSTALLED_TRANSLATIONS);
#endif
    return result;
}

QString Translations::languageOf(const QString& localeName)
{
    return localeName.startsWith(QLatin1String("zh")) ? QStringLiteral("zh") : QStringLiteral("en");
}

bool Translations::install(const QString& path)
{
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(path) || !QCoreApplication::installTranslator(translator.get()))
        return false;
    m_translators.push_back(std::move(translator));
    m_loadedFiles << path;
    return true;
}
