#pragma once

#include <QString>

// The station's English for the texts of the translation system, whatever
// language the interface speaks: the English .qm files are built into the
// program and read here, never installed into the application, so the log
// is English in a Chinese interface and a tool can print English without
// a translation folder.
namespace EnglishTexts {

// The English of a Chinese source text in its context; the source itself
// when it has none (a text that is the same in both, a number).
QString translate(const char* context, const char* source);

// Installs the built-in English into the application for as long as the
// returned object lives, for a program without the station's translation
// folders (the command-line tools).
class Installed {
public:
    Installed();
    ~Installed();
    Installed(const Installed&) = delete;
    Installed& operator=(const Installed&) = delete;
};

} // namespace EnglishTexts
