#pragma once

#include <gtest/gtest.h>

#include "app/Translations.h"

// Puts the interface into English for as long as it lives: build the windows
// after it, inside the test. Tests without one see the Chinese source texts.
// A missing .qm fails the test, or a width check would pass on Chinese.
class EnglishInterface {
public:
    EnglishInterface()
    {
        if (m_translations.loadedFiles().isEmpty())
            ADD_FAILURE() << "no English translation found in " << qPrintable(Translations::folders().join(", "));
    }

private:
    Translations m_translations{QStringLiteral("en")};
};
