#include <csignal>
#include <functional>
#include <string>
#include <vector>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "core/StationLock.h"
#include "support/SimProcess.h"

namespace {

// The instrument the set is loaded into differs from the one it was saved
// from in three places: the input's upper limit, the proportional band and
// alarm 1's set value.
const std::vector<std::string> kThreeChanges{"--frozen", "--set", "4x:4099=4000", "--set", "4x:4108=35",
                                             "--set", "4x:257=120"};

QStringList lines(const std::string& output)
{
    return QString::fromStdString(output).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
}

// The registers the probe names at the start of its lines after prefix.
QStringList registersAfter(const std::string& output, const QString& prefix)
{
    QStringList registers;
    for (const QString& line : lines(output)) {
        if (line.startsWith(prefix))
            registers.append(line.mid(prefix.size()).section(QLatin1Char(' '), 0, 0));
    }
    return registers;
}

struct ProbeRun {
    int exitCode = -1;
    std::string output;
    QString errors;
};

ProbeRun run(const char* program, const QStringList& arguments)
{
    QProcess process;
    process.start(QString::fromUtf8(program), arguments);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput().toStdString(), QString::fromUtf8(process.readAllStandardError())};
}

ProbeRun probe(const SimProcess& sim, const std::vector<std::string>& args)
{
    QStringList arguments{QStringLiteral("--device"), QString::fromStdString(sim.devicePath())};
    for (const std::string& arg : args)
        arguments.append(QString::fromStdString(arg));
    return run(TQ5800_PROBE_PATH, arguments);
}

// The journal's write events as tq5800-journal's CSV has them, oldest
// first: subject, old value, new value, outcome and origin.
QStringList journaledWrites(const QString& journal)
{
    const ProbeRun csv = run(TQ5800_JOURNAL_TOOL_PATH, {QStringLiteral("--journal"), journal, QStringLiteral("--kind"),
                                                         QStringLiteral("write"), QStringLiteral("--csv"),
                                                         QStringLiteral("--lang"), QStringLiteral("en")});
    EXPECT_EQ(csv.exitCode, 0) << csv.errors.toStdString();
    QStringList writes;
    for (const QString& line : lines(csv.output).mid(1)) {
        const QStringList f = line.trimmed().split(QLatin1Char(','));
        if (f.size() == 13)
            writes.prepend(QStringList{f[5], f[6], f[7], f[8], f[12]}.join(QLatin1Char('|')));
    }
    return writes;
}

class ParameterSetsOnSim : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        SimProcess original({"--frozen"});
        ASSERT_TRUE(original.started());
        const ProbeRun saved = probe(original, {"--save-parameters", savedPath()});
        ASSERT_EQ(saved.exitCode, 0) << saved.output;
        QFile file(QString::fromStdString(savedPath()));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
        EXPECT_EQ(root.value(QStringLiteral("device")).toString().toStdString(), original.devicePath());
        EXPECT_EQ(root.value(QStringLiteral("port")).toInt(), 1);
    }

    std::string savedPath() const { return dir.filePath(QStringLiteral("saved.json")).toStdString(); }
    // Where loads journal their writes: a station's journal in the tests'
    // own folder, never the user's.
    QString journalPath() const { return dir.filePath(QStringLiteral("journal.sqlite")); }
    ProbeRun load(const SimProcess& sim, const std::string& file) const
    {
        return probe(sim, {"--load-parameters", file, "--journal", journalPath().toStdString()});
    }

    // The saved file with one change, under a name of its own.
    std::string editedFile(const QString& name, const std::function<void(QJsonObject&)>& edit) const
    {
        QFile in(QString::fromStdString(savedPath()));
        EXPECT_TRUE(in.open(QIODevice::ReadOnly));
        QJsonObject root = QJsonDocument::fromJson(in.readAll()).object();
        edit(root);
        return written(name, QJsonDocument(root).toJson());
    }

    std::string written(const QString& name, const QByteArray& contents) const
    {
        const QString path = dir.filePath(name);
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(contents);
        return path.toStdString();
    }

    QTemporaryDir dir;
};

