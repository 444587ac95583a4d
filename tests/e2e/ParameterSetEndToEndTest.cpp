#include <csignal>
#include <functional>
#include <string>
#include <vector>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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

ProgramResult probe(const SimProcess& sim, std::vector<std::string> args)
{
    args.insert(args.begin(), {"--device", sim.devicePath()});
    return runProgram(TQ5800_PROBE_PATH, args);
}

class ParameterSetsOnSim : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        SimProcess original({"--frozen"});
        ASSERT_TRUE(original.started());
        const ProgramResult saved = probe(original, {"--save-parameters", savedPath()});
        ASSERT_EQ(saved.exitCode, 0) << saved.output;
    }

    std::string savedPath() const { return dir.filePath(QStringLiteral("saved.json")).toStdString(); }

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

TEST_F(ParameterSetsOnSim, compareShowsTheThreeChangesAndLoadingRestoresThem)
{
    SimProcess changed(kThreeChanges);
    ASSERT_TRUE(changed.started());

    const ProgramResult before = probe(changed, {"--compare-parameters", savedPath()});
    EXPECT_EQ(before.exitCode, 1) << before.output;
    EXPECT_EQ(lines(before.output).size(), 3) << before.output;
    EXPECT_EQ(registersAfter(before.output, QString()), (QStringList{"4099", "4108", "257"}));
    EXPECT_TRUE(QString::fromStdString(before.output).contains(QStringLiteral("4099 输入上限: file 5000, instrument 4000")))
        << before.output;

    const ProgramResult dryRun = probe(changed, {"--load-parameters", savedPath(), "--dry-run"});
    EXPECT_EQ(dryRun.exitCode, 0) << dryRun.output;
    EXPECT_EQ(registersAfter(dryRun.output, QStringLiteral("would write ")), (QStringList{"4099", "4108", "257"}));
    EXPECT_EQ(probe(changed, {"--compare-parameters", savedPath()}).exitCode, 1);

    const ProgramResult load = probe(changed, {"--load-parameters", savedPath()});
    EXPECT_EQ(load.exitCode, 0) << load.output;
    EXPECT_EQ(registersAfter(load.output, QStringLiteral("written ")), (QStringList{"4099", "4108", "257"}));

    const ProgramResult after = probe(changed, {"--compare-parameters", savedPath()});
    EXPECT_EQ(after.exitCode, 0) << after.output;
    EXPECT_EQ(lines(after.output), QStringList{QStringLiteral("no differences")});
}

TEST_F(ParameterSetsOnSim, aFailedWriteStopsTheLoadAndNothingAfterItIsWritten)
{
    // Six reads of the set, the first write and its read-back answer; the
    // second write is refused (and so is the link's repetition of it).
    std::vector<std::string> args = kThreeChanges;
    args.insert(args.end(), {"--fault", "exception", "--fault-after", "8"});
    SimProcess failing(args);
    ASSERT_TRUE(failing.started());

    const ProgramResult load = probe(failing, {"--load-parameters", savedPath()});
    EXPECT_EQ(load.exitCode, 1) << load.output;
    EXPECT_EQ(registersAfter(load.output, QStringLiteral("written ")), QStringList{"4099"});
    EXPECT_EQ(registersAfter(load.output, QStringLiteral("failed ")), QStringList{"4108"});
    EXPECT_EQ(registersAfter(load.output, QStringLiteral("not written ")), QStringList{"257"});

    failing.signal(SIGUSR1);  // the fault off: the instrument answers again
    const ProgramResult after = probe(failing, {"--compare-parameters", savedPath()});
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
    const std::vector<std::string> hostile{
        editedFile(QStringLiteral("range.json"), editParameter(6, 5000, 50000)),
        editedFile(QStringLiteral("choice.json"), editParameter(1, 23, 23)),
        editedFile(QStringLiteral("model.json"),
                   [](QJsonObject& root) { root.insert(QStringLiteral("model"), QStringLiteral("TQ5801")); }),
        written(QStringLiteral("garbage.json"), QByteArray(64 * 1024, '\x7f')),
    };
    for (const std::string& file : hostile) {
        const ProgramResult load = probe(changed, {"--load-parameters", file});
        EXPECT_EQ(load.exitCode, 2) << file << ": " << load.output;
        EXPECT_TRUE(registersAfter(load.output, QStringLiteral("written ")).isEmpty()) << file;
    }
    // Each of them would have restored the three changes.
    const ProgramResult after = probe(changed, {"--compare-parameters", savedPath()});
    EXPECT_EQ(registersAfter(after.output, QString()), (QStringList{"4099", "4108", "257"}));
}

TEST_F(ParameterSetsOnSim, nothingIsSavedWhenTheInstrumentDoesNotAnswer)
{
    SimProcess silent({"--frozen", "--fault", "silent"});
    ASSERT_TRUE(silent.started());
    const std::string path = dir.filePath(QStringLiteral("silent.json")).toStdString();
    EXPECT_EQ(probe(silent, {"--save-parameters", path}).exitCode, 2);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(path)));
    EXPECT_EQ(probe(silent, {"--compare-parameters", savedPath()}).exitCode, 2);
}

} // namespace
