// tq5800-lock-holder PATH: another program holding the write lock of the
// SQLite file at PATH. Takes an exclusive transaction, prints "locked", and
// releases it (rollback, nothing changed) when a line arrives on standard
// input or the input ends.
#include <cstdio>
#include <iostream>
#include <string>

#include <QCoreApplication>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: tq5800-lock-holder PATH\n");
        return 2;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    db.setDatabaseName(QString::fromLocal8Bit(argv[1]));
    if (!db.open()) {
        std::fprintf(stderr, "%s\n", qPrintable(db.lastError().text()));
        return 1;
    }
    QSqlQuery lock(db);
    if (!lock.exec(QStringLiteral("begin exclusive"))) {
        std::fprintf(stderr, "%s\n", qPrintable(lock.lastError().text()));
        return 1;
    }
    std::cout << "locked" << std::endl;
    std::string line;
    std::getline(std::cin, line);
    lock.exec(QStringLiteral("rollback"));
    return 0;
}
