#include "app/AutostartEntry.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace AutostartEntry {

namespace {

// Characters that make an argument need quotes in an Exec key.
bool isReserved(QChar c)
{
    return QStringLiteral(" \t\n\"'\\><~|&;$*?#()`").contains(c);
}

QString quoted(const QString& argument)
{
    const bool needsQuotes = argument.isEmpty() || std::any_of(argument.begin(), argument.end(), isReserved);
    QString result;
    for (const QChar c : argument) {
        if (c == QLatin1Char('%'))
            result += QLatin1Char('%');  // a literal "%", not a field code
        else if (needsQuotes && QStringLiteral("\"`$\\").contains(c))
            result += QLatin1Char('\\');
        result += c;
    }
    return needsQuotes ? QLatin1Char('"') + result + QLatin1Char('"') : result;
}

// The escapes of a desktop entry's string value, applied over the quoting.
QString escapedValue(const QString& value)
{
    QString result;
    for (const QChar c : value) {
        switch (c.unicode()) {
        case '\\': result += QStringLiteral("\\\\"); break;
        case '\n': result += QStringLiteral("\\n"); break;
        case '\t': result += QStringLiteral("\\t"); break;
        case '\r': result += QStringLiteral("\\r"); break;
        default: result += c;
        }
    }
    return result;
}

} // namespace

QString path()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/autostart/tq5800-station.desktop");
}

QString execLine(const QString& program, const QStringList& arguments)
{
    QStringList words{quoted(program)};
    for (const QString& argument : arguments)
        words << quoted(argument);
    return escapedValue(words.join(QLatin1Char(' ')));
}

QString text(const QString& program, const QStringList& arguments)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=TQ5800 过程控制仪表\n"
                          "Comment=登录后启动 TQ5800 操作站\n"
                          "Icon=tq5800-station\n"
                          "Exec=%1\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(execLine(program, arguments));
}

bool install(const QString& program, const QStringList& arguments, QString& message)
{
    const QString file = path();
    if (!QDir().mkpath(QFileInfo(file).absolutePath())) {
        message = QStringLiteral("cannot create the folder %1").arg(QFileInfo(file).absolutePath());
        return false;
    }
    QSaveFile entry(file);
    if (!entry.open(QIODevice::WriteOnly) || entry.write(text(program, arguments).toUtf8()) < 0 || !entry.commit()) {
        message = QStringLiteral("cannot write %1: %2").arg(file, entry.errorString());
        return false;
    }
    message = QStringLiteral("autostart entry written: %1\nExec=%2").arg(file, execLine(program, arguments));
    return true;
}

bool remove(QString& message)
{
    const QString file = path();
    if (!QFileInfo::exists(file)) {
        message = QStringLiteral("no autostart entry at %1").arg(file);
        return true;
    }
    QFile entry(file);
    if (!entry.remove()) {
        message = QStringLiteral("cannot remove %1: %2").arg(file, entry.errorString());
        return false;
    }
    message = QStringLiteral("autostart entry removed: %1").arg(file);
    return true;
}

} // namespace AutostartEntry
