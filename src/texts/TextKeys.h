#pragma once
// Names for the entries of the three language tables. Each name stands for
// the entry's old number, which the tables keep: the numbers are the ones
// the program has always had, so a gap is an entry that never was.

namespace kivo {

// Menus, the main window's buttons and the connection state.
enum class Menu {
    Datei = 0,
    DateiOeffnen = 1,
    InDateiSpeichern = 2,
    Drucken = 3,
    ProgrammBeenden = 4,
    Programmende = 5,
    Schnittstelle = 10,
    SchnittstelleWaehlen = 11,
    Datenuebertragung = 20,
    VomGeraetEinlesen = 21,
    Sprache = 30,
    Englisch = 31,
    Deutsch = 32,
    Hilfe = 40,
    Info = 41,
    Bedienungsanleitung = 42,
    Speichern = 43,
    Loeschen = 44,
    Verbinden = 50,
    Verbunden = 53,
    NichtVerbunden = 55,
};

// Captions, messages and the grid's headings.
enum class Msg {
    Nr = 0,
    Messwert = 1,
    Messeinheit = 2,
    SchnittstelleEingeben = 3,
    KeineDateiAusgewaehlt = 4,
    GueltigenPortWaehlen = 5,
    FeSpeicher = 6,
    NfeSpeicher = 7,
    Online = 8,
    InClipboardKopieren = 9,
    Statistik = 10,
    FeSpeicher2 = 11,
    NfeSpeicher2 = 12, // says "NFE-Speicher" without the 2, as it always has
    BitteWarten = 13,
    Titel = 14, // the program's title, set when the texts are filled
    FeSpeicher1 = 15,
    Datum = 16,
    Fertig = 17,
    FeSpeicherLeer = 18,
    NfeSpeicherLeer = 19,
    Messwerte = 20,
    Befehle = 21,
    GeraeteinfoFehler = 22,
    DatenKopierenNach = 23,
    PortAuswaehlen = 24,
    NurZahlen = 25,
    FalscherTabellentyp = 26,
    Speicher1Leer = 27,
    Speicher2Leer = 28,
    GeraetNichtVerfuegbar = 29,
    SpeicherEinlesen = 30,
    KeinPortVerfuegbar = 31,
    Speicher = 32,
    SpeicherIstLeer = 33,
    KeinEintragAusgewaehlt = 34,
    MinimumUeberMaximum = 35,
    SollwertAusserhalb = 36,
    GeraetespeicherBleibt = 37,
    Projektdaten = 38,
    Grenzwerte = 39,
    ZeileLoeschen = 40,
    TabelleLoeschen = 41,
    Bereit = 42,
    Geraet = 43,
    GeraeteSoftwareVersion = 44,
    Sollwert = 45,
    DatumUhrzeit = 46,
    SpeicherLeer = 47,
    BitteTabelleLoeschen = 48,
    ExcelMitChart = 49,
    TabelleWirklichLoeschen = 50,
    ZeileWirklichLoeschen = 51,
    NurPositiveWerte = 52,
    MaximaleAnzahlUeberschritten = 53,
    NurEineZeile = 54,
    Stopp = 55,
    Weiter = 56,
};

// The statistics block, its chart and the report's statistics lines.
enum class Stat {
    Anzahl = 1,
    Maximum = 2,
    Minimum = 3,
    Mittelwert = 4,
    StdAbweichung = 5,
    Statistik = 6,
    NichtMoeglich = 7,  // " Statistik nicht möglich,"
    DaVerschiedene = 8, // " da verschiedene"
    Messeinheiten = 9,  // " Messeinheiten "
    Sollwert = 10,      // padded to the labels' width
    MitAbsolutwerten = 11,
    LinieBalken = 12,
    Daten = 13,
};

} // namespace kivo
