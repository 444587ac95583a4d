#pragma once

#include <span>
#include <string_view>

#include <QString>

#include "instrument/RegisterMap.h"

// The instrument's configuration parameters as one table: what the
// configuration window shows, how each parameter is entered and written,
// and how its current value is named. The configuration window builds its
// rows from this table. (The main window's short parameter captions and the
// poll's list of parameters kept in tenths are its own.)
namespace ParameterCatalogue {

enum class Page { Input, Output, Alarms, Communication, Retransmission };
inline constexpr int kPageCount = 5;

enum class ValueForm {
    Choice,   // the code of the chosen item: its position, also its leading number
    Integer,  // the entered number, rounded
    Tenths,   // ten times the entered number, rounded; the poll divides it back
};

inline constexpr int kFirstNumber = RegisterMap::kFirstParameter;
inline constexpr int kLastNumber = RegisterMap::kLastParameter;

struct Parameter {
    int number;
    int registerAddress;
    Page page;
    std::string_view caption;
    ValueForm form;
    std::string_view help;
    // List items in code order; empty for a number.
    std::span<const std::string_view> choices;
    // What the current-value column shows for each code, in code order.
    // Not the list items: no code prefix, and spelt differently in places.
    std::span<const std::string_view> names;
    // A number's range as entered (tenths with their decimal), the help
    // text's; a choice is bounded by its list instead.
    double low = 0;
    double high = 0;

    bool isChoice() const { return form == ValueForm::Choice; }
    bool admits(double number) const { return isChoice() || (number >= low && number <= high); }
};

// Every row, page by page and top to bottom within a page.
std::span<const Parameter> parameters();

// The row of parameter n; nullptr for 8 and 21 (no row) and outside 1..37.
const Parameter* find(int number);

// The tab caption of a page, in the interface language.
QString pageCaption(Page page);

// A catalogue text as stored (parameter files, the journal): the Chinese
// source text, whatever the interface language.
inline QString text(std::string_view s)
{
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// A catalogue text as the operator reads it, in the interface language.
QString shown(std::string_view s);
// The same for a caption taken from a stored text (a write request, a set).
QString shown(const QString& storedText);

} // namespace ParameterCatalogue
