#pragma once

#include <optional>

#include <QString>

#include "paramset/ParameterSet.h"

class QPagedPaintDevice;

// The parameter sheet: a set as a printed table (number, caption, register,
// value with its decimals and unit, the item of a choice) under a heading
// that names the instrument, the time read and where the values came from.
// Runs over as many pages as the rows need. Fonts are sized in device
// pixels from the page's height, so it reads the same at any resolution.
namespace ParameterSheet {

// The heading's source for values read from the instrument, or from a file.
QString instrumentSource();
QString fileSource(const QString& path);

// Paints the sheet onto the device's pages (a printer, a PDF writer);
// false when the device cannot be painted on.
bool paint(QPagedPaintDevice& device, const ParameterSet& set, const QString& source);

// An A4 PDF at 300 dpi, written whole or not at all: the problem when not.
std::optional<QString> writePdf(const ParameterSet& set, const QString& source, const QString& path);

} // namespace ParameterSheet
