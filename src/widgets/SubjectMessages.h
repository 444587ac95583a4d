#pragma once

#include <QString>

class QStatusBar;

// What one source in a window says in the status bar, and about what (a
// command, the link), so that the news which answers it (the same command
// written after all, the link answering again) can take it back. A message
// shown since by anyone else is left alone.
class SubjectMessages {
public:
    explicit SubjectMessages(QStatusBar& bar);

    // detail, the technical reason, is the status bar's tooltip while the
    // message stands.
    void show(const QString& subject, const QString& text, const QString& detail, int timeoutMs);
    // Whether the bar still shows what was last shown here about subject.
    bool showing(const QString& subject) const;
    // What is still shown about subject gives way to text, or to nothing
    // when text is empty; otherwise nothing changes.
    void answer(const QString& subject, const QString& text = {}, int timeoutMs = 0);

private:
    QStatusBar& bar_;
    QString subject_;
    QString text_;
};
