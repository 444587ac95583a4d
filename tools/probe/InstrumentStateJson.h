#pragma once

#include <QJsonObject>

class LinkHealth;
class InstrumentState;

// The instrument state and the link health as one JSON object. The keys and
// their shapes are fixed: field technicians' scripts read them.
QJsonObject instrumentStateJson(const InstrumentState& state, const LinkHealth& health);
QJsonObject linkHealthJson(const LinkHealth& health);
