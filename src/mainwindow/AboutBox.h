#pragma once

#include <QString>

class QWidget;
class StationCore;
struct ZoomGeometry;

// What the station is and which files it works with: the version a
// technician quotes when reporting a fault, and where to look for the data;
// and the chart's internal measures at the zoom level shown, which mean
// nothing to an operator and so have no place on his screen.
namespace AboutBox {

// The text the box shows, in the interface's language.
QString text(StationCore& core, const ZoomGeometry& zoom);

// Shows the box over parent without blocking it: the chart and the
// recorder go on while it is open.
void show(StationCore& core, const ZoomGeometry& zoom, QWidget* parent);

} // namespace AboutBox
