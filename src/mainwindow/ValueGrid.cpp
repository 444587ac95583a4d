#include "mainwindow/ValueGrid.h"

#include <QGridLayout>
#include <QLabel>

ValueGrid::ValueGrid(const QStringList& captions, int columns, const QColor& background, QWidget* parent)
    : QWidget(parent)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(3);
    const int rows = (static_cast<int>(captions.size()) + columns - 1) / columns;
    for (int i = 0; i < captions.size(); ++i) {
        const int row = i % rows;
        const int column = 2 * (i / rows);
        auto* caption = new QLabel(captions[i], this);
        caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* field = new PanelField(background, this);
        caption->setBuddy(field);
        grid->addWidget(caption, row, column);
        grid->addWidget(field, row, column + 1);
        fields_.push_back(field);
    }
    // Spare width spreads the columns apart; a field grows only so far
    // that its caption still reads as its own.
    for (PanelField* field : fields_) {
        field->setMaximumWidth(field->sizeHint().width() * 2);
        grid->setAlignment(field, Qt::AlignLeft);
    }
    for (int c = 0; c < columns; ++c)
        grid->setColumnStretch(2 * c + 1, 1);
    grid->setRowStretch(rows, 1);
}

PanelField* ValueGrid::field(int index) const
{
    if (index < 0 || index >= count())
        return nullptr;
    return fields_[static_cast<size_t>(index)];
}

void ValueGrid::setValue(int index, const QString& text)
{
    if (PanelField* f = field(index))
        f->setCaption(text);
}
