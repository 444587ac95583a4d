#pragma once

#include <QString>

#include "core/ShownText.h"
#include "journal/JournalEvent.h"
#include "journal/StoredForms.h"

// A journal event as people read it, every column in the reader's language
// (the translators the program installed), worded from what the journal
// stores (StoredForms): "port 1 address 1" reads "端口 1 地址 1", "register
// 4108" the parameter's caption, a coil's "on" the operating state, the
// link's reason its words for the operator. A value it does not recognise,
// such as the texts earlier versions stored as they were shown, is shown
// as it stands. The journal window, tq5800-journal, the CSV export and the
// period report all read events through it.
struct ShownEvent {
    QString kind;
    QString source;
    QString what;
    QString oldValue;
    QString newValue;
    QString outcome;
    QString text;
    QString origin;
};

ShownEvent shownEvent(const JournalEvent& event);

// Whether text (case ignored) occurs in the event's subject, source,
// values or message, as stored or as shown: a search finds "比例带" in an
// event that stores "register 4108".
bool eventMentions(const JournalEvent& event, const QString& text);

// Why forwarding to the central server fails and what to do about it, for
// the journal, the status bar and the log; empty for an unknown cause.
ShownText forwardingCauseWords(StoredForms::ForwardingCause cause);