TEST_F(ParameterSetsOnSim, compareShowsTheThreeChangesAndLoadingRestoresThemInTheJournal)
{
    SimProcess changed(kThreeChanges);
    ASSERT_TRUE(changed.started());

    const ProbeRun before = probe(changed, {"--compare-parameters", savedPath()});
    EXPECT_EQ(before.exitCode, 1) << before.output;
    EXPECT_EQ(lines(before.output).size(), 3) << before.output;
    EXPECT_EQ(registersAfter(before.output, QString()), (QStringList{"4099", "4108", "257"}));
    EXPECT_TRUE(QString::fromStdString(before.output).contains(QStringLiteral("4099 Input high: file 5000, instrument 4000")))
        << before.output;

    const ProbeRun dryRun = probe(changed, {"--load-parameters", savedPath(), "--dry-run"});
    EXPECT_EQ(dryRun.exitCode, 0) << dryRun.output;
    EXPECT_EQ(registersAfter(dryRun.output, QStringLiteral("would write ")), (QStringList{"4099", "4108", "257"}));
    EXPECT_EQ(probe(changed, {"--compare-parameters", savedPath()}).exitCode, 1);
    EXPECT_FALSE(QFile::exists(journalPath())) << "a dry run journals nothing";

    const ProbeRun load = this->load(changed, savedPath());
    EXPECT_EQ(load.exitCode, 0) << load.output;
    EXPECT_EQ(registersAfter(load.output, QStringLiteral("written ")), (QStringList{"4099", "4108", "257"}));
    EXPECT_EQ(journaledWrites(journalPath()),
              (QStringList{QStringLiteral("Input high|4000|5000|ok|Download parameters"),
                           QStringLiteral("Proportional band|35|20|ok|Download parameters"),
                           QStringLiteral("Alarm 1 set point|120|150|ok|Download parameters")}));

    const ProbeRun after = probe(changed, {"--compare-parameters", savedPath()});
    EXPECT_EQ(after.exitCode, 0) << after.output;
    EXPECT_EQ(lines(after.output), QStringList{QStringLiteral("no differences")});
}

TEST_F(ParameterSetsOnSim, aLoadIsRefusedWhileAStationHoldsTheJournal)
{
    SimProcess changed(kThreeChanges);
    ASSERT_TRUE(changed.started());
    StationLock station(StationLock::pathBeside(journalPath()));
    ASSERT_EQ(station.take(), StationLock::Outcome::Taken);

    const ProbeRun load = this->load(changed, savedPath());
    EXPECT_EQ(load.exitCode, 3) << load.output;
    EXPECT_TRUE(load.output.empty()) << load.output;
    EXPECT_TRUE(load.errors.startsWith(QStringLiteral("tq5800-probe: the journal %1 is in use by process ").arg(journalPath())))
        << load.errors.toStdString();
    EXPECT_EQ(load.errors.count(QLatin1Char('\n')), 1) << load.errors.toStdString();
    EXPECT_EQ(registersAfter(probe(changed, {"--compare-parameters", savedPath()}).output, QString()),
              (QStringList{"4099", "4108", "257"}));
}

TEST_F(ParameterSetsOnSim, aFailedWriteStopsTheLoadAndNothingAfterItIsWritten)
{
    // Six reads of the set, the first write and its read-back answer; the
    // second write is refused (and so is the link's repetition of it).
    std::vector<std::string> args = kThreeChanges;
    args.insert(args.end(), {"--fault", "exception", "--fault-after", "8"});
    SimProcess failing(args);
    ASSERT_TRUE(failing.started());

    const ProbeRun load = this->load(failing, savedPath());
    EXPECT_EQ(load.exitCode, 1) << load.output;
    EXPECT_EQ(registersAfter(load.output, QStringLiteral("written ")), QStringList{"4099"});
    EXPECT_EQ(registersAfter(load.output, QStringLiteral("failed ")), QStringList{"4108"});
    EXPECT_EQ(registersAfter(load.output, QStringLiteral("not written ")), QStringList{"257"});

    failing.signal(SIGUSR1);  // the fault off: the instrument answers again
    const ProbeRun after = probe(failing, {"--compare-parameters", savedPath()});
    EXPECT_EQ(after.exitCode, 1) << after.output;
    EXPECT_EQ(registersAfter(after.output, QString()), (QStringList{"4108", "257"}));
}

