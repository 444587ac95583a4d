#pragma once

#include <QObject>
#include <QString>

#include "link/LinkSettings.h"

class InstrumentLink;
class Poller;

// What the operator chose in the link settings: the texts of the port and
// address lists and the indexes of the chosen baud and parity buttons
// (-1 when none is chosen, which keeps the code of the last open).
struct LinkChoices {
    QString portText = QStringLiteral("1 ");
    int baudIndex = 1;
    int parityIndex = 0;
    QString addressText = QStringLiteral("1 ");

    // The settings these choices make of the last ones: a list text counts
    // by its leading number, and one that does not fit keeps its setting.
    LinkSettings appliedTo(LinkSettings settings) const;
};

// Opening and closing the link: the port is opened on the link thread and
// the poll starts; closing reverses it. The window hides and shows its
// settings frames around these calls.
class PortConnection : public QObject {
    Q_OBJECT

public:
    PortConnection(InstrumentLink& link, Poller& poll, QObject* parent = nullptr);

    void open(const LinkChoices& choices);
    void open(const LinkSettings& settings);
    void close();
    bool isOpen() const;

signals:
    // After the port call was queued and before the poll starts: the window
    // enables the commands that need the instrument here.
    void opened();
    void closed();

private:
    InstrumentLink& link_;
    Poller& poll_;
};
