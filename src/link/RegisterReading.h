#pragma once

#include <cstdint>
#include <vector>

#include <QMetaType>
#include <QObject>
#include <QPointer>
#include <QString>

#include "link/LinkFailure.h"

// One read of consecutive holding registers asked for outside the poll
// (a parameter set read fresh from the instrument, a written value read
// back), and how it went. The values are meaningless when it failed.
struct RegisterReading {
    int start = 0;  // first 1-based register number
    int count = 0;
    QPointer<QObject> asker;  // empty once the asker is gone
    bool ok = false;
    QString error;  // the link's English reason
    LinkFailure failure;
    std::vector<int16_t> values;  // count values when ok
};

Q_DECLARE_METATYPE(RegisterReading)
