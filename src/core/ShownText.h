#pragma once

#include <concepts>
#include <memory>
#include <vector>

#include <QByteArray>
#include <QString>

// A message for people that the log repeats: the translation system's
// context and Chinese source with its arguments, put into words twice: in
// the interface's language for the screen (shown), in English for the log
// (english), so the log reads the same whatever language the operator
// chose. Arguments are themselves such texts, or words that read the same
// in every language (paths, numbers, the link's and Qt's own English).
class ShownText {
public:
    ShownText() = default;
    // A text of the translation system, marked where it is written with
    // QT_TRANSLATE_NOOP (or tr() in a class of that name).
    ShownText(const char* context, const char* source);
    // A Chinese text kept as data (a caption a write carries), translated
    // in its context where it is shown.
    ShownText(const char* context, const QString& source);
    // Words that read the same in every language.
    static ShownText verbatim(const QString& text);

    // As QString::arg: the lowest-numbered %n marker left takes it.
    ShownText arg(const ShownText& argument) const;
    ShownText arg(const QString& argument) const { return arg(verbatim(argument)); }
    template <std::integral Number>
    ShownText arg(Number number) const
    {
        return arg(QString::number(number));
    }
    // The two one after the other.
    ShownText operator+(const ShownText& next) const;
    // Without the blanks around it in either language (list items end in one).
    ShownText trimmed() const;

    // In the interface's language: the translators the application installed.
    QString shown() const;
    // In English, whatever translators are installed.
    QString english() const;
    bool isEmpty() const { return !node_; }

private:
    enum class Language { Shown, English };
    struct Node;
    explicit ShownText(std::shared_ptr<const Node> node);
    QString render(Language language) const;

    std::shared_ptr<const Node> node_;
};

// Joins texts with a separator that is itself translated ("；" / "; ").
ShownText joinedShownTexts(const std::vector<ShownText>& texts, const ShownText& separator);
