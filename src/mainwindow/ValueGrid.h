#pragma once

#include <vector>

#include <QStringList>
#include <QWidget>

#include "widgets/PanelField.h"

// Rows of caption and value field, filled column by column: the
// instrument's parameters.
class ValueGrid : public QWidget {
public:
    ValueGrid(const QStringList& captions, int columns, const QColor& background, QWidget* parent = nullptr);

    int count() const { return static_cast<int>(fields_.size()); }
    // Empty for an index outside the grid.
    PanelField* field(int index) const;
    void setValue(int index, const QString& text);

private:
    std::vector<PanelField*> fields_;
};
