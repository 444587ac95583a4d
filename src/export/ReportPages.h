#pragma once

#include <vector>

#include <QFont>
#include <QRect>
#include <QString>

#include "journal/JournalEvent.h"

class QPainter;
struct PeriodStatistics;
struct ReportJournal;

// The parts of a report page. Fonts are sized in device pixels from the
// page's height, so the text reads the same at any printer resolution.
struct ReportLayout {
    explicit ReportLayout(const QRect& page);

    QRect page;
    int line;  // one line of body text
    QFont title;
    QFont text;
};

// The heading on every page; returns where the page's content may start.
int drawReportHeading(QPainter& painter, const ReportLayout& layout, const QString& title, const QString& period,
                      const QString& pageText);

// The statistics in lines of text within area.
void drawReportStatistics(QPainter& painter, const ReportLayout& layout, const QRect& area,
                          const PeriodStatistics& statistics, double band, const ReportJournal& journal);

// How many event rows fit under the table's header in area.
int journalRowsFitting(const ReportLayout& layout, const QRect& area);

// The header and the events first .. first + count - 1 as table rows.
void drawJournalTable(QPainter& painter, const ReportLayout& layout, const QRect& area,
                      const std::vector<JournalEvent>& events, size_t first, size_t count);

// "3 天 04:05:06", or "04:05:06" under a day.
QString durationText(int64_t ms);
