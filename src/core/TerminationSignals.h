#pragma once

#include <QMetaType>
#include <QObject>
#include <QString>

class QSocketNotifier;

// A termination signal as it arrived: which one, and who sent it when
// another process did (kill, systemd, a shell's kill command). A signal
// the kernel raised, as a terminal's Ctrl-C, has no sender.
struct TerminationRequest {
    int signalNumber = 0;
    qint64 senderPid = 0;  // 0 when no process sent it
    QString senderUser;    // the sending process's account; empty when no process sent it

    // "SIGTERM", "SIGINT"; the number for any other.
    QString signalName() const;
};

// Turns SIGTERM and SIGINT into a Qt signal on the thread that created the
// object, so the program can close its port and database in an orderly way
// instead of dying in the middle of a write. One instance per process.
class TerminationSignals : public QObject {
    Q_OBJECT

public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

signals:
    void terminationRequested(const TerminationRequest& request);

private:
    void readSignal();

    QSocketNotifier* notifier_ = nullptr;
};

Q_DECLARE_METATYPE(TerminationRequest)
