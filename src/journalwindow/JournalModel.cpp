#include "journalwindow/JournalModel.h"

#include <algorithm>

#include <QTimer>

#include "widgets/PanelStates.h"

namespace {

// Whether a comes after b in the reading order, newest first.
bool isBelow(const JournalReader::Position& a, const JournalReader::Position& b)
{
    return a.timeUtc < b.timeUtc || (a.timeUtc == b.timeUtc && a.id < b.id);
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
    pagedNew_.clear();
    readBelow_.reset();
    atEnd_ = true;
    newestId_ = 0;
    if (const std::optional<JournalReader::IdRange> ids = reader_.ids()) {
        // Events written from now on are refresh()'s, unless paging gets
        // to them first.
        newestId_ = ids->newest;
        atEnd_ = false;
        rows_ = readStep();
    }
    endResetModel();
    noteOutcome();
    continueIfNothingFound(rows_.size());
}

std::vector<JournalModel::Row> JournalModel::readStep()
{
    std::optional<Position> atLeast;
    if (!filter_.text.isEmpty()) {
        // A search reads at most scanSpan_ events this step.
        atLeast = reader_.positionBelow(filter_, readBelow_, scanSpan_);
        if (reader_.failed())
            return {};
    }
    const std::vector<JournalEvent> events = reader_.page(filter_, kPageSize, readBelow_, atLeast);
    if (reader_.failed())
        return {};  // the same step again at the next try
    if (events.size() == static_cast<size_t>(kPageSize)) {
        readBelow_ = JournalReader::positionOf(events.back());
    } else if (atLeast) {
        // The step's events are read; more when any lies below them.
        readBelow_ = atLeast;
        const bool more = reader_.positionBelow(filter_, atLeast, 1).has_value();
        atEnd_ = !more && !reader_.failed();
    } else {
        atEnd_ = true;
    }
    std::vector<Row> rows;
    rows.reserve(events.size());
    for (const JournalEvent& event : events) {
        if (event.id > newestId_)
            pagedNew_.insert(event.id);
        rows.push_back({event, shownEvent(event)});
    }
    return rows;
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

std::optional<size_t> JournalModel::placeOf(const JournalEvent& event) const
{
    if (pagedNew_.count(event.id))
        return std::nullopt;
    const Position position = JournalReader::positionOf(event);
    if (!atEnd_ && readBelow_ && isBelow(position, *readBelow_))
        return std::nullopt;
    const auto it = std::find_if(rows_.begin(), rows_.end(), [&position](const Row& row) {
        return isBelow(JournalReader::positionOf(row.event), position);
    });
    return static_cast<size_t>(it - rows_.begin());
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
    int added = 0;
    for (const JournalEvent& event : arrived) {
        const std::optional<size_t> place = placeOf(event);
        if (!place)
            continue;
        const int row = static_cast<int>(*place);
        beginInsertRows(QModelIndex(), row, row);
        rows_.insert(rows_.begin() + row, Row{event, shownEvent(event)});
        endInsertRows();
        ++added;
    }
    return added;
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
    std::vector<Row> older = readStep();
    noteOutcome();
    continueIfNothingFound(older.size());
    if (older.empty())
        return;
    const int first = static_cast<int>(rows_.size());
    beginInsertRows(QModelIndex(), first, first + static_cast<int>(older.size()) - 1);
    rows_.insert(rows_.end(), std::make_move_iterator(older.begin()), std::make_move_iterator(older.end()));
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

QString JournalModel::text(const Row& row, int column) const
{
    switch (column) {
    case Time:
        return row.event.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    case Kind:
        return row.shown.kind;
    case Source:
        return row.shown.source;
    case What:
        return row.shown.what;
    case OldValue:
        return row.shown.oldValue;
    case NewValue:
        return row.shown.newValue;
    case Outcome:
        return row.shown.outcome;
    case Text:
        return row.shown.text;
    case User:
        return row.event.user;
    case Origin:
        return row.shown.origin;
    default:
        return QString();
    }
}

QVariant JournalModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= rowCount())
        return QVariant();
    const Row& row = rows_[static_cast<size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return text(row, index.column());
    case Qt::BackgroundRole:
        // As the live panel shows an alarm that is set or has gone.
        if (row.event.kind == JournalEvent::Kind::AlarmRaised)
            return PanelColours::kLightRed;
        if (row.event.kind == JournalEvent::Kind::AlarmCleared)
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
