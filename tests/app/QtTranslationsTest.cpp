// Qt's own dialogs speak the interface language: their buttons come from
// Qt's translation, which Translations installs for Chinese as for English,
// while Qt's error texts (files, databases) stay English for the log.
#include <QAbstractButton>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

#include <gtest/gtest.h>

#include "app/Translations.h"

namespace {

bool hasChinese(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() >= 0x4E00 && c.unicode() <= 0x9FFF; });
}

QStringList buttonTexts(const QWidget& dialog)
{
    QStringList texts;
    for (const QDialogButtonBox* box : dialog.findChildren<QDialogButtonBox*>()) {
        for (const QAbstractButton* button : box->buttons())
            texts << button->text();
    }
    return texts;
}

// Every button of the dialog in the language, and there are some.
void expectButtonsIn(const QWidget& dialog, bool chinese, const char* which)
{
    const QStringList texts = buttonTexts(dialog);
    EXPECT_FALSE(texts.isEmpty()) << which;
    for (const QString& text : texts)
        EXPECT_EQ(hasChinese(text), chinese) << which << ": " << text.toStdString();
}

class QtTranslationsTest : public ::testing::TestWithParam<const char*> {
protected:
    bool chinese() const { return QLatin1String(GetParam()) == QLatin1String("zh"); }
};

TEST_P(QtTranslationsTest, fileAndPrintDialogsAndMessageBoxButtonsSpeakTheInterfaceLanguage)
{
    const Translations translations(QString::fromLatin1(GetParam()));
    if (chinese()) {
        ASSERT_FALSE(translations.qtFile().isEmpty()) << "qtbase_zh_CN.qm missing: install qt6-translations-l10n";
    }

    QFileDialog files;
    files.setOption(QFileDialog::DontUseNativeDialog);
    files.setAcceptMode(QFileDialog::AcceptSave);
    files.show();
    expectButtonsIn(files, chinese(), "file dialog");

    QPrinter printer;
    QPrintDialog print(&printer);
    print.show();
    expectButtonsIn(print, chinese(), "print dialog");

    QMessageBox about(QMessageBox::Information, QStringLiteral("tq5800"), QStringLiteral("0.1.0"), QMessageBox::Close);
    about.show();
    expectButtonsIn(about, chinese(), "message box");
}

INSTANTIATE_TEST_SUITE_P(Languages, QtTranslationsTest, ::testing::Values("zh", "en"),
                         [](const auto& info) { return std::string(info.param); });

TEST(QtTranslations, qtErrorTextsStayEnglishInChineseForTheLog)
{
    const Translations translations(QStringLiteral("zh"));
    ASSERT_FALSE(translations.qtFile().isEmpty()) << "qtbase_zh_CN.qm missing: install qt6-translations-l10n";
    EXPECT_TRUE(hasChinese(QCoreApplication::translate("QPlatformTheme", "Cancel")));
    EXPECT_EQ(QCoreApplication::translate("QSQLiteDriver", "Error opening database"),
              QStringLiteral("Error opening database"));
    EXPECT_EQ(QCoreApplication::translate("QSaveFile", "Writing canceled by application"),
              QStringLiteral("Writing canceled by application"));
}

} // namespace
