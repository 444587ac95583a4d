// tq5800-station-lock-holder PATH: another process holding the station lock
// at PATH. Prints "taken" once it holds it (or "held" / "failed" and exits
// 1) and keeps it until a line arrives on standard input or the input ends.
#include <iostream>
#include <string>

#include <QCoreApplication>

#include "core/StationLock.h"

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::cerr << "usage: tq5800-station-lock-holder PATH\n";
        return 2;
    }
    StationLock lock(QString::fromLocal8Bit(argv[1]));
    switch (lock.take()) {
    case StationLock::Outcome::Taken: break;
    case StationLock::Outcome::Held: std::cout << "held" << std::endl; return 1;
    case StationLock::Outcome::Failed: std::cout << "failed" << std::endl; return 1;
    }
    std::cout << "taken" << std::endl;
    std::string line;
    std::getline(std::cin, line);
    return 0;
}
