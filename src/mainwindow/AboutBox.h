#pragma once

#include <QString>

class QWidget;
class StationCore;

// What the station is and which files it works with: the version a
// technician quotes when reporting a fault, and where to look for the data.
namespace AboutBox {

// The text the box shows, in the interface's language.
QString text(StationCore& core);

// Shows the box over parent without blocking it: the chart and the
// recorder go on while it is open.
void show(StationCore& core, QWidget* parent);

} // namespace AboutBox
