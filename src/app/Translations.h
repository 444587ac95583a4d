#pragma once

#include <memory>
#include <vector>

#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTranslator>

// The interface language: installs into the running application a
// translator for every tq5800_*_<language>.qm (one per area of the windows)
// and Qt's own qtbase .qm for the dialogs Qt draws itself (file and print
// dialogs, standard buttons), Chinese included; they are removed again when
// this object goes. The station's own Chinese needs no file: the sources
// carry the Chinese texts.
class Translations {
public:
    explicit Translations(const QString& language);
    ~Translations();
    Translations(const Translations&) = delete;
    Translations& operator=(const Translations&) = delete;

    // The station's .qm files installed, for the start-up's log; empty when
    // none was found (or none was wanted).
    QStringList loadedFiles() const { return m_loadedFiles; }
    // Qt's own .qm installed; empty when the system has none for the
    // language (Debian's qt6-translations-l10n brings them).
    QString qtFile() const { return m_qtFile; }

    // The folders searched, first match wins per file name: the build tree
    // (a station run from its build), then the installed shared folder.
    static QStringList folders();

    // "zh" for a Chinese locale (zh, zh_CN, zh_TW, ...), "en" for any other.
    static QString languageOf(const QString& localeName);
    static QString systemLanguage() { return languageOf(QLocale::system().name()); }

private:
    bool install(std::unique_ptr<QTranslator> translator);
    void installQt(const QString& language);

    std::vector<std::unique_ptr<QTranslator>> m_translators;
    QStringList m_loadedFiles;
    QString m_qtFile;
};
