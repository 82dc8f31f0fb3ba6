#pragma once
// The inspection as the program keeps it, whatever shows it: the link to
// the gauge, the tables of readings (with their limits, the absolute-values
// switch and the counters), the project data, the texts of the language in
// use, the settings files, the program's identity and its log. It runs the
// commands to the gauge in the order the program has always kept and tells
// its view what the operator must see; it knows no window.

#include "archive/ArchiveRecord.h"
#include "charts/ChartTable.h"
#include "device/DeviceLink.h"
#include "evaluation/Acceptance.h"
#include "shared/Messart.h"
#include "device/ModelProfile.h"
#include "output/CsvExport.h"
#include "output/ReportText.h"
#include "output/WorkbookLayout.h"
#include "session/ProgramState.h"
#include "session/SessionView.h"
#include "session/TableOrigin.h"
#include "session/ShownTable.h"
#include "settings/DesktopMemory.h"
#include "settings/LogFile.h"
#include "settings/Settings.h"
#include "table/MeasurementFile.h"
#include "table/MeasurementTables.h"
#include "texts/Texte.h"

#include <QDateTime>
#include <QObject>
#include <QString>
#include <memory>
#include <vector>

namespace kivo {

class GaugeSession : public QObject, private DeviceView {
    Q_OBJECT
public:
    explicit GaugeSession(QObject* parent = nullptr);
    ~GaugeSession() override;

    // The link to the gauge over `serial`; `view` is told what the operator
    // must see while a command runs, and outlives the session.
    void attach(std::unique_ptr<SerialLink> serial, SessionView& view);
    DeviceLink& link() { return *gauge; }
    const DeviceLink& link() const { return *gauge; }

    MeasurementTables& tables() { return tableSet; }
    const MeasurementTables& tables() const { return tableSet; }
    Texte& texte() { return languageTexts; }
    const Texte& texte() const { return languageTexts; }
    bool german() const { return languageTexts.languageIndex == kGerman; }
    Settings& settings() { return settingsFiles; }
    ProgramIdentity& identity() { return programIdentity; }
    const ProgramIdentity& identity() const { return programIdentity; }
    LogFile& log() { return logFile; }
    // The recent files and the windows' places, kept for the user; opened
    // on first use, so sessions without a window never read it.
    DesktopMemory& desktop()
    {
        if (!desktopMemory) desktopMemory = std::make_unique<DesktopMemory>();
        return *desktopMemory;
    }
    void writeLog(const QString& text) override { logFile.WriteLog(text); }

    // The installation's model: its profile goes to the link. False for a
    // code of no model.
    bool setModel(const QString& code);
    // The table on show (kFE, kNFE or kOnline). While the gauge is asked
    // who it is, none is (kIdentification), until one is chosen again.
    int tableKind() const { return shownKind; }
    // The table `kind` on show; the link's next exchange is for it (its
    // dump, or its online readings).
    void showTable(int kind)
    {
        shownKind = kind;
        gauge->setMessart(kind);
    }
    // Online readings begin anew: a full table is said again.
    void onlineBegins()
    {
        onlineFullReported = false;
        origins[size_t(kOnline)] = gaugeOrigin(QStringLiteral("online"));
        emit onlineSessionBegins();
    }
    // The gauge on the line as the origin of a table of `source`.
    TableOrigin gaugeOrigin(const QString& source) const;
    // Where table `kind` came from, and the check chosen for it.
    const TableOrigin& origin(int kind) const;
    // The acceptance check made on the table on show, kept with it (none:
    // forgotten); the archive keeps it with the table's inspection.
    void setJudgement(const std::optional<Judgement>& judgement);

    // Where the settings, the log and the measurement files live, from the
    // program folder, the model and the brand (Konfi.ini's fields).
    void settleInstallation(const QString& programFolder, const KonfiFields& konfi);

    // The project data as saved, and the captions of its fields in the
    // language in use; a failure is told and logged, and false.
    const ProjectData& projectData() const { return project; }
    const ProjectCaptions& projectCaptions() const { return captions; }
    bool loadProjectCaptions();
    bool loadProjectData();
    // The dialog's edited copy; saved, it is the session's.
    bool saveProjectData(const ProjectData& data);
    // The limits of Limit.ini into the tables.
    bool loadLimits();
    // A settings action's outcome: a failure is told and logged, and false.
    bool reportSettings(const SettingsOutcome& failure);
    // The last settings failure's message (the action's text), "" if none.
    const QString& lastSettingsError() const { return settingsError; }

