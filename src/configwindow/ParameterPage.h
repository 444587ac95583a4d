#pragma once

#include <vector>

#include <QScrollArea>

#include "instrument/ParameterCatalogue.h"

class ParameterRowView;

// One tab page of the configuration window: a header and the rows of the
// catalogue that belong to the page, top to bottom in catalogue order, in
// a grid whose columns line up with those of every other page.
class ParameterPage : public QScrollArea {
public:
    ParameterPage(ParameterCatalogue::Page page, QWidget* parent = nullptr);

    const std::vector<ParameterRowView*>& rows() const { return rows_; }

private:
    std::vector<ParameterRowView*> rows_;
};