TEST_F(ParameterSetsOnSim, hostileFilesWriteNoRegister)
{
    SimProcess changed(kThreeChanges);
    ASSERT_TRUE(changed.started());
    const auto editParameter = [](int number, double value, int raw) {
        return [=](QJsonObject& root) {
            QJsonArray list = root.value(QStringLiteral("parameters")).toArray();
            for (qsizetype i = 0; i < list.size(); ++i) {
                QJsonObject entry = list[i].toObject();
                if (entry.value(QStringLiteral("number")).toInt() == number) {
                    entry.insert(QStringLiteral("value"), value);
                    entry.insert(QStringLiteral("raw"), raw);
                    list[i] = entry;
                }
            }
            root.insert(QStringLiteral("parameters"), list);
        };
    };
    // Each refused in one English line naming its first problem.
    const std::pair<std::string, QString> hostile[] = {
        {editedFile(QStringLiteral("register.json"), editParameter(6, 5000, 50000)),
         QStringLiteral("Input filter: 5000, the value must be between 0.1 and 100.0")},
        {editedFile(QStringLiteral("below.json"), editParameter(13, -5, -5)),
         QStringLiteral("Integral time: -5, the value must be between 0 and 3600")},
        {editedFile(QStringLiteral("above.json"), editParameter(12, 99999, 99999)),
         QStringLiteral("Proportional band: 99999, the value must be between 0 and 9999")},
        {editedFile(QStringLiteral("choice.json"), editParameter(1, 23, 23)), QStringLiteral("no such code in the list")},
        {editedFile(QStringLiteral("nosv.json"), [](QJsonObject& root) { root.remove(QStringLiteral("setValue")); }),
         QStringLiteral("Set value SV")},
        {editedFile(QStringLiteral("model.json"),
                    [](QJsonObject& root) { root.insert(QStringLiteral("model"), QStringLiteral("TQ5801")); }),
         QStringLiteral("TQ5801")},
        {written(QStringLiteral("garbage.json"), QByteArray(64 * 1024, '\x7f')), QStringLiteral("JSON")},
    };
    static const QRegularExpression oneEnglishLine(QStringLiteral("^tq5800-probe: [ -~]+\n$"));
    for (const auto& [file, problem] : hostile) {
        const ProbeRun load = this->load(changed, file);
        EXPECT_EQ(load.exitCode, 2) << file << ": " << load.output;
        EXPECT_TRUE(registersAfter(load.output, QStringLiteral("written ")).isEmpty()) << file;
        EXPECT_TRUE(load.errors.contains(problem)) << file << ": " << load.errors.toStdString();
        EXPECT_TRUE(oneEnglishLine.match(load.errors).hasMatch()) << file << ": " << load.errors.toStdString();
    }
    EXPECT_FALSE(QFile::exists(journalPath())) << "nothing written, nothing journaled";
    // Each of them would have restored the three changes.
    const ProbeRun after = probe(changed, {"--compare-parameters", savedPath()});
    EXPECT_EQ(registersAfter(after.output, QString()), (QStringList{"4099", "4108", "257"}));
}

TEST_F(ParameterSetsOnSim, nothingIsSavedWhenTheInstrumentDoesNotAnswer)
{
    SimProcess silent({"--frozen", "--fault", "silent"});
    ASSERT_TRUE(silent.started());
    const std::string path = dir.filePath(QStringLiteral("silent.json")).toStdString();
    const ProbeRun save = probe(silent, {"--save-parameters", path});
    EXPECT_EQ(save.exitCode, 2);
    EXPECT_TRUE(save.errors.contains(QStringLiteral("tq5800-probe: reading parameters 1-14 failed: no answer\n")))
        << save.errors.toStdString();
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path)));
    EXPECT_EQ(probe(silent, {"--compare-parameters", savedPath()}).exitCode, 2);
}

} // namespace
