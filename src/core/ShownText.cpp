#include "core/ShownText.h"

#include <algorithm>
#include <map>

#include <QCoreApplication>

#include "core/EnglishTexts.h"

struct ShownText::Node {
    enum class Kind { Verbatim, Translated, Joined };
    Kind kind = Kind::Verbatim;
    QByteArray context;
    QByteArray source;
    QString words;                  // Verbatim
    std::vector<ShownText> parts;   // Joined
    std::vector<ShownText> arguments;
    bool trimmed = false;
};

namespace {

// The markers %1 .. %99 in order of their numbers, each replaced in one
// pass, so a marker inside an argument stays as it is (QString::arg with
// several arguments does the same).
QString substitute(const QString& pattern, const QStringList& arguments)
{
    struct Marker {
        qsizetype at;
        qsizetype length;
        int number;
    };
    std::vector<Marker> markers;
    for (qsizetype i = 0; i + 1 < pattern.size(); ++i) {
        if (pattern[i] != QLatin1Char('%') || !pattern[i + 1].isDigit())
            continue;
        qsizetype end = i + 1;
        int number = 0;
        while (end < pattern.size() && end < i + 3 && pattern[end].isDigit())
            number = number * 10 + pattern[end++].digitValue();
        if (number > 0)
            markers.push_back({i, end - i, number});
    }
    std::map<int, qsizetype> argumentOf;
    for (const Marker& m : markers)
        argumentOf[m.number] = 0;
    qsizetype next = 0;
    for (auto& [number, index] : argumentOf)
        index = next++;
    QString result;
    qsizetype from = 0;
    for (const Marker& m : markers) {
        const qsizetype index = argumentOf[m.number];
        if (index >= arguments.size())
            continue;
        result += QStringView(pattern).mid(from, m.at - from);
        result += arguments[index];
        from = m.at + m.length;
    }
    result += QStringView(pattern).mid(from);
    return result;
}

} // namespace

ShownText::ShownText(std::shared_ptr<const Node> node)
    : node_(std::move(node))
{
}

ShownText::ShownText(const char* context, const char* source)
    : ShownText(context, QString::fromUtf8(source))
{
}

ShownText::ShownText(const char* context, const QString& source)
{
    auto node = std::make_shared<Node>();
    node->kind = Node::Kind::Translated;
    node->context = context;
    node->source = source.toUtf8();
    node_ = std::move(node);
}

ShownText ShownText::verbatim(const QString& text)
{
    auto node = std::make_shared<Node>();
    node->words = text;
    return ShownText(std::move(node));
}

ShownText ShownText::arg(const ShownText& argument) const
{
    auto node = std::make_shared<Node>(node_ ? *node_ : Node{});
    node->arguments.push_back(argument);
    return ShownText(std::move(node));
}

ShownText ShownText::operator+(const ShownText& next) const
{
    if (isEmpty())
        return next;
    if (next.isEmpty())
        return *this;
    auto node = std::make_shared<Node>();
    node->kind = Node::Kind::Joined;
    node->parts = {*this, next};
    return ShownText(std::move(node));
}

ShownText ShownText::trimmed() const
{
    auto node = std::make_shared<Node>(node_ ? *node_ : Node{});
    node->trimmed = true;
    return ShownText(std::move(node));
}

QString ShownText::shown() const
{
    return render(Language::Shown);
}

QString ShownText::english() const
{
    return render(Language::English);
}

QString ShownText::render(Language language) const
{
    if (!node_)
        return QString();
    QString pattern;
    switch (node_->kind) {
    case Node::Kind::Verbatim:
        pattern = node_->words;
        break;
    case Node::Kind::Translated:
        pattern = language == Language::Shown
                      ? QCoreApplication::translate(node_->context.constData(), node_->source.constData())
                      : EnglishTexts::translate(node_->context.constData(), node_->source.constData());
        break;
    case Node::Kind::Joined:
        for (const ShownText& part : node_->parts)
            pattern += part.render(language);
        break;
    }
    if (!node_->arguments.empty()) {
        QStringList arguments;
        for (const ShownText& argument : node_->arguments)
            arguments << argument.render(language);
        pattern = substitute(pattern, arguments);
    }
    return node_->trimmed ? pattern.trimmed() : pattern;
}

ShownText joinedShownTexts(const std::vector<ShownText>& texts, const ShownText& separator)
{
    ShownText joined;
    for (size_t i = 0; i < texts.size(); ++i)
        joined = i == 0 ? texts[i] : joined + separator + texts[i];
    return joined;
}
