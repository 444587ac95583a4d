#pragma once

#include <QMetaType>
#include <QObject>
#include <QPointer>
#include <QString>

#include "link/LinkFailure.h"

// One write the operator asked for: a holding register's new value or a
// coil switched on or off, named as the operator knows it (a caption or a
// command), and who asked, so that the outcome finds its way back. What the
// window showed before, what the operator typed and which window it was
// travel along for the journal.
struct WriteRequest {
    enum class Target { Register, Coil };

    Target target = Target::Register;
    int address = 0;  // 1-based register or coil number
    int value = 0;    // the register's new value
    bool on = false;  // the coil's new state
    QString what;
    QPointer<QObject> asker;  // empty once the asker is gone
    QString shownBefore;      // the value the window showed; empty when none
    QString shownValue;       // the new value as the operator typed or chose it
    QString origin;           // the window or tab it came from: a WriteOrigin code

    static WriteRequest toRegister(int registerNumber, int value, const QString& what, QObject* asker)
    {
        return {Target::Register, registerNumber, value, false, what, asker, {}, {}, {}};
    }

    static WriteRequest toCoil(int coil, bool on, const QString& what, QObject* asker)
    {
        return {Target::Coil, coil, 0, on, what, asker, {}, {}, {}};
    }
};

// Where an operator's write came from, as the journal stores it: codes that
// read the same in every language; readers name the window in theirs.
namespace WriteOrigin {
inline const QString kMainWindow = QStringLiteral("main window");
inline const QString kAlarmSetPoints = QStringLiteral("alarm set points");
inline const QString kConfiguration = QStringLiteral("configuration");
inline const QString kParameterDownload = QStringLiteral("parameter download");
} // namespace WriteOrigin

// How a write went, with the request it answers.
struct WriteOutcome {
    WriteRequest request;
    bool ok = false;
    int attempts = 0;  // 2 when a failed register write was repeated
    QString error;  // the link's English reason
    LinkFailure failure;
};

Q_DECLARE_METATYPE(WriteOutcome)