    // What became of a record line: taken into the table, and why not.
    struct Intake {
        bool kept = false;
        QString error; // "" or the line's fault ("6Overflow", "9Subscript out of range", a field's error)
    };
    // A gauge's record line into the table `kind`, read with the model's
    // profile and stamped with `now` where it carries no date and time. A
    // value that is no number, or one the measurement file could not hold,
    // never reaches the table; a full table takes nothing. The statistics
    // of the table count the reading.
    Intake takeRecordLine(const QString& zeile, int kind, const ModelProfile& profile, const QDateTime& now);
    // A record line into the table on show, now; a line refused for a fault
    // is told and logged. True when the reading was taken.
    bool takeLine(const QString& zeile);
    // The lines of a memory dump into the table on show, up to the table's
    // size or the first empty line; how many of them were refused.
    int takeDumpLines(const QStringList& zeilen);

    // The table on show as its views draw it: the rows' order and marks.
    const ShownTable& shown() const { return shownRows; }
    // Every reading of the table on show, in slot order, nothing marked.
    void redraw();
    // No row on show until the table is drawn again (a download begins).
    void clearShown() { shownRows.reset(0); }
    // A click on row `row` (from 0) marks it or takes its mark off.
    void toggleMark(int row) { shownRows.toggleMark(row); }
    // The Sort button: the rows by reading number, descending, or ascending
    // where they are descending already.
    void sortShown();
    // How row `row` looks, and its cells.
    RowLook rowLook(int row) const;
    std::array<QString, 4> rowCells(int row, const QLocale& locale) const;
    // The heading: the table's date, then the captions of number, value and unit.
    std::array<QString, 4> heading() const;
    // Deletes the reading in `slot` of the table on show; the others keep
    // all they had, numbered 1..n by their numbers.
    void deleteReading(int slot);

    // A measurement file's readings into the table on show, in place of
    // what it held; its statistics counted anew.
    void takeFile(const LoadedFile& file, const QString& name = QString());
    // An archived inspection's readings into the table on show, in place of
    // what it held, each with its date; the table is named `name` as a
    // file's is. The archive keeps it already: nothing is kept again.
    void takeInspection(const Inspection& inspection, const QString& name);
    // The project data, captions and limits the inspection was taken with,
    // for what is written of it; nothing is saved.
    void adoptProjectOf(const Inspection& inspection);
    // The file the table `kind` was loaded from, until it is forgotten.
    QString loadedFile(int kind) const { return kind >= kFE && kind <= kOnline ? fileNames[size_t(kind)] : QString(); }
    void forgetLoadedFile(int kind)
    {
        if (kind >= kFE && kind <= kOnline) fileNames[size_t(kind)].clear();
    }
    // The statistics of the table on show counted anew from its readings.
    void recount();

    // Opening the port and asking the gauge who it is.
    enum class Reach { Answered, NotOpen, NoAnswer, Ended };
    Reach reachGauge();
    // One memory downloaded into its table: the table is emptied, the dump
    // read and, whole, taken. What came compared with what the gauge
    // announced.
    struct MemoryDownload {
        bool opened = false;     // the port was open for it
        bool complete = false;   // the dump ended as it should
        bool cancelled = false;  // Escape, Ctrl+C or the program's end stopped it
        bool anyByte = false;    // the gauge sent something of the dump
        int announced = 0;       // readings the gauge said it holds (up to the table's size)
        int received = 0;        // lines that came
        int damaged = 0;         // lines refused as damaged
        int refused = 0;         // whole lines whose reading the table could not take (told on their own)
        bool exceeded = false;   // the gauge sent more than the table holds
        // Whole, yet fewer lines than announced, or some damaged.
        bool isShort() const;
    };
    MemoryDownload downloadMemory(); // into the table on show
    // The gauge's announced count for memory `kind`.
    int announcedCount(int kind) const;

