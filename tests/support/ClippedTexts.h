#pragma once

#include <algorithm>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>
#include <QStyle>
#include <QStyleOption>
#include <QTabBar>

#include "widgets/ElidedLabel.h"

// The texts under root, shown now, that are wider than the room their
// widget gives them: labels, buttons, group titles, tabs, combo boxes and
// table headers, each measured in its own widget's font. Labels that elide
// on purpose (ElidedLabel: the whole text is in the tooltip) and labels that
// wrap are left out. One line per clipped text, saying how much is missing.
namespace ClippedTexts {

inline int widestLine(const QFontMetrics& metrics, const QString& text)
{
    int widest = 0;
    for (const QString& line : text.split(QLatin1Char('\n')))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

inline QString describe(const QWidget* widget, const QString& text, int needed, int room)
{
    return QStringLiteral("%1 \"%2\": needs %3 px, has %4")
        .arg(QString::fromLatin1(widget->metaObject()->className()), text)
        .arg(needed)
        .arg(room);
}

inline void checkButton(const QAbstractButton* button, QStringList& clipped)
{
    QStyle::SubElement contents = QStyle::SE_PushButtonContents;
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    if (qobject_cast<const QRadioButton*>(button))
        contents = QStyle::SE_RadioButtonContents;
    else if (qobject_cast<const QCheckBox*>(button))
        contents = QStyle::SE_CheckBoxContents;
    else if (!qobject_cast<const QPushButton*>(button))
        return;
    const int room = button->style()->subElementRect(contents, &option, button).width();
    const int needed = widestLine(button->fontMetrics(), button->text());
    if (needed > room)
        clipped << describe(button, button->text(), needed, room);
}

inline void checkTabs(const QTabBar* tabs, QStringList& clipped)
{
    for (int i = 0; i < tabs->count(); ++i) {
        const int needed = tabs->fontMetrics().horizontalAdvance(tabs->tabText(i));
        const int room = tabs->tabRect(i).width();
        if (needed > room)
            clipped << describe(tabs, tabs->tabText(i), needed, room);
    }
}

inline void checkHeader(const QHeaderView* header, QStringList& clipped)
{
    if (!header->model())
        return;
    const int margin = 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    for (int i = 0; i < header->count(); ++i) {
        if (header->isSectionHidden(i))
            continue;
        const QString text = header->model()->headerData(i, header->orientation()).toString();
        const int needed = widestLine(header->fontMetrics(), text) + margin;
        if (needed > header->sectionSize(i))
            clipped << describe(header, text, needed, header->sectionSize(i));
    }
}

inline QStringList of(const QWidget* root)
{
    QStringList clipped;
    QList<const QWidget*> widgets{root};
    for (const QWidget* child : root->findChildren<const QWidget*>())
        widgets << child;
    for (const QWidget* widget : widgets) {
        if (!widget->isVisible())
            continue;
        if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            if (dynamic_cast<const ElidedLabel*>(label) || label->wordWrap() || label->text().isEmpty())
                continue;
            const int room = label->contentsRect().width() - 2 * label->margin();
            const int needed = widestLine(label->fontMetrics(), label->text());
            if (needed > room)
                clipped << describe(label, label->text(), needed, room);
        } else if (const auto* button = qobject_cast<const QAbstractButton*>(widget)) {
            checkButton(button, clipped);
        } else if (const auto* group = qobject_cast<const QGroupBox*>(widget)) {
            const int needed = group->fontMetrics().horizontalAdvance(group->title());
            if (needed > group->contentsRect().width())
                clipped << describe(group, group->title(), needed, group->contentsRect().width());
        } else if (const auto* tabs = qobject_cast<const QTabBar*>(widget)) {
            checkTabs(tabs, clipped);
        } else if (const auto* header = qobject_cast<const QHeaderView*>(widget)) {
            checkHeader(header, clipped);
        } else if (const auto* combo = qobject_cast<const QComboBox*>(widget)) {
            QStyleOptionComboBox option;
            option.initFrom(combo);
            option.editable = combo->isEditable();
            const int room = combo->style()
                                 ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, combo)
                                 .width();
            const int needed = combo->fontMetrics().horizontalAdvance(combo->currentText());
            if (needed > room)
                clipped << describe(combo, combo->currentText(), needed, room);
        }
    }
    return clipped;
}

} // namespace ClippedTexts
