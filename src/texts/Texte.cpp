#include "texts/Texte.h"

namespace kivo {

namespace {

struct Entry {
    int index;
    const char* german;
    const char* english;
};

template <size_t N, size_t M>
void fill(std::array<std::array<QString, N>, 2>& table, const Entry (&entries)[M])
{
    for (auto& slot : table) slot.fill(QString());
    for (const Entry& e : entries) {
        table[0][size_t(e.index)] = QString::fromUtf8(e.german);
        table[1][size_t(e.index)] = QString::fromUtf8(e.english);
    }
}

const Entry kMenu[] = {
    {0, "Datei", "File"},
    {1, "Datei öffnen", "Open Data File"},
    {2, "In Datei speichern", "Save to File"},
    {3, "Drucken", "Print"},
    {4, "Programm beenden", "Exit Program"},
    {5, "Programmende", "Exit program"},
    {10, "Schnittstelle", "Interface"},
    {11, "Schnittstelle wählen", "Select Interface"},
    {20, "Datenübertragung", "Data Transfer"},
    {21, "Vom Gerät einlesen", "Read Data from device"},
    {30, "Sprache", "Language"},
    {31, "Englisch", "English"},
    {32, "Deutsch", "German"},
    {40, "Hilfe", "Help"},
    {41, "Info", "Info"},
    {42, "Bedienungsanleitung", "Manual"},
    {43, "Speichern", "Save"},
    {44, "Löschen", "Delete"},
    {50, "Verbinden", "Connect"},
    {53, "Verbunden", "Connected"},
    {55, "Nicht Verbunden", "not connected"},
};

const Entry kMessage[] = {
    {0, "Nr.", "No."},
    {1, "Messwert", "Value"},
    {2, "Messeinheit", "Unit"},
    {3, "Geräte-Schnittstelle eingeben :", "Enter COM-Port of device :"},
    {4, "Keine Datei ausgewählt!", "No file selected !"},
    {5, "Bitte gültigen COM-Port wählen !", "Please select valid COM-Port !"},
    {6, "FE-Speicher", "FE-Memory"},
    {7, "NFE-Speicher", "NFE-Memory"},
    {8, "Online", "Online"},
    {9, "Daten in Clipboard kopieren", "Copy data to clipboard"},
    {10, "Statistik:", "Statistics:"},
    {11, "FE-Speicher2", "FE-Memory2"},
    {12, "NFE-Speicher", "NFE-Memory"},
    {13, "Bitte warten....", "Please wait...."},
    {15, "FE-Speicher1", "FE-Memory1"},
    {16, "Datum:", "Date:"},
    {17, "Fertig", "Done"},
    {18, "FE-Speicher leer!", "FE-Storage empty"},
    {19, "NFE-Speicher leer!", "NFE-Storage empty"},
    {20, "Messwerte", "Data"},
    {21, "Befehle", "Commands"},
    {22, "Fehler beim Einlesen der Geraeteinformationen", "Read device information Error"},
    {23, "Daten kopieren nach", "Copy data to"},
    {24, "Bitte COM-Port auswählern", "Please select COM-Port"},
    {25, "Eingabe muss numerisch sein!", "Numeric field required!"},
    {26, "Werte passen nicht zum Tabellentyp !", "Data doesn't match table type !"},
    {27, "Speicher 1 ist leer", "Memory 1 has no data"},
    {28, "Speicher 2 ist leer", "Memory 2 has no data"},
    {29, "Gerät nicht verfügbar !", "Device is not available !"},
    {30, "Speicher einlesen", "Read Storage"},
    {31, "Kein Com-Port verfügbar!", "No Com-Port available!"},
    {32, "Speicher", "Memory"},
    {33, "Speicher ist leer", "Memory has no data"},
    {34, "Kein Eintrag ausgewählt", "No entry selected"},
    {35, "Minimum größer als Maximum!", "Minimum higher than maximum!"},
    {36, "Sollwert muss zwischen Minimum und Maximum liegen!", "Target value should be within Minimum and Maximum!"},
    {37, "Achtung Gerätespeicher kann hier nicht gelöscht werden!", "Warning! Device-Storage will not be deleted!"},
    {38, "Projektdaten", "Project data"},
    {39, "Grenzwerte", "Limits"},
    {40, "Zeile löschen", "Delete row"},
    {41, "Tabelle löschen", "Delete Tab"},
    {42, "BEREIT", "READY"},
    {43, "Geraet", "Device"},
    {44, "Geraete Software Version", "Device Softwareversion"},
    {45, "Sollwert", "Target value"},
    {46, "Datum/Uhrzeit", "Date/Time"},
    {47, "Speicher leer", "Storage empty"},
    {48, "Bitte Tabelle löschen", "Please delete Table"},
    {49, "Excel inklusive Chart erstellen?", "Generate Excel Worksheet with chart?"},
    {50, "Wollen Sie die Tabelle wirklich löschen?", "Do you really want to delete this table?"},
    {51, "Wollen Sie die markierte Zeile wirklich löschen?", "Do you really want to delete this row?"},
    {52, "Nur positive Werte erlaubt", "Only positive digits allowed"},
    {53, "Maximale Werteanzahl überschritten", "Maximal number of data exceeded"},
    {54, "Bitte nur eine Zeile auswählen", "Please choose only one row"},
    {55, "Stopp", "Stop"},
    {56, "Weiter", "Continue"},
};

const Entry kStat[] = {
    {1, "Anzahl", "Number"},
    {2, "Maximum", "Maximum"},
    {3, "Minimum", "Minimum"},
    {4, "Mittelwert", "Average"},
    {5, "Std.Abweichung", "Std.Deviation"},
    {6, "Statistik:", "Statistics:"},
    {7, " Statistik nicht möglich,", " Statistics not possible"},
    {8, " da verschiedene", " cause of different"},
    {9, " Messeinheiten ", " measurement units"},
    {10, "Sollwert    ", "Target value"},
    {11, "  mit Absolutwerten", "  with absolute values"},
    {12, "Linie / Balken", "Line / Bar"},
    {13, "Daten", "Data"},
};

template <size_t M>
QString lookUp(const Entry (&entries)[M], int index, bool german)
{
    for (const Entry& e : entries)
        if (e.index == index) return QString::fromUtf8(german ? e.german : e.english);
    return {};
}

} // namespace

void Texte::FillMenuTexts() { fill(menu, kMenu); }

void Texte::FillMessageTexts(const QString& titleText)
{
    fill(message, kMessage);
    message[0][size_t(Msg::Titel)] = titleText;
    message[1][size_t(Msg::Titel)] = titleText;
    fill(stat, kStat);
}

QString tableText(Menu key, bool german) { return lookUp(kMenu, int(key), german); }
QString tableText(Msg key, bool german) { return lookUp(kMessage, int(key), german); }
QString tableText(Stat key, bool german) { return lookUp(kStat, int(key), german); }

} // namespace kivo
