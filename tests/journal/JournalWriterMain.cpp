// tq5800-journal-writer PATH: appends events to the journal at PATH as fast
// as it can and prints "<id> <n>" on standard output once each is in the
// file. The crash test kills it with SIGKILL somewhere in the middle.
#include <cstdio>
#include <string>

#include <unistd.h>

#include <QCoreApplication>

#include "core/Clock.h"
#include "journal/JournalStore.h"

namespace {

void say(const std::string& line)
{
    // write(2), not stdio: nothing reported may sit in a buffer the kill drops.
    const std::string text = line + "\n";
    if (::write(STDOUT_FILENO, text.data(), text.size()) < 0)
        _exit(3);
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tq5800-journal-writer PATH\n");
        return 2;
    }
    SystemClock clock;
    JournalStore store(QString::fromLocal8Bit(argv[1]), clock);
    QObject::connect(&store, &JournalStore::appended, [](const JournalEvent& event) {
        say(std::to_string(event.id) + " " + event.what.toStdString());
    });
    store.open();
    for (long n = 1;; ++n) {
        JournalEvent event;
        event.kind = JournalEvent::Kind::Write;
        event.what = QString::number(n);
        event.text = QStringLiteral("写入 %1").arg(n);
        store.append(event);
        if (!store.writing()) {
            say("failing " + store.failure().toStdString());
            return 1;
        }
    }
}
