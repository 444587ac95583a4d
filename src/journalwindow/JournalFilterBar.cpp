#include "journalwindow/JournalFilterBar.h"

#include <utility>

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include "widgets/EntryFeedback.h"

JournalFilterBar::JournalFilterBar(QWidget* parent)
    : QWidget(parent)
{
    kind_ = new QComboBox(this);
    kind_->addItem(tr("全部"));
    for (JournalEvent::Kind kind : JournalKinds::all())
        kind_->addItem(JournalKinds::shownCaption(kind), JournalKinds::code(kind));

    // A range of the last day to start from; each end counts once ticked.
    const QDateTime now = QDateTime::currentDateTime();
    fromOn_ = new QCheckBox(tr("从"), this);
    from_ = timeField(now.addDays(-1));
    toOn_ = new QCheckBox(tr("到"), this);
    to_ = timeField(now);
    search_ = new QLineEdit(this);
    search_->setPlaceholderText(tr("搜索"));
    search_->setClearButtonEnabled(true);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(tr("类型"), this));
    row->addWidget(kind_);
    row->addSpacing(12);
    row->addWidget(fromOn_);
    row->addWidget(from_);
    row->addWidget(toOn_);
    row->addWidget(to_);
    row->addSpacing(12);
    row->addWidget(search_, 1);

    typingPause_.setSingleShot(true);
    typingPause_.setInterval(kTypingPauseMs);
    connect(&typingPause_, &QTimer::timeout, this, &JournalFilterBar::changed);
    connect(search_, &QLineEdit::textChanged, &typingPause_, qOverload<>(&QTimer::start));
    connect(kind_, &QComboBox::currentIndexChanged, this, &JournalFilterBar::changed);
    // A field counts only while its box is ticked, and looks so.
    for (auto [box, field] : {std::pair{fromOn_, from_}, std::pair{toOn_, to_}}) {
        field->setEnabled(false);
        connect(box, &QCheckBox::toggled, field, &QWidget::setEnabled);
        connect(box, &QCheckBox::toggled, this, &JournalFilterBar::changed);
    }
    for (QDateTimeEdit* field : {from_, to_}) {
        connect(field, &QDateTimeEdit::dateTimeChanged, this, [this, field] {
            if ((field == from_ ? fromOn_ : toOn_)->isChecked())
                emit changed();
        });
    }
}

QDateTimeEdit* JournalFilterBar::timeField(const QDateTime& initial)
{
    auto* field = new QDateTimeEdit(initial, this);
    field->setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    field->setCalendarPopup(true);
    // Room for the whole time beside the calendar's arrow.
    field->setMinimumWidth(field->sizeHint().width() + field->fontMetrics().horizontalAdvance(QStringLiteral("00")));
    return field;
}

std::optional<JournalFilter> JournalFilterBar::filter()
{
    JournalFilter filter;
    JournalEvent::Kind kind;
    if (JournalKinds::fromCode(kind_->currentData().toString(), kind))
        filter.kinds.append(kind);
    if (fromOn_->isChecked())
        filter.from = from_->dateTime();
    // The field shows whole seconds: "到" takes in the second it names.
    if (toOn_->isChecked())
        filter.to = to_->dateTime().addSecs(1);
    filter.text = search_->text();
    const bool refused = filter.from && filter.to && *filter.from > to_->dateTime();
    markRange(refused);
    if (refused)
        return std::nullopt;
    return filter;
}

void JournalFilterBar::markRange(bool refused)
{
    for (QDateTimeEdit* field : {from_, to_})
        field->setStyleSheet(refused ? EntryFeedback::refusedStyle(*field) : QString());
}