    // The names of the memories for the model's layout, and the table's
    // name as the statistics give it.
    QString memoryName(int kind) const;
    QString statisticsName(int kind) const;
    // The statistics list of the table on show, computed for it.
    QStringList statisticsLines(const QLocale& locale);
    // The readings of table `kind` in slot order.
    std::vector<ReportRow> readingsOf(int kind) const;
    // The date the table's heading shows: a file's, else the day the
    // readings were taken.
    QString tableDate(int kind) const;
    // Everything the report of the table on show is made of.
    ReportInput reportInput(const QLocale& locale);
    // The table on show for the acceptance check, counted as the
    // statistics count it, and for the charts.
    JudgedTable tableToJudge() const;
    ChartTable chartTable() const;
    // The spreadsheet's input, its head the report's project block.
    WorkbookInput workbookInput(const QLocale& locale);
    // The readings of the table on show for CSV: a row without a date of
    // its own has the table's.
    std::vector<CsvReading> csvReadings() const;

signals:
    // A reading is in the table `kind` at `slot`; the next one goes to the
    // next slot once the views have drawn this one.
    void readingTaken(int kind, int slot);
    // A memory download runs: the port is open and the dump asked for;
    // `announced` readings are expected. Then it has ended.
    void downloadStarted(int kind, int announced);
    void downloadEnded();
    // A whole memory is in its table; a measurement file is in the table on
    // show; a new online session begins (its readings follow one by one).
    void memoryTaken(int kind);
    void fileTaken(int kind, const QString& name);
    void inspectionOpened(int kind);
    // The check kept with table `kind` changed.
    void judged(int kind);
    void onlineSessionBegins();
    // Many readings come at once (a dump): the views draw them at the end.
    void fillingTable(bool on);
    // The gauge told who it is.
    void gaugeIdentified();

private:
    // A record line into the table on show, a fault told and logged.
    Intake takeAndTell(const QString& zeile);
    // A table taken whole from a file or the archive: emptied and named
    // first, counted at the end.
    void beginTakenTable(int kind, const QString& name);
    void endTakenTable(int kind);

    // The device link's view: what is the inspection's is kept here, the
    // rest passes to the session's view.
    void showOpening() override { view->showOpening(); }
    void showStillConnected() override { view->showStillConnected(); }
    void showConnected(const QString& port) override { view->showConnected(port); }
    void showNotConnected() override { view->showNotConnected(); }
    void showNoPresence() override { view->showNoPresence(); }
    void showDeviceUnavailable(const QString& reason) override { view->showDeviceUnavailable(reason); }
    void showLinkLost() override { view->showLinkLost(); }
    void gaugeBusy() override
    {
        shownKind = kIdentification; // the gauge is asked who it is
        view->gaugeBusy();
    }
    void waitStarted() override { view->waitStarted(); }
    void waitEnded() override { view->waitEnded(); }
    void working(bool on) override { view->working(on); }
    MsgAnswer message(const QString& text, MsgIcon icon) override { return view->message(text, icon); }
    void identified(const std::optional<QString>& failure) override;
    void downloadProgress(int linesSeen) override { view->downloadProgress(linesSeen); }
    void dumpSplit(bool exceeded) override
    {
        dumpExceeded = exceeded;
        view->dumpSplit(exceeded);
    }
    void onlineRecord(const QString& zeile) override;
    bool onlineLine(const QString& zeile) override;
    void onlineLinesTaken() override { view->onlineLinesTaken(); }
    void onlineLineRefused(int refused) override { view->onlineLineRefused(refused); }
    void onlineHeld(const QString& text) override { view->onlineHeld(text); }
    bool onlineTableFull() const override { return tableSet.onlineFull(); }
    void reportOnlineTableFull() override;
    void commandEnded() override { view->commandEnded(); }

    Texte languageTexts;
    Settings settingsFiles;
    ProgramIdentity programIdentity;
    LogFile logFile;
    std::unique_ptr<DesktopMemory> desktopMemory;
    MeasurementTables tableSet;
    ProjectData project;
    ProjectCaptions captions;
    QString settingsError;
    QString readingDay; // "dd.MM.yyyy" of the last reading taken
    SessionView* view = nullptr;
    std::unique_ptr<DeviceLink> gauge;
    ShownTable shownRows;
    std::array<QString, 3> fileNames; // by table kind
    std::array<TableOrigin, 3> origins; // by table kind
    int shownKind = kFE;
    bool dumpExceeded = false; // the last dump held more than the table
    bool onlineFullReported = false; // said once per online session
};

// What the operator is told of a download that came whole yet short of the
// readings the gauge announced, or with damaged lines; nullopt when nothing
// is missing.
std::optional<QString> missingReadingsText(const GaugeSession::MemoryDownload& download, bool german);

} // namespace kivo
