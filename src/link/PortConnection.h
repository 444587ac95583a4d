#pragma once

#include <QObject>
#include <QString>

class InstrumentLink;
class Poller;
struct ProcessImage;

// What the operator chose in the link settings: the texts of the port and
// address lists and the indexes of the chosen baud and parity buttons
// (-1 when none is chosen, which leaves the stored code as it was).
struct LinkChoices {
    QString portText = QStringLiteral("1 ");
    int baudIndex = 1;
    int parityIndex = 0;
    QString addressText = QStringLiteral("1 ");
};

// Opening and closing the link: the settings go into linkSettings, the port
// is opened on the link thread and the poll starts; closing reverses it.
// The window hides and shows its settings frames around these calls.
class PortConnection : public QObject {
    Q_OBJECT

public:
    PortConnection(ProcessImage& image, InstrumentLink& link, Poller& poll, QObject* parent = nullptr);

    void open(const LinkChoices& choices);
    void close();
    bool isOpen() const;

signals:
    // After the port call was queued and before the poll starts: the window
    // enables the commands that need the instrument here.
    void opened();
    void closed();

private:
    ProcessImage& image_;
    InstrumentLink& link_;
    Poller& poll_;
};
