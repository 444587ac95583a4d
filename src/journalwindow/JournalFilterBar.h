#pragma once

#include <optional>

#include <QTimer>
#include <QWidget>

#include "journal/JournalFilter.h"

class QCheckBox;
class QComboBox;
class QDateTimeEdit;
class QLineEdit;

// The journal window's filter: a kind ("全部" for all), a time range whose
// ends are each on or off, picked in date-time fields like the one of
// "F5 选择" ("到" takes in the second it shows), and a text to search for. changed() is emitted on every
// choice, and after a short pause in typing.
class JournalFilterBar : public QWidget {
    Q_OBJECT

public:
    static constexpr int kTypingPauseMs = 300;

    explicit JournalFilterBar(QWidget* parent = nullptr);

    // The chosen filter, or nothing for a range that ends before it starts;
    // then both time fields are marked until the range is right.
    std::optional<JournalFilter> filter();

    QComboBox* kindChoice() const { return kind_; }
    QCheckBox* fromOn() const { return fromOn_; }
    QDateTimeEdit* fromTime() const { return from_; }
    QCheckBox* toOn() const { return toOn_; }
    QDateTimeEdit* toTime() const { return to_; }
    QLineEdit* searchText() const { return search_; }

signals:
    void changed();

private:
    QDateTimeEdit* timeField(const QDateTime& initial);
    void markRange(bool refused);

    QComboBox* kind_ = nullptr;
    QCheckBox* fromOn_ = nullptr;
    QDateTimeEdit* from_ = nullptr;
    QCheckBox* toOn_ = nullptr;
    QDateTimeEdit* to_ = nullptr;
    QLineEdit* search_ = nullptr;
    QTimer typingPause_;
};
