#pragma once

#include <memory>
#include <vector>

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTranslator>

// The interface language: installs into the running application a
// translator for every tq5800_*_<language>.qm (one per area of the windows)
// and Qt's own qtbase_<language>.qm for the dialogs Qt draws itself; they
// are removed again when this object goes. Chinese needs nothing: the
// sources carry the Chinese texts.
class Translations {
public:
    explicit Translations(const QString& language);
    ~Translations();
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;

    // The .qm files installed, for the start-up's log; empty when none was
    // found (or none was wanted).
    QStringList loadedFiles() const { return m_loadedFiles; }

    // The folders searched, first match wins per file name: the build tree
    // (a station run from its build), then the installed shared folder.
    static QStringList folders();

    // "zh" for a Chinese locale (zh, zh_CN, zh_TW, ...), "en" for any other.
    static QString languageOf(const QString& localeName);
    static QString systemLanguage() { return languageOf(QLocale::system().name()); }

private:
    bool install(const QString& path);

    std::vector<std::unique_ptr<QTranslator>> m_translators;
    QStringList m_loadedFiles;
};
