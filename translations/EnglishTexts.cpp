// The library holds the English .qm files as resources; this registers
// them, so a program that never names them still gets them linked in.
#include <QtGlobal>

void tq5800RegisterEnglishTexts()
{
    Q_INIT_RESOURCE(tq5800_english_texts);
}
