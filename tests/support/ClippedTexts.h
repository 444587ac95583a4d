#pragma once

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QComboBox>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionComboBox>

#include "widgets/ElidedLabel.h"

// The fixed texts of a shown window that do not fit their widgets: labels,
// buttons, check and radio boxes, combo boxes, placeholders and column
// headers. One line per clipped text, naming it with the room it needs and
// the room it has; empty when all fit. Elided labels shorten on purpose and
// are left out.
namespace ClippedTexts {

inline QString line(const QString& kind, const QString& text, int need, int room)
{
    return QStringLiteral("%1 \"%2\": needs %3 px, has %4").arg(kind, text).arg(need).arg(room);
}

inline QStringList in(const QWidget& window)
{
    QStringList clipped;
    auto check = [&](const QWidget* widget, const QString& kind, const QString& text, int need, int room) {
        if (widget->isVisible() && !text.isEmpty() && need > room)
            clipped << line(kind, text, need, room);
    };
    for (const QLabel* label : window.findChildren<QLabel*>()) {
        if (dynamic_cast<const ElidedLabel*>(label) || label->wordWrap())
            continue;
        check(label, QStringLiteral("label"), label->text(), label->fontMetrics().horizontalAdvance(label->text()),
              label->contentsRect().width() - 2 * label->margin());
    }
    // A button's size hint is its text plus the style's frame, indicator and padding.
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>())
        check(button, QStringLiteral("button"), button->text(), button->sizeHint().width(), button->width());
    // Every choice of a combo box, against the field left of its arrow.
    for (const QComboBox* box : window.findChildren<QComboBox*>()) {
        QStyleOptionComboBox option;
        option.initFrom(box);
        option.editable = box->isEditable();
        option.frame = box->hasFrame();
        const QRect field =
            box->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, box);
        for (int i = 0; i < box->count(); ++i)
            check(box, QStringLiteral("choice"), box->itemText(i),
                  box->fontMetrics().horizontalAdvance(box->itemText(i)), field.width());
    }
    for (const QLineEdit* field : window.findChildren<QLineEdit*>()) {
        // Frame and the text's side margins; a clear button keeps its place.
        const int frame = 2 * field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 4;
        const int clearButton = field->isClearButtonEnabled() ? field->height() : 0;
        check(field, QStringLiteral("placeholder"), field->placeholderText(),
              field->fontMetrics().horizontalAdvance(field->placeholderText()),
              field->width() - frame - clearButton);
    }
    for (const QHeaderView* header : window.findChildren<QHeaderView*>()) {
        if (header->orientation() != Qt::Horizontal || !header->model())
            continue;
        const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
        for (int section = 0; section < header->count(); ++section) {
            if (header->isSectionHidden(section))
                continue;
            const QString text = header->model()->headerData(section, Qt::Horizontal).toString();
            check(header, QStringLiteral("header"), text, header->fontMetrics().horizontalAdvance(text) + 2 * margin,
                  header->sectionSize(section));
        }
    }
    return clipped;
}

} // namespace ClippedTexts
