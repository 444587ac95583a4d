#pragma once

#include <QString>
#include <QTranslator>

// Qt's own translation (qtbase_<language>.qm), for what Qt draws itself:
// its dialogs, standard buttons and the menus of its widgets. The texts Qt
// gives its files, databases, processes and sockets are left in English:
// they come back as the reasons of failures, which the log keeps in English
// and the station words for the operator itself.
class QtWidgetTranslator : public QTranslator {
    Q_OBJECT

public:
    using QTranslator::QTranslator;

    QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                      int n = -1) const override;

    // Whether texts of this context are translated here.
    static bool drawnByQt(const char* context);
};
