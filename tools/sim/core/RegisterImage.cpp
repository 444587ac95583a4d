#include "RegisterImage.h"

#include <algorithm>
#include <cmath>

namespace tqsim {

RegisterImage::RegisterImage()
    : coils_(kBits, 0)
    , discretes_(kBits, 0)
    , inputs_(kInputRegisters, 0)
    , holdings_(kHoldingRegisters, 0)
{
}

int RegisterImage::size(Table table)
{
    switch (table) {
    case Table::Coil:
    case Table::DiscreteInput:
        return kBits;
    case Table::InputRegister:
        return kInputRegisters;
    case Table::HoldingRegister:
        return kHoldingRegisters;
    }
    return 0;
}

bool RegisterImage::contains(Table table, int number)
{
    return number >= 1 && number <= size(table);
}

bool RegisterImage::isBitTable(Table table)
{
    return table == Table::Coil || table == Table::DiscreteInput;
}

int RegisterImage::value(Table table, int number) const
{
    if (!contains(table, number))
        return 0;
    const auto i = static_cast<size_t>(number - 1);
    switch (table) {
    case Table::Coil:
        return coils_[i] != 0 ? 1 : 0;
    case Table::DiscreteInput:
        return discretes_[i] != 0 ? 1 : 0;
    case Table::InputRegister:
        return static_cast<int16_t>(inputs_[i]);
    case Table::HoldingRegister:
        return static_cast<int16_t>(holdings_[i]);
    }
    return 0;
}

void RegisterImage::setValue(Table table, int number, int v)
{
    if (!contains(table, number))
        return;
    const auto i = static_cast<size_t>(number - 1);
    const auto word = static_cast<uint16_t>(v);
    switch (table) {
    case Table::Coil:
        coils_[i] = v != 0 ? 1 : 0;
        break;
    case Table::DiscreteInput:
        discretes_[i] = v != 0 ? 1 : 0;
        break;
    case Table::InputRegister:
        inputs_[i] = word;
        break;
    case Table::HoldingRegister:
        holdings_[i] = word;
        break;
    }
}

int16_t toRegister(double value)
{
    if (std::isnan(value))
        return 0;
    const double rounded = std::nearbyint(std::clamp(value, -32768.0, 32767.0));
    return static_cast<int16_t>(rounded);
}

} // namespace tqsim
