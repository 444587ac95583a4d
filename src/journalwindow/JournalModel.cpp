#include "journalwindow/JournalModel.h"

#include <algorithm>

#include "widgets/PanelStates.h"

namespace {

QString outcomeText(const QString& outcome)
{
    if (outcome == QLatin1String("ok"))
        return QStringLiteral("成功");
    if (outcome == QLatin1String("failed"))
        return QStringLiteral("失败");
    return outcome;
}

} // namespace

JournalModel::JournalModel(const QString& path, const QString& connectionName, QObject* parent)
    : QAbstractTableModel(parent)
    , reader_(path, connectionName)
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
    beginResetModel();
    rows_ = reader_.page(filter_, kPageSize);
    atEnd_ = rows_.size() < static_cast<size_t>(kPageSize);
    newestId_ = rows_.empty() ? 0 : rows_.front().id;
    endResetModel();
    noteOutcome();
}

int JournalModel::refresh()
{
    if (!reader_.isOpen()) {
        reload();
        return static_cast<int>(rows_.size());
    }
    std::vector<JournalEvent> arrived;
    for (;;) {
        std::vector<JournalEvent> batch = reader_.newer(filter_, newestId_, kPageSize);
        if (reader_.failed())
            break;
        if (!batch.empty())
            newestId_ = batch.back().id;
        arrived.insert(arrived.end(), batch.begin(), batch.end());
        if (batch.size() < static_cast<size_t>(kPageSize))
            break;
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
    if (parent.isValid() || atEnd_ || rows_.empty())
        return;
    std::vector<JournalEvent> older = reader_.page(filter_, kPageSize, rows_.back().id);
    noteOutcome();
    if (reader_.failed())
        return;  // tried again at the next scroll or refresh
    atEnd_ = older.size() < static_cast<size_t>(kPageSize);
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
        return JournalKinds::caption(event.kind);
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
    static const QStringList kCaptions{
        QStringLiteral("时间"), QStringLiteral("类型"), QStringLiteral("来源"), QStringLiteral("对象"),
        QStringLiteral("原值"), QStringLiteral("新值"), QStringLiteral("结果"), QStringLiteral("说明"),
        QStringLiteral("用户")};
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= kCaptions.size())
        return QVariant();
    return kCaptions[section];
}
