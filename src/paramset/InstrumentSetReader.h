#pragma once

#include <optional>

#include <QObject>
#include <QString>

#include "core/ShownText.h"
#include "link/RegisterReading.h"
#include "paramset/ParameterSet.h"

class InstrumentLink;

// What a fresh read came to: the whole set, or which read failed.
struct SetReading {
    std::optional<ParameterSet> set;
    QString problem;
    ShownText problemWords;  // the same, for the log's English
};

// Reads every register of a set from the instrument through the link, not
// the values the poll last showed: a set is only what the instrument holds
// now. One failed read refuses the whole set.
class InstrumentSetReader : public QObject {
    Q_OBJECT

public:
    explicit InstrumentSetReader(InstrumentLink& link, QObject* parent = nullptr);

    // Ignored while a read is running.
    void start();
    bool busy() const { return busy_; }

signals:
    void finished(const SetReading& reading);

private:
    void onRegistersRead(const RegisterReading& reading);
    void readNext();

    InstrumentLink& link_;
    bool busy_ = false;
    int nextRead_ = 0;
    ParameterSet set_;
};

Q_DECLARE_METATYPE(SetReading)
