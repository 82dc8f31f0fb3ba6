#include "texts/Phrases.h"

#include <iterator>

namespace kivo {

namespace {

struct Pair {
    Phrase key;
    const char* german;
    const char* english;
};

// In the order of the keys, so a key is its row.
constexpr Pair kPhrases[] = {
    // The port and reaching the gauge
    {Phrase::PortNoPermission,
     "Keine Berechtigung für %1. Der Benutzer muss zur Gruppe \"dialout\" gehören "
     "(sudo usermod -aG dialout $USER, dann neu anmelden).",
     "No permission to open %1. The user must be in the \"dialout\" group "
     "(sudo usermod -aG dialout $USER, then log in again)."},
    {Phrase::PortBusy, "%1 wird von einem anderen Programm benutzt.", "%1 is in use by another program."},
    {Phrase::PortMissing, "%1 ist nicht vorhanden.", "%1 does not exist."},
    {Phrase::ConnectHintStart,
     "Das Gerät hat nicht geantwortet. Bitte prüfen: Ist es eingeschaltet? Ist der richtige Port gewählt? ",
     "The gauge did not answer. Please check: Is it switched on? Is the right port chosen? "},
    {Phrase::ConnectHintPairing, "Ist es mit diesem PC gekoppelt?", "Is it paired with this computer?"},
    {Phrase::ConnectHintCable, "Steckt das Kabel?", "Is the cable plugged in?"},
    {Phrase::NoAnswerAppended, " – das Gerät hat nicht geantwortet.", " – the gauge did not answer."},
    {Phrase::WaitingForGauge, "Warten auf das Gerät – Esc bricht ab", "Waiting for the gauge – Esc cancels"},
    {Phrase::CancelWait, "Abbrechen", "Cancel"},

    // The ports as the operator sees them listed
    {Phrase::PortKindBluetooth, "Bluetooth-Schnittstelle", "Bluetooth serial port"},
    {Phrase::PortKindUsb, "USB-Schnittstelle", "USB serial port"},
    {Phrase::PortKindSerial, "Serielle Schnittstelle", "Serial port"},
    {Phrase::PortSerialNumber, "Seriennummer ", "serial number "},

    // What came over the wire
    {Phrase::ReplyTooLong, "Das Gerät sendet mehr Daten als erwartet. Die Übertragung wurde abgebrochen.",
     "The gauge sent more data than expected. The transfer was stopped."},
    {Phrase::DamagedLineRefused, "Beschädigte Zeile verworfen: \"%1\" (%2)", "Damaged line refused: \"%1\" (%2)"},
    {Phrase::DamagedLinesRefused, "%1 beschädigte Zeile(n) verworfen", "%1 damaged line(s) refused"},
    {Phrase::OnlineHeld,
     "Online-Messung angehalten: das Gerät sendete \"%1\". Online wählen, um fortzufahren.",
     "Online readings stopped: the gauge sent \"%1\". Choose Online to go on."},
    {Phrase::OnlineLineRefused, "1 beschädigte Zeile verworfen", "1 damaged line refused"},
    {Phrase::OnlineLinesRefused, "%1 beschädigte Zeilen verworfen", "%1 damaged lines refused"},

    // A download against the count the gauge announced
    {Phrase::ReadingsOnlyArrived, "Das Gerät meldete %1 Messwerte, empfangen wurden nur %2",
     "The gauge reported %1 readings, only %2 arrived"},
    {Phrase::ReadingsArrived, "Das Gerät meldete %1 Messwerte, empfangen wurden %2",
     "The gauge reported %1 readings, %2 arrived"},
    {Phrase::OneLineDamaged, "; 1 Zeile war beschädigt", "; 1 line was damaged"},
    {Phrase::LinesDamaged, "; %1 Zeilen waren beschädigt", "; %1 lines were damaged"},
    {Phrase::ReadMemoryAgain, ". Bitte den Speicher erneut lesen.", ". Please read the memory again."},
    {Phrase::ReadingStatus, "LESEN", "READING"},
    {Phrase::ReadingCancelled, "Lesen abgebrochen – es wurde nichts übernommen.",
     "Reading cancelled – nothing was taken."},

    // Files
    {Phrase::FileNotWritten, "Die Datei %1 kann nicht geschrieben werden: %2", "The file %1 cannot be written: %2"},
    {Phrase::FileNotRead, "Die Datei %1 kann nicht gelesen werden: %2", "The file %1 cannot be read: %2"},
    {Phrase::FolderNotCreated, "Der Ordner %1 kann nicht angelegt werden.", "The folder %1 cannot be created."},
    {Phrase::NoFreeFileName, "kein freier Dateiname", "no free file name"},
    {Phrase::NotARegularFile, "keine gewöhnliche Datei", "not a regular file"},
    {Phrase::PathNotFound, "Pfad nicht gefunden: %1", "Path not found: %1"},
    {Phrase::WorkbookIncomplete, "die Arbeitsmappe ist unvollständig", "the workbook is incomplete"},
    {Phrase::ZipNotWritten, "das Zip-Archiv konnte nicht geschrieben werden", "the zip archive could not be written"},

    // Files as the window says it
    {Phrase::FileSaved, "Gespeichert: ", "Saved: "},
    {Phrase::FileNotSaved, "Die Datei %1 konnte nicht gespeichert werden: %2", "The file %1 could not be saved: %2"},
    {Phrase::FileCouldNotBeRead, "Die Datei %1 konnte nicht gelesen werden: %2", "The file %1 could not be read: %2"},
    {Phrase::LinesNotLoaded, "%1 Zeilen in %2 waren keine Messwerte und wurden nicht geladen",
     "%1 lines in %2 were not readings and were not loaded"},
    {Phrase::FirstReadingsLoaded, "Nur die ersten %3 von %2 Messwerten aus %1 wurden geladen",
     "Only the first %3 of %2 readings in %1 were loaded"},
    {Phrase::LastLineCut, "%1 endet mitten in einer Zeile; diese letzte Zeile wurde nicht geladen.",
     "%1 ends in the middle of a line; that last line was not loaded."},
    {Phrase::EarlierOnlineFileKept, "%1 der letzten Sitzung aufbewahrt als %2", "%1 of the last session kept as %2"},
    {Phrase::ReportFileName, "Bericht", "Report"},
    {Phrase::ExportNotOpened, "Kein Programm hat die Datei geöffnet. Sie wurde gespeichert unter:\n",
     "No program opened the file. It was saved as:\n"},
    {Phrase::PrintingFailed, "Drucken nicht möglich: ", "Printing failed: "},
    {Phrase::ManualNotFound, "Datei %1 wurde nicht gefunden", "File %1 not found "},
    {Phrase::ManualNotOpened, "Kein Programm hat die Datei geöffnet. Sie liegt unter:\n",
     "No program opened the file. It is at:\n"},

    // Settings files
    {Phrase::FileTooLarge, "%1 ist zu groß", "%1 is too large"},
    {Phrase::UnknownModelCode, "Zeile 1: Gerätecode \"%1\" ist unbekannt (bekannt: %2)",
     "line 1: model code \"%1\" is unknown (known: %2)"},
    {Phrase::LineNotStorable, "Zeile %1: \"%2\" lässt sich in der Datei nicht speichern",
     "line %1: \"%2\" cannot be stored in the file"},
    {Phrase::LimitNotANumber, "%1 \"%2\" ist keine Zahl", "%1 \"%2\" is not a number"},

    // The CSV file's heading and the workbook's chart
    {Phrase::CsvDate, "Datum", "Date"},
    {Phrase::CsvTime, "Zeit", "Time"},
    {Phrase::CsvNumber, "Nr", "No"},
    {Phrase::CsvValue, "Wert", "Value"},
    {Phrase::CsvUnit, "Einheit", "Unit"},
    {Phrase::ChartReadings, "Messwerte", "Readings"},

    // The acceptance check
    {Phrase::JudgedTable, "Geprüft: %1, %2 %3", "Checked: %1, %2 %3"},
    {Phrase::JudgedReading, "Messwert", "reading"},
    {Phrase::JudgedReadings, "Messwerte", "readings"},
    {Phrase::JudgedAbsolute, ", Absolutwerte", ", absolute values"},
    {Phrase::NoReadingsToJudge, "Die Tabelle enthält keine Messwerte.", "The table holds no readings."},
    {Phrase::MixedUnitsNotJudged, "Die Messwerte haben verschiedene Einheiten; beurteilt wird nur eine Einheit.",
     "The readings have different units; only one unit can be judged."},
    {Phrase::NotMicrometres, "Die Messwerte sind in %1, nicht in µm: beurteilt werden nur Schichtdicken.",
     "The readings are in %1, not in µm: only coating thicknesses can be judged."},
    {Phrase::MeanAtLeastNominal, "Mittelwert ≥ %1 µm: %2 µm", "Mean ≥ %1 µm: %2 µm"},
    {Phrase::AllAtLeast80Percent, "Jeder Wert ≥ 80 % des Nennwerts (%1 µm): kleinster %2 µm",
     "Every reading ≥ 80 % of nominal (%1 µm): lowest %2 µm"},
    {Phrase::Below100UnderFifth, "Werte von 80 % bis unter 100 % des Nennwerts < %1 %: %2 %",
     "Readings from 80 % to below 100 % of nominal < %1 %: %2 %"},
    {Phrase::AllAtMostMaximum, "Jeder Wert ≤ Höchstwert %1 µm: größter %2 µm",
     "Every reading ≤ maximum %1 µm: highest %2 µm"},
    {Phrase::NinetyPercentAtNominal, "Mindestens %1 % der Werte ≥ Nennwert: %2 %",
     "At least %1 % of readings ≥ nominal: %2 %"},
    {Phrase::AllAtLeast90Percent, "Jeder Wert ≥ 90 % des Nennwerts (%1 µm): kleinster %2 µm",
     "Every reading ≥ 90 % of nominal (%1 µm): lowest %2 µm"},
    {Phrase::VerdictMet, "erfüllt", "met"},
    {Phrase::VerdictNotMet, "nicht erfüllt", "not met"},

    // The main window's later menus and buttons
    {Phrase::MenuEvaluation, "Auswertung", "Evaluation"},
    {Phrase::MenuAcceptanceCheck, "Abnahmeprüfung…", "Acceptance check…"},
    {Phrase::MenuCsvExport, "&Als CSV exportieren…", "Export as &CSV…"},
    {Phrase::AbsoluteValuesOn, "Absolutwerte: ein", "Absolute values: on"},
    {Phrase::AbsoluteValuesOff, "Absolutwerte: aus", "Absolute values: off"},

    // The acceptance check's window
    {Phrase::AcceptanceTitle, "Abnahmeprüfung", "Acceptance check"},
    {Phrase::RuleLabel, "Regel:", "Rule:"},
    {Phrase::NominalLabel, "Nennschichtdicke (µm):", "Nominal thickness (µm):"},
    {Phrase::MaximumLabel, "Höchstwert (µm):", "Maximum (µm):"},
    {Phrase::CorrectionLabel, "Korrekturwert (µm):", "Correction (µm):"},
    {Phrase::CheckButton, "&Prüfen", "&Check"},
    {Phrase::CopyButton, "&Kopieren", "C&opy"},
    {Phrase::MaximumHint, "Leer: kein Höchstwert", "Empty: no maximum"},
    {Phrase::CorrectionHint, "Wird von jedem Messwert abgezogen (raue Oberflächen)",
     "Subtracted from every reading (rough surfaces)"},
    {Phrase::EnterNominal, "Bitte die Nennschichtdicke eingeben.", "Please enter the nominal thickness."},

    // The project data's window
    {Phrase::ProjectFieldHint, "Nur Zeichen des westeuropäischen Zeichensatzes (Windows-1252)",
     "Only characters of the Western European character set (Windows-1252)"},
    {Phrase::CharacterNotStorable,
     "„%1“ kann nicht gespeichert werden: nur Zeichen des westeuropäischen "
     "Zeichensatzes (Windows-1252) sind möglich.",
     "“%1” cannot be saved: only characters of the Western European "
     "character set (Windows-1252) can be entered."},

    // kivo-cli: a command line that cannot be run
    {Phrase::CliNoModel, "Kein Modell: --model %1 oder Konfi.ini neben dem Programm",
     "No model: --model %1 or Konfi.ini beside the program"},
    {Phrase::CliJudgeOneFile, "judge braucht genau eine Datei", "judge needs exactly one file"},
    {Phrase::CliRule, "--rule iso19840, imo-pspc oder sspc-pa2", "--rule iso19840, imo-pspc or sspc-pa2"},
    {Phrase::CliNominal, "--nominal braucht eine Zahl über 0", "--nominal needs a number above 0"},
    {Phrase::CliNotNegative, "--%1 braucht eine Zahl ab 0", "--%1 needs a number of 0 or more"},
    {Phrase::CliPositive, "--%1 braucht eine Zahl über 0", "--%1 needs a number above 0"},
    {Phrase::CliCount, "--count braucht eine ganze Zahl ab 1", "--count needs a whole number of 1 or more"},
    {Phrase::CliConvertUsage, "convert DATEI.mes --out DATEI.csv|.xlsx|.odt",
     "convert FILE.mes --out FILE.csv|.xlsx|.odt"},
    {Phrase::CliConvertEnding, "--out braucht die Endung .csv, .xlsx oder .odt",
     "--out needs the ending .csv, .xlsx or .odt"},
    {Phrase::CliDownloadOnePort, "download braucht genau einen Port", "download needs exactly one port"},
    {Phrase::CliMemory, "--memory 1, 2 oder all", "--memory 1, 2 or all"},
    {Phrase::CliFormat, "Format mes, csv, xlsx oder odt (--format oder die Endung von --out)",
     "Format mes, csv, xlsx or odt (--format or the ending of --out)"},
    {Phrase::CliFormatNeedsOut, "xlsx und odt brauchen --out DATEI", "xlsx and odt need --out FILE"},
    {Phrase::CliOnlineOnePort, "online braucht genau einen Port", "online needs exactly one port"},
    {Phrase::CliOnlineEnding, "--out braucht die Endung .mes, .csv, .xlsx oder .odt",
     "--out needs the ending .mes, .csv, .xlsx or .odt"},

    // kivo-cli: files and the gauge
    {Phrase::CliNoReadingsIn, "Keine Messwerte in %1 gefunden", "No readings found in %1"},
    {Phrase::CliRowsNotLoaded, "%1 Zeilen in %2 waren keine Messwerte und wurden nicht geladen",
     "%1 rows in %2 were no readings and were not loaded"},
    {Phrase::CliPortNotOpened, "Der Port %1 kann nicht geöffnet werden", "The port %1 cannot be opened"},
    {Phrase::CliNoAnswerAt, "Das Gerät an %1 hat nicht geantwortet.", "The gauge at %1 did not answer."},
    {Phrase::CliNoMemory, "Dieses Gerät hat keinen Speicher: kivo-cli online",
     "This gauge has no memory: kivo-cli online"},
    {Phrase::CliOneMemoryOnly, "Dieses Gerät hat nur einen Speicher", "This gauge has one memory only"},
    {Phrase::CliMemoryEmpty, "%1: leer", "%1: empty"},
    {Phrase::CliCancelled, "Abgebrochen – es wurde nichts geschrieben.", "Cancelled – nothing was written."},
    {Phrase::CliMemorySilent, "%1: das Gerät hat nicht geantwortet; es wurde nichts geschrieben.",
     "%1: the gauge did not answer; nothing was written."},
    {Phrase::CliTransferBroke, "%1: die Übertragung brach ab; es wurde nichts geschrieben.",
     "%1: the transfer broke off; nothing was written."},
    {Phrase::CliReadingsWritten, "%1: %2 Messwerte in %3", "%1: %2 readings in %3"},
    {Phrase::CliLinkLost, "Die Verbindung zum Gerät brach ab.", "The link to the gauge was lost."},
    {Phrase::CliNoReadingSent, "Das Gerät hat keinen Messwert gesendet.", "The gauge sent no reading."},
    {Phrase::CliReadingWritten, "%1: 1 Messwert in %2", "%1: 1 reading in %2"},
    {Phrase::CliPortEmpty, "Der Port ist leer", "The port is empty"},
    {Phrase::CliNumberRange, "--%1 braucht eine Zahl über 0 und höchstens %2",
     "--%1 needs a number above 0 and at most %2"},
    {Phrase::CliTwoMemoriesNeedOut,
     "Das Gerät hat zwei Speicher: --memory 1 oder 2, oder --out DATEI für beide",
     "The gauge has two memories: --memory 1 or 2, or --out FILE for both"},
    {Phrase::CliWrongModel, "Das Gerät an %1 gehört zu %2, nicht zu %3: --model %4",
     "The gauge at %1 belongs to %2, not to %3: --model %4"},
    {Phrase::CliTooManyReadings, "%1: nur die ersten %2 von %3 Messwerten wurden übernommen.",
     "%1: only the first %2 of %3 readings were taken."},
    {Phrase::CliReadingsRefused, "%1: nicht übernommene Messwerte: %2 (siehe oben).",
     "%1: readings not taken: %2 (see above)."},
    {Phrase::CliOnlineHeld, "Das Gerät sandte eine Meldung statt eines Messwerts; die Online-Messwerte endeten.",
     "The gauge sent a message instead of a reading; the online readings ended."},
    {Phrase::CliFewerReadings, "Das Gerät schwieg %1 s; gekommene Messwerte: %2 von %3.",
     "The gauge was silent for %1 s; readings that came: %2 of %3."},
    {Phrase::CliDamagedOnline, "Verworfene beschädigte Zeilen: %1.",
     "Damaged lines refused: %1."},
    {Phrase::CliOptionTwice, "--%1 ist zweimal angegeben", "--%1 is given twice"},
    {Phrase::CliOutEmpty, "--out braucht einen Dateinamen", "--out needs a file name"},
    {Phrase::CliConvertNoFormat, "convert nimmt das Format aus der Endung von --out, nicht aus --format",
     "convert takes the format from the ending of --out, not from --format"},
    {Phrase::CliStdoutFailed, "Die Standardausgabe kann nicht geschrieben werden.", "Standard output cannot be written."},
    {Phrase::CliMaxIgnored, "--max gilt nur für iso19840 und bleibt hier unbeachtet.",
     "--max applies to iso19840 only and is not used here."},
    {Phrase::CliSignedIgnored, "Die Statistik von %1 zählt Beträge; --signed ändert nichts.",
     "The statistics of %1 count sizes; --signed changes nothing."},

    // kivo-cli models: the heading and the fields
    {Phrase::ModelsName, "NAME", "NAME"},
    {Phrase::ModelsLink, "VERBINDUNG", "LINK"},
    {Phrase::ModelsMemories, "SPEICHER", "MEMORIES"},
    {Phrase::ModelsSign, "VORZEICHEN", "SIGN"},
    {Phrase::ModelsStatistics, "STATISTIK", "STATISTICS"},
    {Phrase::ModelsGaugeCodes, "GERÄTECODES", "GAUGE CODES"},
    {Phrase::ModelsSimulator, "SIMULATOR", "SIMULATOR"},
    {Phrase::ModelsManual, "ANLEITUNG", "MANUAL"},
    {Phrase::ModelsNoMemory, "keine", "none"},
    {Phrase::ModelsNumbered, "nummeriert", "numbered"},
    {Phrase::ModelsCable, "Kabel", "cable"},
    {Phrase::ModelsRecord, "Satz", "record"},
    {Phrase::ModelsLine, "Zeile", "line"},
    {Phrase::ModelsYes, "ja", "yes"},
    {Phrase::ModelsNo, "nein", "no"},
    {Phrase::ModelsSigned, "mit Vorzeichen", "signed"},
    {Phrase::ModelsSizes, "Beträge", "sizes"},

    // The archive
    {Phrase::ArchiveUnreachable, "Archiv nicht erreichbar (%1) – die Messwerte warten und werden nachgetragen.",
     "Archive out of reach (%1) – the readings wait and will be added."},
    {Phrase::ArchiveLineUnusable, "Archivzeile nicht nutzbar (%1) – die Messwerte warten, bis sie berichtigt ist.",
     "The archive line cannot be used (%1) – the readings wait until it is mended."},
    {Phrase::ArchiveTodaysProject,
     "Die Tabelle zeigt Prüfung Nr. %1 mit den heutigen Projektdaten und Grenzwerten. Mit ihren eigenen schreibt sie "
     "das Archivfenster (Exportieren…).",
     "The table shows inspection %1 with today's project data and limits. The archive window writes it with its own "
     "(Export…)."},
    {Phrase::ArchiveNoAnswer, "keine Antwort binnen %1 s", "no answer within %1 s"},
    {Phrase::ArchiveRunning, "Prüfung Nr. %1 wird gerade aufgenommen und kann erst nach dem Online-Betrieb gelöscht werden.",
     "Inspection %1 is being taken and can be deleted once online measuring has ended."},
    {Phrase::ArchiveMenu, "Archiv…", "Archive…"},
    {Phrase::ArchiveTitle, "Archiv", "Archive"},
    {Phrase::ArchiveSearch, "Suchen:", "Search:"},
    {Phrase::ArchiveFrom, "von", "from"},
    {Phrase::ArchiveTo, "bis", "to"},
    {Phrase::ArchiveOpen, "Öffnen", "Open"},
    {Phrase::ArchiveExport, "Exportieren…", "Export…"},
    {Phrase::ArchiveClose, "Schließen", "Close"},
    {Phrase::ArchiveId, "Nr.", "ID"},
    {Phrase::ArchiveGauge, "Gerät", "Gauge"},
    {Phrase::ArchiveCount, "Anzahl", "Count"},
    {Phrase::ArchiveMean, "Mittelwert", "Mean"},
    {Phrase::ArchiveModel, "Modell", "Model"},
    {Phrase::ArchiveVersion, "Version", "Version"},
    {Phrase::ArchiveSerial, "Seriennummer", "Serial number"},
    {Phrase::ArchiveInstallation, "Installation", "Installation"},
    {Phrase::ArchiveProjectDate, "Projektdatum", "Project date"},
    {Phrase::ArchiveLimits, "Grenzwerte (min/max/soll)", "Limits (min/max/target)"},
    {Phrase::ArchiveMemory1, "Speicher 1", "Memory 1"},
    {Phrase::ArchiveMemory2, "Speicher 2", "Memory 2"},
    {Phrase::ArchiveFound, "Prüfungen: %1", "Inspections: %1"},
    {Phrase::ArchiveFoundNewest, "Die neuesten %1 Prüfungen – die Suche grenzt ein", "The newest %1 inspections – a search narrows them"},
    {Phrase::ArchiveCannotOpen, "Das Archiv kann nicht geöffnet werden: %1", "The archive cannot be opened: %1"},
    {Phrase::ArchiveDeleteQuestion, "Prüfung Nr. %1 (%2, %3 Messwerte) aus dem Archiv löschen?", "Delete inspection %1 (%2, %3 readings) from the archive?"},
    {Phrase::ArchiveNotDeleted, "Die Prüfung wurde nicht gelöscht: %1", "The inspection was not deleted: %1"},
    {Phrase::ArchiveNotLoaded, "Die Prüfung Nr. %1 kann nicht gelesen werden: %2", "Inspection %1 cannot be read: %2"},
    {Phrase::ArchiveBusy, "Während das Gerät arbeitet, kann keine Prüfung geöffnet werden.", "No inspection can be opened while the gauge is at work."},
    {Phrase::ArchiveNoTable, "Bitte zuerst eine Tabelle wählen (Speicher oder Online).", "Please choose a table first (a memory or online)."},
    {Phrase::ArchiveExportEnding, "Exportiert wird als .csv, .xlsx, .mes oder .odt.", "Export writes .csv, .xlsx, .mes or .odt."},
    {Phrase::ArchiveReplace, "Schon vorhandene Dateien: %1. Ersetzen?", "Files that exist already: %1. Replace them?"},
    {Phrase::ArchiveExported, "Geschriebene Dateien: %1, in %2", "Files written: %1, in %2"},
    {Phrase::ArchiveOpened, "Prüfung Nr. %1 vom %2 (%3) ist in der Tabelle.", "Inspection %1 of %2 (%3) is in the table."},
    {Phrase::CliArchiveUsage, "archive list [--search TEXT] [--from JJJJ-MM-TT] [--to JJJJ-MM-TT] | show NR | export NR --out DATEI.mes|.csv|.xlsx|.odt | import DATEI.mes…", "archive list [--search TEXT] [--from YYYY-MM-DD] [--to YYYY-MM-DD] | show ID | export ID --out FILE.mes|.csv|.xlsx|.odt | import FILE.mes…"},
    {Phrase::CliArchiveUnreachable, "Das Archiv %1 ist nicht erreichbar: %2", "The archive %1 cannot be reached: %2"},
    {Phrase::CliArchiveNoInspection, "Keine Prüfung Nr. %1 im Archiv", "No inspection %1 in the archive"},
    {Phrase::CliArchiveBadId, "Eine Prüfung wird mit ihrer Nummer genannt (aus archive list), nicht mit \"%1\"", "An inspection is named by its ID (from archive list), not by \"%1\""},
    {Phrase::CliArchiveDate, "--from und --to nehmen ein Datum JJJJ-MM-TT", "--from and --to take a date YYYY-MM-DD"},
    {Phrase::CliArchiveImported, "Nr. %1: %2, %3 Messwerte", "%1: %2, %3 readings"},
    {Phrase::CliArchiveKeptBefore, "Nr. %1: %2 ist schon im Archiv", "%1: %2 is in the archive already"},
    {Phrase::CliArchiveNotKept, "Die Messwerte sind nicht im Archiv (%1): %2", "The readings are not in the archive (%1): %2"},
    {Phrase::CliArchiveWaits, "Die Messwerte warten auf das Archiv (%1: %2) und werden beim nächsten Mal nachgetragen",
     "The readings wait for the archive (%1: %2) and will be added next time"},

    // SSPC-PA 2
    {Phrase::SspcSpotSize, "Ein Spot braucht mindestens einen Messwert.",
     "A spot needs at least one reading."},
    {Phrase::SspcShares, "Die Spot-Grenzen: höchstens 100 % des Minimums und mindestens 100 % des Maximums.",
     "The spot limits: at most 100 % of the minimum and at least 100 % of the maximum."},
    {Phrase::SspcMinMax, "Das Minimum muss über 0 und höchstens so groß wie das Maximum sein.",
     "The minimum must be above 0 and at most the maximum."},
    {Phrase::SspcSpotRule, "Jeder Spot (Mittel aus %1 Messwerten) zwischen %2 und %3 µm: %4 Spots",
     "Every spot (the mean of %1 readings) within %2 to %3 µm: %4 spots"},
    {Phrase::SspcSpotFails, "Spot aus den Messwerten %1: %2 µm",
     "Spot of readings %1: %2 µm"},
    {Phrase::SspcAreaRule, "Jede Fläche (Mittel aus 5 Spots) zwischen %1 und %2 µm: %3 Flächen",
     "Every area (the mean of 5 spots) within %1 to %2 µm: %3 areas"},
    {Phrase::SspcAreaFails, "Fläche aus den Messwerten %1: %2 µm (Spots: %3)",
     "Area of readings %1: %2 µm (spots: %3)"},
    {Phrase::SspcAreaShort, "Fläche aus den Messwerten %1: %2 µm, Spots: nur %3",
     "Area of readings %1: %2 µm, spots: only %3"},
    {Phrase::SspcLeftOver, "%1 Messwerte am Ende füllen keinen Spot und sind nicht beurteilt.",
     "%1 readings at the end fill no spot and are not judged."},
    // ISO 19840's correction for roughness
    {Phrase::GradeFine, "fein", "fine"},
    {Phrase::GradeMedium, "mittel", "medium"},
    {Phrase::GradeCoarse, "grob", "coarse"},
    {Phrase::CorrectionByGrade, "Korrektur für die Rauheit nach ISO 19840, Profil %1: %2 µm je Messwert", "Correction for roughness by ISO 19840, profile %1: %2 µm a reading"},
    {Phrase::CorrectionMeasured, "Korrektur für die Rauheit, gemessen: %1 µm je Messwert", "Correction for roughness, measured: %1 µm a reading"},
    // The inspection report
    {Phrase::ReportTitle, "Prüfbericht", "Inspection report"},
    {Phrase::ReportGauge, "Messgerät", "Gauge"},
    {Phrase::ReportGaugeUnknown, "nicht bekannt (Messwerte aus einer Datei)", "not known (readings from a file)"},
    {Phrase::ReportGaugeSoftware, "Geräte-Software", "Gauge software"},
    {Phrase::ReportSource, "Messwerte aus", "Readings from"},
    {Phrase::ReportTaken, "Gemessen", "Measured"},
    {Phrase::ReportFromTo, "%1 bis %2", "%1 to %2"},
    {Phrase::ReportProject, "Projekt", "Project"},
    {Phrase::ReportFigures, "Statistik und Grenzen", "Statistics and limits"},
    {Phrase::ReportStdDev, "Standardabweichung", "Standard deviation"},
    {Phrase::ReportCv, "Variationskoeffizient", "Coefficient of variation"},
    {Phrase::ReportLower, "Untergrenze", "Lower limit"},
    {Phrase::ReportUpper, "Obergrenze", "Upper limit"},
    {Phrase::ReportTarget, "Sollwert", "Target"},
    {Phrase::ReportNotSet, "nicht gesetzt", "not set"},
    {Phrase::ReportBelow, "unter der Untergrenze", "below the lower limit"},
    {Phrase::ReportWithin, "innerhalb der Grenzen", "within the limits"},
    {Phrase::ReportAbove, "über der Obergrenze", "above the upper limit"},
    {Phrase::ReportChart, "Messwerte in der Reihenfolge der Messung", "Readings in the order taken"},
    {Phrase::ReportHistogram, "Verteilung der Messwerte", "Distribution of the readings"},
    {Phrase::ReportReadings, "Alle Messwerte", "All readings"},
    {Phrase::ReportColValue, "Messwert", "Reading"},
    {Phrase::ReportColUnit, "Einh.", "Unit"},
    {Phrase::ReportColMaterial, "Mat.", "Mat."},
    {Phrase::ReportLegend, "▼ unter der Untergrenze, ▲ über der Obergrenze (fett gedruckt)", "▼ below the lower limit, ▲ above the upper limit (in bold)"},
    {Phrase::ReportPage, "Seite %1 von %2", "Page %1 of %2"},
    {Phrase::ReportSignature, "Datum: ____________________     Unterschrift: ________________________________", "Date: ____________________     Signature: ________________________________"},
    {Phrase::ReportMade, "Erstellt am %1 mit %2", "Made on %1 with %2"},
    {Phrase::ReportNoReadings, "Die Tabelle hält keine Messwerte: es gibt keinen Prüfbericht.", "The table holds no readings: there is no inspection report."},
    {Phrase::ReportMixedUnits, "Die Tabelle hält Messwerte in mehr als einer Einheit (%1): ein Prüfbericht braucht Messwerte einer Einheit.", "The table holds readings of more than one unit (%1): an inspection report needs readings of one unit."},
    {Phrase::ReportMenu, "Prüfbericht (PDF)…", "Inspection report (PDF)…"},
    {Phrase::ReportSaveTitle, "Prüfbericht speichern", "Save the inspection report"},
    {Phrase::ReportWritten, "Prüfbericht geschrieben: %1", "Inspection report written: %1"},
    {Phrase::ReportNotWritten, "Der Prüfbericht %1 kann nicht geschrieben werden: %2", "The inspection report %1 cannot be written: %2"},
    {Phrase::CliReportUsage, "report FILE.mes --out FILE.pdf [--rule ...] oder report --archive ID --out FILE.pdf", "report FILE.mes --out FILE.pdf [--rule ...] or report --archive ID --out FILE.pdf"},
    {Phrase::CliReportEnding, "--out muss auf .pdf enden", "--out must end in .pdf"},
    {Phrase::SspcRuleLabels, "Spot aus (Messwerten):|Spot ab (% des Minimums):|Spot bis (% des Maximums):|Minimum (µm):", "A spot of (readings):|Spot from (% of the minimum):|Spot to (% of the maximum):|Minimum (µm):"},
    {Phrase::GradeLabel, "Rauheit (ISO 19840):", "Roughness (ISO 19840):"},
    {Phrase::GradeMeasured, "gemessen (Korrekturwert)", "measured (correction)"},
    {Phrase::CliRoughness, "--roughness fine, medium oder coarse (nur mit --rule iso19840 und ohne --correction)", "--roughness fine, medium or coarse (only with --rule iso19840 and without --correction)"},
    {Phrase::CliSspcFigures, "sspc-pa2 braucht --min und --max; --spot, --low und --high sind ganze Zahlen", "sspc-pa2 needs --min and --max; --spot, --low and --high are whole numbers"},
};

constexpr bool everyKeyInItsRow()
{
    if (std::size(kPhrases) != size_t(Phrase::Count)) return false;
    for (size_t i = 0; i < std::size(kPhrases); ++i)
        if (size_t(kPhrases[i].key) != i) return false;
    return true;
}
static_assert(everyKeyInItsRow(), "kPhrases must list every Phrase once, in the order of the keys");

} // namespace

QString phrase(Phrase key, bool german)
{
    const size_t row = size_t(key);
    if (row >= std::size(kPhrases)) return {};
    return QString::fromUtf8(german ? kPhrases[row].german : kPhrases[row].english);
}

} // namespace kivo
