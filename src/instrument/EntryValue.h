#pragma once

#include <cstdint>
#include <optional>

#include <QString>
#include <QStringView>

#include "core/ShownText.h"
#include "instrument/ParameterCatalogue.h"

// Why an entry writes nothing. The instrument would otherwise get a 0 for
// a blank or mistyped box, or a value cut down to 16 bits.
enum class EntryProblem {
    Empty,       // nothing but blanks
    NotANumber,  // does not begin with a number
    OutOfRange,  // the value to write does not fit a signed 16-bit register
    OutsideParameterRange,  // a number outside its parameter's range (the catalogue's)
    NotAChoice,  // a number that is not the code of one of the list's items
};

// The value an entry text writes to its parameter's register, or the
// reason it writes nothing.
struct EntryValue {
    int32_t value = 0;
    std::optional<EntryProblem> problem;

    bool writable() const { return !problem; }
};

// A choice writes its leading number rounded; an integer box the entered
// number narrowed to single precision and rounded; a tenths box ten times
// the entered number, then the same. Rounding goes half to even.
EntryValue entryValue(ParameterCatalogue::ValueForm form, QStringView text);

// The same for the parameter's entry; a choice writes only the code of one
// of its items, a number only one within the parameter's range.
EntryValue entryValue(const ParameterCatalogue::Parameter& parameter, QStringView text);

// The same rules for a number already read (from a parameter set file):
// what the entry would write had the operator typed it.
EntryValue entryValue(ParameterCatalogue::ValueForm form, double number);
EntryValue entryValue(const ParameterCatalogue::Parameter& parameter, double number);

// A few words for the status line and the marked field's tooltip; as a
// ShownText also in English, for the log.
ShownText problemWords(EntryProblem problem);
QString problemText(EntryProblem problem);
// The same for the parameter's entry, naming its range where that was broken.
ShownText problemWords(const ParameterCatalogue::Parameter& parameter, EntryProblem problem);
QString problemText(const ParameterCatalogue::Parameter& parameter, EntryProblem problem);
