#include "journalwindow/JournalModel.h"

#include <algorithm>

#include <QCoreApplication>
#include <QTimer>

#include "widgets/PanelStates.h"

namespace {

QString outcomeText(const QString& outcome)
{
    if (outcome == QLatin1String("ok"))
        return QCoreApplication::translate("JournalModel", "成功");
    if (outcome == QLatin1String("failed"))
        return QCoreApplication::translate("JournalModel", "失败");
    return outcome;
}

} // namespace

JournalModel::JournalModel(const QString& path, const QString& connectionName, QObject* parent, int64_t scanSpan)
    : QAbstractTableModel(parent)
    , reader_(path, connectionName)
    , scanSpan_(scanSpan)
{
    reload();
}

void JournalModel::setFilter(const JournalFilter& filter)
{
    filter_ = filter;
    reload();
}

void JournalModel::reload()
{
    ++reading_;
    beginResetModel();
    rows_.clear();
    atEnd_ = true;
    newestId_ = 0;
    const std::optional<JournalReader::IdRange> ids = reader_.ids();
    if (ids) {
        // Bounded above, so an event written meanwhile comes once, through refresh().
        oldestId_ = ids->oldest;
        newestId_ = ids->newest;
        readBelow_ = newestId_ + 1;
        atEnd_ = false;
        rows_ = readStep();
    }
    endResetModel();
    noteOutcome();
    continueIfNothingFound(rows_.size());
}

std::vector<JournalEvent> JournalModel::readStep()
{
    std::optional<int64_t> atLeast;
    if (!filter_.text.isEmpty())
        atLeast = readBelow_ - scanSpan_;
    std::vector<JournalEvent> events = reader_.page(filter_, kPageSize, readBelow_, atLeast);
    if (reader_.failed())
        return events;  // the same step again at the next try
    if (events.size() == static_cast<size_t>(kPageSize))
        readBelow_ = events.back().id;
    else if (atLeast && *atLeast > oldestId_)
        readBelow_ = *atLeast;
    else
        atEnd_ = true;
    return events;
}

void JournalModel::continueIfNothingFound(size_t found)
{
    // A view asks for more only after rows arrived.
    // A reload meanwhile starts a reading of its own: this one then ends.
    if (found == 0 && !atEnd_ && !reader_.failed())
        QTimer::singleShot(0, this, [this, reading = reading_] {
            if (reading == reading_)
                fetchMore(QModelIndex());
        });
}

int JournalModel::refresh()
{
    if (!reader_.isOpen() || !failure_.isEmpty()) {
        reload();
        return static_cast<int>(rows_.size());
    }
    // Taken first: whatever the search below does not find up to here,
    // does not match.
    const std::optional<JournalReader::IdRange> ids = reader_.ids();
    std::vector<JournalEvent> arrived;
    int64_t above = newestId_;
    while (ids) {
        std::vector<JournalEvent> batch = reader_.newer(filter_, above, kPageSize);
        if (reader_.failed())
            break;
        if (!batch.empty())
            above = batch.back().id;
        arrived.insert(arrived.end(), batch.begin(), batch.end());
        if (batch.size() < static_cast<size_t>(kPageSize)) {
            newestId_ = std::max(above, ids->newest);
            break;
        }
    }
    noteOutcome();
    if (arrived.empty())
        return 0;
    std::reverse(arrived.begin(), arrived.end());
    const int count = static_cast<int>(arrived.size());
    beginInsertRows(QModelIndex(), 0, count - 1);
    rows_.insert(rows_.begin(), arrived.begin(), arrived.end());
    endInsertRows();
    return count;
}

void JournalModel::noteOutcome()
{
    const QString failure = reader_.errorText();
    if (failure == failure_)
        return;
    failure_ = failure;
    emit failureChanged();
}

bool JournalModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && !atEnd_;
}

void JournalModel::fetchMore(const QModelIndex& parent)
{
    if (parent.isValid() || atEnd_)
        return;
    std::vector<JournalEvent> older = readStep();
    noteOutcome();
    continueIfNothingFound(older.size());
    if (older.empty())
        return;
    const int first = static_cast<int>(rows_.size());
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(older.size()) - 1);
    rows_.insert(rows_.end(), older.begin(), older.end());
    endInsertRows();
}

int JournalModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int JournalModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString JournalModel::text(const JournalEvent& event, int column) const
{
    switch (column) {
    case Time:
        return event.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case Kind:
        return JournalKinds::shownCaption(event.kind);
    case Source:
        return event.source;
    case What:
        return event.what;
    case OldValue:
        return event.oldValue;
    case NewValue:
        return event.newValue;
    case Outcome:
        return outcomeText(event.outcome);
    case Text:
        return event.text;
    case User:
        return event.user;
    case Origin:
        return event.origin;
    default:
        return QString();
    }
}

QVariant JournalModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return QVariant();
    const JournalEvent& event = rows_[static_cast<size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return text(event, index.column());
    case Qt::BackgroundRole:
        // As the live panel shows an alarm that is set or has gone.
        if (event.kind == JournalEvent::Kind::AlarmRaised)
            return PanelColours::kLightRed;
        if (event.kind == JournalEvent::Kind::AlarmCleared)
            return PanelColours::kLightGreen;
        return QVariant();
    default:
        return QVariant();
    }
}

QVariant JournalModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char* const kCaptions[ColumnCount] = {
        QT_TRANSLATE_NOOP("JournalModel", "时间"), QT_TRANSLATE_NOOP("JournalModel", "类型"),
        QT_TRANSLATE_NOOP("JournalModel", "来源"), QT_TRANSLATE_NOOP("JournalModel", "对象"),
        QT_TRANSLATE_NOOP("JournalModel", "原值"), QT_TRANSLATE_NOOP("JournalModel", "新值"),
        QT_TRANSLATE_NOOP("JournalModel", "结果"), QT_TRANSLATE_NOOP("JournalModel", "说明"),
        QT_TRANSLATE_NOOP("JournalModel", "用户"), QT_TRANSLATE_NOOP("JournalModel", "窗口")};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= ColumnCount)
        return QVariant();
    return tr(kCaptions[section]);
}
