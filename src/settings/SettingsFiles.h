#pragma once
// Readers and writers of the settings files, as pure functions over lines.
// A reader fills the fields line by line and stops at the first bad line:
// what it set before that line stays set, and it returns the reason.

#include "shared/LocaleNumber.h"

#include <QDate>
#include <QLocale>
#include <QString>
#include <QStringList>
#include <QTime>
#include <array>
#include <optional>

namespace kivo {

// nullopt when the whole file was read; otherwise why it stopped.
using ReadFailure = std::optional<QString>;

// File names and the failure messages of the ten settings actions.
QString settingsFileName(const QString& aktion);
QString settingsErrorText(const QString& aktion, int languageIndex);

// Where the program folder's Konfi.ini is. An installed package links it to
// the machine's own in <root>/etc/kivo-ridivori/; where that link leads
// nowhere (the package unpacked into a folder of its own rather than
// installed), the one in the unpacked etc/ folder is meant.
QString konfiPath(const QString& programFolder);

// The reasons that follow an action's message, in the interface language:
// a file past the reading bound, refused whole ("… ist zu groß"); a model
// code of no model, with the codes there are.
QString tooLargeText(const QString& path, int languageIndex);
QString unknownModelText(const QString& geraet, const QStringList& knownCodes, int languageIndex);

// Why `lines` cannot be written as they are: the first character a line of
// the code page cannot hold, which would come back as "?" or split a line.
ReadFailure unwritableLines(const QStringList& lines, int languageIndex);

// Konfi.ini: model code on line 1, brand lines "code;name;program;". The
// brand name and the program name become folders: one with "/", "\" or
// ".." fails its line.
struct KonfiFields {
    QString geraet;
    QString brandCode;
    QString brandName;
    QString kpgmname;
};
ReadFailure readKonfi(const QStringList& lines, KonfiFields& fields);

// Port.ini: the last port. `portnr` is the number as text (or the system
// port name), `comboText` what the port list shows for it.
struct PortIniFields {
    QString portnr;
    QString comboText;
    bool askForPort = false; // an empty line: ask the operator to choose
};
ReadFailure readPortIni(const QStringList& lines, PortIniFields& fields);
QStringList writePortIni(const QString& portnr);
// What the port list shows for a port as Port.ini names it: "COM" and the
// number for a numbered port, the system's name as it stands otherwise.
QString portDisplayName(const QString& stored);

// Limit.ini: "Emin;Emax;Esoll;" in the locale's number format.
struct LimitFields {
    double Emin = 0;
    double Emax = 0;
    double Esoll = 0;
    QString EminStr;
    QString EmaxStr;
    QString EsollStr;
};
ReadFailure readLimitIni(const QStringList& lines, LimitFields& fields, const QLocale& locale);
QStringList writeLimitIni(const LimitFields& fields, const QLocale& locale);
// Why the limits cannot be written: a value that is no finite number, which
// the reader would refuse and so lose the other limits with it.
ReadFailure unwritableLimits(const LimitFields& fields, int languageIndex);
// The shortest text (up to 15 significant digits) that gives the value back.
QString formatLimitNumber(double value, const QLocale& locale);

// Language.ini: the language index on the first line.
ReadFailure readLanguageIni(const QStringList& lines, int& languageIndex);
QStringList writeLanguageIni(int languageIndex);
// The language a stored index stands for: above 1 English, below 0 German.
int clampLanguage(int languageIndex);

// Projekt.ini: "German caption;English caption;" per project field.
constexpr int kProjectFields = 6;
using ProjectCaptions = std::array<QString, kProjectFields>;
ReadFailure readProjektIni(const QStringList& lines, int languageIndex, ProjectCaptions& captions);

// Projektdaten.ini: the six field texts, then "DT dd.mm.yyyy;hh:mm". The
// first six lines are always the fields; the date line follows them.
struct ProjectData {
    std::array<QString, kProjectFields> felder;
    QDate date;
    QTime time;
};
constexpr int kProjectFieldLength = 30;
ReadFailure readProjektdaten(const QStringList& lines, ProjectData& data);
QStringList writeProjektdaten(const ProjectData& data);

} // namespace kivo
