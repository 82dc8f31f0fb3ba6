#pragma once
// What the About box says: the program and its version, and the libraries
// it uses with their versions and licences.

#include <QString>

namespace kivo {

struct AboutFacts {
    QString title;          // the program's title, as the window's caption has it
    QString version;        // the package's version
    QString builtWithQt;    // the Qt the program was built with
    QString runningQt;      // the Qt it runs with now
    QString xlsxwriter;     // libxlsxwriter's version
    QString zlib;           // the zlib minizip is part of
    QString licenceTexts;   // where the licence texts are; empty when not known
};

// The facts of this build and of the libraries loaded.
AboutFacts aboutFacts(const QString& title, const QString& licenceTexts);

// The box's text, lines separated by '\n'.
QString aboutText(const AboutFacts& facts, bool german);

} // namespace kivo
