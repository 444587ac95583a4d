#include <functional>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "SetFixtures.h"
#include "instrument/RegisterMap.h"
#include "paramset/ParameterSetFile.h"
#include "support/EnglishInterface.h"

namespace {

QJsonObject completeJson()
{
    return QJsonDocument::fromJson(ParameterSetFile::toJson(completeSet())).object();
}

// Changes the entry of one parameter (or alarm set point) in place.
void editEntry(QJsonObject& root, const QString& list, int number, const std::function<void(QJsonObject&)>& edit)
{
    QJsonArray entries = root.value(list).toArray();
    for (qsizetype i = 0; i < entries.size(); ++i) {
        QJsonObject entry = entries[i].toObject();
        if (entry.value(QStringLiteral("number")).toInt() == number) {
            edit(entry);
            entries[i] = entry;
        }
    }
    root.insert(list, entries);
}

QByteArray bytes(const QJsonObject& root)
{
    return QJsonDocument(root).toJson();
}

TEST(ParameterSetFile, roundTripKeepsEveryValueAndWhereAndWhenItWasRead)
{
    const ParameterSet set = completeSet();
    const SetFileReading reading = ParameterSetFile::fromJson(ParameterSetFile::toJson(set));
    ASSERT_TRUE(reading.set) << reading.problem.toStdString();
    EXPECT_EQ(reading.set->values, set.values);
    EXPECT_EQ(reading.set->values.size(), 35u + 9u + 1u);
    EXPECT_EQ(reading.set->address, 7);
    EXPECT_EQ(reading.set->port, 2);
    EXPECT_EQ(reading.set->device, QStringLiteral("/dev/ttyUSB1"));
    EXPECT_EQ(reading.set->timeRead, set.timeRead);
    EXPECT_EQ(reading.set->stationVersion, QStringLiteral("9.8.7"));
}

TEST(ParameterSetFile, showsValuesInTheInstrumentsUnitsWithTheChosenItem)
{
    ParameterSet set = completeSet();
    set.values[RegisterMap::kFilter] = 15;
    set.values[RegisterMap::parameter(1)] = 11;
    const QJsonObject root = QJsonDocument::fromJson(ParameterSetFile::toJson(set)).object();
    EXPECT_EQ(root.value(QStringLiteral("model")).toString(), QStringLiteral("TQ5800"));
    EXPECT_EQ(root.value(QStringLiteral("format")).toInt(), 1);
    EXPECT_EQ(root.value(QStringLiteral("timeRead")).toString(), QStringLiteral("2026-03-14T09:26:53+01:00"));
    QJsonObject filter;
    QJsonObject inputType;
    for (const QJsonValue& v : root.value(QStringLiteral("parameters")).toArray()) {
        if (v[QStringLiteral("number")].toInt() == 6)
            filter = v.toObject();
        if (v[QStringLiteral("number")].toInt() == 1)
            inputType = v.toObject();
    }
    EXPECT_EQ(filter.value(QStringLiteral("value")).toDouble(), 1.5);
    EXPECT_EQ(filter.value(QStringLiteral("raw")).toInt(), 15);
    EXPECT_EQ(filter.value(QStringLiteral("register")).toInt(), 4102);
    EXPECT_EQ(filter.value(QStringLiteral("caption")).toString(), QStringLiteral("数字滤波"));
    EXPECT_FALSE(filter.contains(QStringLiteral("item")));
    EXPECT_EQ(inputType.value(QStringLiteral("item")).toString(), QStringLiteral("11:PT100(-200～850)"));
}

TEST(ParameterSetFile, isTheSameFileWhateverTheInterfaceLanguage)
{
    ParameterSet set = completeSet();
    set.values[RegisterMap::parameter(22)] = 3;
    const QByteArray chinese = ParameterSetFile::toJson(set);
    EnglishInterface english;
    EXPECT_EQ(ParameterSetFile::toJson(set), chinese);
    const SetFileReading reading = ParameterSetFile::fromJson(chinese);
    ASSERT_TRUE(reading.set) << reading.problem.toStdString();
    EXPECT_EQ(reading.set->values, set.values);
    EXPECT_TRUE(chinese.contains(QStringLiteral("\"3:上偏差\"").toUtf8()));
}

TEST(ParameterSetFile, ignoresUnknownKeysAndTakesAnOlderFileWithoutTheDevice)
{
    QJsonObject root = completeJson();
    root.insert(QStringLiteral("comment"), QStringLiteral("kiln 3"));
    root.remove(QStringLiteral("device"));
    editEntry(root, QStringLiteral("parameters"), 12, [](QJsonObject& e) { e.insert(QStringLiteral("note"), 1); });
    const SetFileReading reading = ParameterSetFile::fromJson(bytes(root));
    ASSERT_TRUE(reading.set) << reading.problem.toStdString();
    EXPECT_EQ(reading.set->port, 2);
    EXPECT_TRUE(reading.set->device.isEmpty());
}

struct HostileFile {
    const char* name;
    std::function<QByteArray()> contents;
    const char16_t* problem;  // a part of the message naming the problem
};

TEST(ParameterSetFile, refusesAHostileFileAsAWholeNamingItsFirstProblem)
{
    const auto edited = [](const QString& list, int number, std::function<void(QJsonObject&)> edit) {
        return [=] {
            QJsonObject root = completeJson();
            editEntry(root, list, number, edit);
            return bytes(root);
        };
    };
    const auto setValue = [](QJsonObject& e, double value, int raw) {
        e.insert(QStringLiteral("value"), value);
        e.insert(QStringLiteral("raw"), raw);
    };
    const QString parameters = QStringLiteral("parameters");
    const QString alarmSetPoints = QStringLiteral("alarmSetPoints");
    const HostileFile cases[] = {
        {"not JSON", [] { return QByteArray("TQ5800 parameters\n1=5\n"); }, u"不是 JSON"},
        {"truncated", [] { const QByteArray all = bytes(completeJson()); return all.left(all.size() / 2); },
         u"不完整"},
        {"an array", [] { return QByteArray("[1, 2, 3]"); }, u"不是参数文件"},
        {"another model", [] { QJsonObject r = completeJson(); r.insert(QStringLiteral("model"), QStringLiteral("TQ9000")); return bytes(r); },
         u"TQ9000"},
        {"a newer format", [] { QJsonObject r = completeJson(); r.insert(QStringLiteral("format"), 2); return bytes(r); },
         u"格式版本 2"},
        {"a value below its parameter's range", edited(parameters, 13, [=](QJsonObject& e) { setValue(e, -5, -5); }),
         u"积分时间：-5，数值须在 0 到 3600 之间"},
        {"a value beyond its register and its range", edited(parameters, 12, [=](QJsonObject& e) { setValue(e, 99999, 99999); }),
         u"比例带：99999，数值须在 0 到 9999 之间"},
        {"a tenths value beyond its range", edited(parameters, 6, [=](QJsonObject& e) { setValue(e, 3300, 33000); }),
         u"数字滤波：3300，数值须在 0.1 到 100.0 之间"},
        {"a set point beyond the panel's range",
         edited(alarmSetPoints, 1, [=](QJsonObject& e) { setValue(e, 10000, 10000); }), u"报警1设定值：数值须在 -1999 到 9999"},
        {"a choice code with no item", edited(parameters, 2, [=](QJsonObject& e) { setValue(e, 4, 4); }),
         u"小数点位置：4，列表中没有这个代码"},
        {"a choice between two codes", edited(parameters, 7, [=](QJsonObject& e) { setValue(e, 1.5, 1); }),
         u"温度单位：1.5，列表中没有这个代码"},
        {"raw and value disagreeing", edited(parameters, 6, [=](QJsonObject& e) { setValue(e, 2.5, 15); }),
         u"数字滤波：寄存器值与数值 2.5 不符"},
        {"a register not the parameter's",
         edited(parameters, 12, [](QJsonObject& e) { e.insert(QStringLiteral("register"), 4100); }), u"比例带：寄存器应为 4108"},
        {"a duplicate parameter",
         [] {
             QJsonObject r = completeJson();
             QJsonArray list = r.value(QStringLiteral("parameters")).toArray();
             list.append(list.at(3));
             r.insert(QStringLiteral("parameters"), list);
             return bytes(r);
         },
         u"重复"},
        {"an unknown parameter", edited(parameters, 12, [](QJsonObject& e) { e.insert(QStringLiteral("number"), 8); }),
         u"未知参数 8"},
        {"a missing parameter",
         [] {
             QJsonObject r = completeJson();
             QJsonArray list = r.value(QStringLiteral("parameters")).toArray();
             list.removeAt(0);
             r.insert(QStringLiteral("parameters"), list);
             return bytes(r);
         },
         u"缺少参数：输入信号类型"},
        {"no set value", [] { QJsonObject r = completeJson(); r.remove(QStringLiteral("setValue")); return bytes(r); },
         u"缺少参数：设定SV"},
    };
    for (const HostileFile& c : cases) {
        const SetFileReading reading = ParameterSetFile::fromJson(c.contents());
        EXPECT_FALSE(reading.set) << c.name;
        EXPECT_TRUE(reading.problem.contains(QString::fromUtf16(c.problem)))
            << c.name << ": " << reading.problem.toStdString();
    }
}

TEST(ParameterSetFile, refusesTenMegabytesOfGarbageUnread)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath(QStringLiteral("garbage.json"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QByteArray megabyte(1024 * 1024, '{');
    for (int i = 0; i < 10; ++i)
        file.write(megabyte);
    file.close();

    const SetFileReading reading = ParameterSetFile::load(path);
    EXPECT_FALSE(reading.set);
    EXPECT_TRUE(reading.problem.contains(QStringLiteral("文件过大"))) << reading.problem.toStdString();
}

} // namespace
