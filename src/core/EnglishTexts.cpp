#include "core/EnglishTexts.h"

#include <memory>
#include <vector>

#include <QCoreApplication>
#include <QDir>
#include <QTranslator>

// translations/EnglishTexts.cpp, beside the resources it registers.
void tq5800RegisterEnglishTexts();

namespace {

// Where CMake puts the English .qm files among the program's resources.
const QString kFolder = QStringLiteral(":/tq5800/translations");

// Loaded once, on first use, from any thread; read-only after that.
const std::vector<std::unique_ptr<QTranslator>>& translators()
{
    static const std::vector<std::unique_ptr<QTranslator>> loaded = [] {
        std::vector<std::unique_ptr<QTranslator>> list;
        tq5800RegisterEnglishTexts();
        const QDir folder(kFolder);
        for (const QString& name : folder.entryList({QStringLiteral("tq5800_*_en.qm")}, QDir::Files, QDir::Name)) {
            auto translator = std::make_unique<QTranslator>();
            if (translator->load(folder.filePath(name)))
                list.push_back(std::move(translator));
        }
        return list;
    }();
    return loaded;
}

} // namespace

namespace EnglishTexts {

QString translate(const char* context, const char* source)
{
    for (const std::unique_ptr<QTranslator>& translator : translators()) {
        const QString english = translator->translate(context, source);
        if (!english.isEmpty())
            return english;
    }
    return QString::fromUtf8(source);
}

Installed::Installed()
{
    for (const std::unique_ptr<QTranslator>& translator : translators())
        QCoreApplication::installTranslator(translator.get());
}

Installed::~Installed()
{
    for (const std::unique_ptr<QTranslator>& translator : translators())
        QCoreApplication::removeTranslator(translator.get());
}

} // namespace EnglishTexts
