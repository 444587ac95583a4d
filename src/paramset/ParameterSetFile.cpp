#include "paramset/ParameterSetFile.h"

#include <cmath>
#include <cstdlib>

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>

#include "paramset/SetCheck.h"
#include "paramset/SetSlot.h"

namespace ParameterSetFile {

namespace {

const QString kFormat = QStringLiteral("format");
const QString kModelKey = QStringLiteral("model");
const QString kAddress = QStringLiteral("address");
const QString kPort = QStringLiteral("port");
const QString kDevice = QStringLiteral("device");
const QString kTimeRead = QStringLiteral("timeRead");
const QString kStationVersion = QStringLiteral("stationVersion");
const QString kParameters = QStringLiteral("parameters");
const QString kAlarmSetPoints = QStringLiteral("alarmSetPoints");
const QString kSetValue = QStringLiteral("setValue");
const QString kNumber = QStringLiteral("number");
const QString kRegister = QStringLiteral("register");
const QString kCaption = QStringLiteral("caption");
const QString kValue = QStringLiteral("value");
const QString kRaw = QStringLiteral("raw");
const QString kItem = QStringLiteral("item");

QJsonObject slotJson(const SetSlot& slot, int16_t raw)
{
    QJsonObject json;
    if (slot.kind != SetSlot::Kind::SetValue)
        json.insert(kNumber, slot.number);
    json.insert(kRegister, slot.registerAddress);
    json.insert(kCaption, slot.caption);
    // The number as the sheet shows it (52.3, not 52.29999923706055).
    json.insert(kValue, SetSlots::numberText(slot, raw).toDouble());
    json.insert(kRaw, raw);
    if (slot.isChoice())
        json.insert(kItem, SetSlots::choiceText(slot, raw).trimmed());
    return json;
}

// "2026-12-07T22:39:13+01:00": the offset always written out, also for UTC,
// so the file tells the local time it was read at.
QString isoTimeWithOffset(const QDateTime& time)
{
    const int offset = time.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    return time.toOffsetFromUtc(offset).toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"))
           + QStringLiteral("%1%2:%3")
                 .arg(offset < 0 ? QLatin1Char('-') : QLatin1Char('+'))
                 .arg(minutes / 60, 2, 10, QLatin1Char('0'))
                 .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

std::optional<int> wholeNumber(const QJsonValue& value)
{
    if (!value.isDouble())
        return std::nullopt;
    const double d = value.toDouble();
    if (d != std::trunc(d) || d < -2147483648.0 || d > 2147483647.0)
        return std::nullopt;
    return static_cast<int>(d);
}

ShownText words(const char* source)
{
    return ShownText("ParameterSetFile", source);
}

// Takes one entry's value into set, or says why not. What a technician
// edits is the value: raw must agree with it, and the register, when
// given, must be the slot's.
std::optional<ShownText> takeEntry(const SetSlot& slot, const QJsonObject& json, ParameterSet& set)
{
    if (set.has(slot.registerAddress))
        return words(QT_TRANSLATE_NOOP("ParameterSetFile", "%1 重复")).arg(SetSlots::captionWords(slot));
    if (json.contains(kRegister) && wholeNumber(json.value(kRegister)) != slot.registerAddress)
        return words(QT_TRANSLATE_NOOP("ParameterSetFile", "%1：寄存器应为 %2")).arg(SetSlots::captionWords(slot)).arg(slot.registerAddress);
    if (!json.value(kValue).isDouble())
        return words(QT_TRANSLATE_NOOP("ParameterSetFile", "%1：缺少数值")).arg(SetSlots::captionWords(slot));
    const double value = json.value(kValue).toDouble();
    int16_t raw = 0;
    if (auto problem = SetCheck::unitValueProblem(slot, value, raw))
        return problem;
    if (wholeNumber(json.value(kRaw)) != int{raw})
        return words(QT_TRANSLATE_NOOP("ParameterSetFile", "%1：寄存器值与数值 %2 不符"))
            .arg(SetSlots::captionWords(slot))
            .arg(json.value(kValue).toVariant().toString());
    set.values[slot.registerAddress] = raw;
    return std::nullopt;
}

template <typename Find>
std::optional<ShownText> takeList(const QJsonObject& root, const QString& key, const ShownText& what, Find find,
                                ParameterSet& set)
{
    if (!root.value(key).isArray())
        return words(QT_TRANSLATE_NOOP("ParameterSetFile", "缺少%1列表")).arg(what);
    for (const QJsonValue& item : root.value(key).toArray()) {
        const QJsonObject json = item.toObject();
        const std::optional<int> number = wholeNumber(json.value(kNumber));
        const SetSlot* slot = number ? find(*number) : nullptr;
        if (!slot)
            return words(QT_TRANSLATE_NOOP("ParameterSetFile", "未知%1 %2")).arg(what).arg(json.value(kNumber).toVariant().toString());
        if (auto problem = takeEntry(*slot, json, set))
            return problem;
    }
    return std::nullopt;
}

SetFileReading refused(const ShownText& problem)
{
    return {std::nullopt, problem.shown(), problem};
}

} // namespace

QByteArray toJson(const ParameterSet& set)
{
    QJsonObject root;
    root.insert(kFormat, ParameterSet::kFormatVersion);
    root.insert(kModelKey, set.model);
    root.insert(kAddress, set.address);
    root.insert(kPort, set.port);
    // Beside the port number, which names a device only on the machine
    // that read it.
    if (!set.device.isEmpty())
        root.insert(kDevice, set.device);
    root.insert(kTimeRead, isoTimeWithOffset(set.timeRead));
    root.insert(kStationVersion, set.stationVersion);
    QJsonArray parameters;
    QJsonArray alarmSetPoints;
    for (const SetSlot& slot : SetSlots::all()) {
        const std::optional<int16_t> raw = set.value(slot.registerAddress);
        if (!raw)
            continue;
        switch (slot.kind) {
        case SetSlot::Kind::Parameter: parameters.append(slotJson(slot, *raw)); break;
        case SetSlot::Kind::AlarmSetPoint: alarmSetPoints.append(slotJson(slot, *raw)); break;
        case SetSlot::Kind::SetValue: root.insert(kSetValue, slotJson(slot, *raw)); break;
        }
    }
    root.insert(kParameters, parameters);
    root.insert(kAlarmSetPoints, alarmSetPoints);
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

SetFileReading fromJson(const QByteArray& json)
{
    if (json.size() > kMaxBytes)
        return refused(words(QT_TRANSLATE_NOOP("ParameterSetFile", "文件过大，不是参数文件")));
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        return refused(words(QT_TRANSLATE_NOOP("ParameterSetFile", "文件不完整或不是 JSON（第 %1 字节：%2）"))
                           .arg(error.offset)
                           .arg(error.errorString()));
    if (!document.isObject())
        return refused(words(QT_TRANSLATE_NOOP("ParameterSetFile", "不是参数文件")));
    const QJsonObject root = document.object();

    const QString model = root.value(kModelKey).toString();
    if (model != ParameterSet::kModel)
        return refused(words(QT_TRANSLATE_NOOP("ParameterSetFile", "型号“%1”不是 %2")).arg(model).arg(ParameterSet::kModel));
    const std::optional<int> format = wholeNumber(root.value(kFormat));
    if (!format || *format < 1)
        return refused(words(QT_TRANSLATE_NOOP("ParameterSetFile", "缺少格式版本")));
    if (*format > ParameterSet::kFormatVersion)
        return refused(words(QT_TRANSLATE_NOOP("ParameterSetFile", "格式版本 %1 比本站能读的 %2 新"))
                           .arg(*format)
                           .arg(ParameterSet::kFormatVersion));

    ParameterSet set;
    set.model = model;
    set.address = root.value(kAddress).toInt();
    set.port = root.value(kPort).toInt();
    set.device = root.value(kDevice).toString();
    set.timeRead = QDateTime::fromString(root.value(kTimeRead).toString(), Qt::ISODate);
    set.stationVersion = root.value(kStationVersion).toString();
    if (auto problem = takeList(root, kParameters, words(QT_TRANSLATE_NOOP("ParameterSetFile", "参数")), SetSlots::ofParameter, set))
        return refused(*problem);
    if (auto problem = takeList(root, kAlarmSetPoints, words(QT_TRANSLATE_NOOP("ParameterSetFile", "报警设定点")), SetSlots::ofAlarmSetPoint, set))
        return refused(*problem);
    if (root.contains(kSetValue)) {
        if (auto problem = takeEntry(SetSlots::setValue(), root.value(kSetValue).toObject(), set))
            return refused(*problem);
    }
    if (auto problem = SetCheck::setProblem(set))
        return refused(*problem);
    return {set, {}, {}};
}

SetFileReading load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refused(words(QT_TRANSLATE_NOOP("ParameterSetFile", "无法打开 %1：%2")).arg(path).arg(file.errorString()));
    // One byte past the bound tells a file that is too large without
    // reading the rest of it.
    const QByteArray json = file.read(kMaxBytes + 1);
    if (json.size() > kMaxBytes)
        return refused(words(QT_TRANSLATE_NOOP("ParameterSetFile", "文件过大，不是参数文件")));
    return fromJson(json);
}

std::optional<QString> save(const ParameterSet& set, const QString& path)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QCoreApplication::translate("ParameterSetFile", "无法写入 %1：%2").arg(path, file.errorString());
    file.write(toJson(set));
    if (!file.commit())
        return QCoreApplication::translate("ParameterSetFile", "无法写入 %1：%2").arg(path, file.errorString());
    return std::nullopt;
}

QString stationVersion()
{
    return QStringLiteral(TQ5800_VERSION);
}

} // namespace ParameterSetFile
