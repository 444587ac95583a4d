#include "app/Translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QSet>

#include "app/QtWidgetTranslator.h"
#include "core/InterfaceLanguage.h"

Translations::Translations(const QString& language)
{
    installQt(language);
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
            auto translator = std::make_unique<QTranslator>();
            const QString path = QDir(folder).filePath(name);
            if (translator->load(path) && install(std::move(translator)))
                m_loadedFiles << path;
        }
    }
}

void Translations::installQt(const QString& language)
{
    // Chinese is simplified Chinese (qtbase_zh_CN.qm); the locale finds it.
    const QLocale locale(language == QLatin1String("zh") ? QStringLiteral("zh_CN") : language);
    auto translator = std::make_unique<QtWidgetTranslator>();
    if (translator->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        const QString path = translator->filePath();
        if (install(std::move(translator)))
            m_qtFile = path;
    }
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
    return interfaceLanguageOf(localeName);
}

bool Translations::install(std::unique_ptr<QTranslator> translator)
{
    if (!QCoreApplication::installTranslator(translator.get()))
        return false;
    m_translators.push_back(std::move(translator));
    return true;
}
