#pragma once
// The main window: holds the controls and coordinates. Its handlers read
// controls, ask and tell the subsystems (the device link, the measurement
// tables, the settings, the language texts) and write what they report onto
// the screen. It is the device link's view.

#include "session/ProgramState.h"
#include "charts/ChartTable.h"
#include "device/DeviceLink.h"
#include "output/ReportText.h"
#include "session/ArchiveRecorder.h"
#include "session/GaugeSession.h"
#include "ui/Dialogs.h"
#include "platform/SerialLink.h"
#include "settings/LogFile.h"
#include "settings/Settings.h"
#include "table/MeasurementTables.h"
#include "texts/Texte.h"

#include <QColor>
#include <QMainWindow>
#include <functional>
#include <memory>
#include <vector>

class QAction;
class QDragEnterEvent;
class QDropEvent;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;

namespace kivo {

struct JudgedTable;

class ChartPanel;
class FlexGrid;
class PortWatcher;
class PictureBox;
class SingleInstance;
class frmWait;
class frmWerte;
class frmProjekt;
class frmChartG;
class frmInfo;
class frmAbnahme;
class frmArchiv;

// What the main window needs of the machine, handed in so tests and the
// driver can supply their own.
struct Platform {
    Dialogs* dialogs = nullptr;
    // Makes the link to the gauge's port; the real serial port unless a
    // test supplies its own.
    std::function<std::unique_ptr<SerialLink>()> makeSerialLink;
    // How often the port list is checked for plugged and unplugged ports.
    int portWatchIntervalMs = 1000;
    // Checks for a running copy of the program; off for tests that start
    // several windows side by side.
    bool singleInstance = true;
};

class frmTransfer : public QMainWindow, private SessionView {
    Q_OBJECT
    // The inspection this window shows; declared first, as the references
    // below name its parts.
    GaugeSession core;
    MeasurementTables& tables = core.tables();
    Texte& texte = core.texte();
    Settings& settings = core.settings();
    ProgramIdentity& identity = core.identity();

public:
    explicit frmTransfer(const Platform& platform, const QString& programFolder, QWidget* parent = nullptr);
    ~frmTransfer() override;

    // Start-up. False when another copy of the program already runs: this
    // one must then end without showing anything.
    bool Form_Load();

    // The inspection on show, and its link to the gauge.
    GaugeSession& session() { return core; }
    DeviceLink& deviceLink() { return *gauge; }
    // A wait for the gauge (or a Delay) is running.
    bool waiting() const { return gauge->waiting(); }
    // The program has ended (End button, menu or window closed).
    bool ended() const { return programEnded; }

    // The operator's actions that tests and benchmarks play directly; the
    // others are reached through the controls, as the operator reaches them.
    void cmdConnect_Click();
    void ReadAllMemories();
    void optFE_Click();
    void optNFE_Click();
    void optOnline_Click();
    void MSFlex_Click(int row);
    void cmdFlexZeileLoeschen_Click();
    void cmdChart_Click();
    void cmdSave_Click();
    void English_Click();
    void German_Click();
    void cmdEnde_Click();
    // A measurement file into the memory table on show (or, before a gauge
    // is connected, the first memory's): from the File menu, the recent
    // files, the command line or dropped on the window.
    void openMeasurementFile(const QString& path);
    // A file named on the command line or dropped: only a measurement file,
    // and not while the gauge is at work.
    void openGivenFile(const QString& path);
    // When Form_Load found another copy running: the file handed to that
    // copy instead; false when it could not be.
    bool handOverToRunningCopy(const QString& path);
    // Ports plugged in, pulled out or ready.
    void SCom1_PortChange(int kind, const QString& portName);
    // Many readings into the table on show at once, and the table drawn
    // anew (the benchmarks time these).
    void ResetStatistics();
    void ParseDownloadedLines(const QStringList& zeilen);
    void RebuildTable();

signals:
    // Emitted once when the program ends.
    void programEnd();

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    // The operator's other actions.
    void cmdLesFE_Click();
    void cmdLesNFE_Click();
    void cmdStop_Click();
    void cmdFlexTabelleloeschen_Click();
    void cmdSort_Click();
    void cmdGross_Click();
    void cmdAbs_Click();
    void cmdWerte_Click();
    void cmdWerte_LostFocus();
    void cmdProjekt_Click();
    void cmdClipboard_Click();
    void cmdprint_Click();
    void cmdExcel_Click();
    void cmdWord_Click();
    void cmdOpen_Click();
    void ComboPort_Change();
    void mnuEnd_Click();
    void mnuInfo_Click();
    void frmInfo_Activate();
    void mnuHelp1_Click();
    void mnuAbnahme_Click();
    void mnuCsv_Click();
    // The inspection report of the table on show as a PDF.
    void mnuPruefbericht_Click();
    void mnuArchiv_Click();
    void mnuOpen_Click();
    // True, with a word to the operator, while the gauge is at work.
    bool refusedWhileBusy();
    void mnuAbout_Click();
    // The recent files as the File menu's submenu.
    void fillRecentMenu();
    void openRecentFile(const QString& path);
    // An archived inspection into the table on show; "" or why not.
    QString openArchived(const Inspection& inspection);
    // A table just taken from a file or the archive, drawn and named.
    void showTakenTable(int kind, const QString& caption);
    // The evaluation and CSV commands need readings on show and no wait.
    void updateEvaluationCommands();
    // A file that could not be written: the path and the system's reason.
    void reportSaveFailure(const QString& path, const QString& reason);

    // The view's colours and controls.
    QColor selectionColour, normalColour, inLimitColour, outOfLimitColour;

    // Menus
    QMenu* mnuDatei;
    QAction* mnuEnd;
    QMenu* Language;
    QAction* English;
    QAction* German;
    QMenu* mnuHelp;
    QAction* mnuInfo;
    QAction* mnuHelp1;
    // Beside the gauge's own commands: judging a coat, and CSV for other programs.
    QMenu* mnuAuswertung;
    QAction* mnuAbnahme;
    QAction* mnuCsv;
    QAction* mnuPruefbericht;
    QAction* mnuArchiv;
    // The File menu's own items beside the buttons.
    QAction* mnuOpen;
    QAction* mnuSave;
    QAction* mnuPrint;
    QMenu* mnuRecent;
    QAction* mnuAbout;

    // Controls
    QGroupBox* Frame1;
    QPushButton* cmdEnde;
    QPushButton* cmdOpen;
    QPushButton* cmdSave;
    QGroupBox* Frame4;
    QPushButton* cmdClipboard;
    QPushButton* cmdprint;
    QPushButton* cmdWord;
    QPushButton* cmdExcel;
    QGroupBox* Frame3;
    QRadioButton* optFE;
    QRadioButton* optNFE;
    QRadioButton* optOnline;
    QPushButton* cmdStop;
    QGroupBox* Frame6;
    QPushButton* cmdSort;
    QPushButton* cmdFlexTabelleloeschen;
    QPushButton* cmdFlexZeileLoeschen;
    FlexGrid* MSFlex;
    QGroupBox* Frame5;
    PictureBox* picKivo;
    QPushButton* cmdChart;
    QPushButton* cmdAbs;
    QPushButton* cmdGross;
    QLineEdit* txtMittelwert;
    ChartPanel* MSChart1;
    QListWidget* lstStat;
    QGroupBox* Frame2;
    QComboBox* ComboPort;
    QPushButton* cmdConnect;
    PictureBox* picUsb;
    PictureBox* picBth;
    QLabel* lblExport = nullptr;      // status bar: where the last export was saved
    QLabel* lblConnectHint = nullptr; // status bar: what to check when the gauge did not answer
    QLabel* lblArchive = nullptr;     // status bar: the archive is out of reach
    QLabel* txtWait;
    QLineEdit* txtSpeicher;
    PictureBox* picVX;
    PictureBox* picRahmen;
    PictureBox* Image2;
    QPushButton* cmdLesen;
    QPushButton* cmdLesFE;
    QPushButton* cmdLesNFE;
    QPushButton* cmdWerte;
    QPushButton* cmdProjekt;

    // Other windows
    frmWait* waitWindow;
    frmWerte* werteWindow;
    frmProjekt* projektWindow;
    frmChartG* chartWindow;
    frmInfo* infoWindow;
    frmAbnahme* abnahmeWindow;
    frmArchiv* archivWindow;

    // Common routines
    void DisableCommands();
    void EnableCommands();
    std::vector<QWidget*> commandControls() const;
    void ClearRecordTexts();
    // The settings files the window reads and writes; each is false when it
    // failed (and the operator was told).
    bool beginSettings(); // each starts here: false once the program has ended
    bool loadKonfi();    // the model and the brand
    bool loadPort();
    bool savePort();
    bool loadLimits();
    bool saveLimits();
    bool loadLanguage();
    bool saveLanguage();
    bool loadProjectCaptions(); // the names of the project window's fields
    bool loadProjectData();     // the saved project data into the project window
    bool saveProjectData();     // the project window's fields
    void WriteLog(const QString& logtext) { core.writeLog(logtext); }
    void DeleteLog() { core.log().DeleteLog(); }
    void ApplyLanguage();
    // A message box; without a caption of its own it carries the
    // application title.
    MsgAnswer MsgBox(const QString& text, MsgButtons buttons = MsgButtons::OK, MsgIcon icon = MsgIcon::None,
                     const QString& caption = QString());

    // Readings and the table
    // A record line into the table being filled; true when the reading was
    // taken.
    bool FillMessdaten(const QString& zeile);
    void AppendReadingRow();
    void forgetLoadedFile(); // the caption of a table from a file goes back to its memory's
    void ScrollToLastRow();
    void ResetMemoryCaption();
    // The option of the table on show with a new count.
    void UpdateMemoryCaption(int count);
    void RelabelMemoryCaptions();
    void SelectTableAfterDownload();
    void SetupGrid();
    void ShowLimitsCaption();
    void showAbsoluteState(); // the +/- button pressed or not, and its tooltip
    void limitsSaved();
    void RefreshTable();
    void BuildReportText(const QString& mode);
    // Writes an export through `write` and hands it to the desktop; "Excel"
    // or "Word" names it in the log.
    void finishExport(const QString& application, const QString& base, const QString& suffix,
                      const std::function<QString(const QString& path)>& write);

    // Memory download and ports
    void ReadMemory();
    void ShowEmptyNotice();
    void SetupMemoryButtons();
    void ScanPorts();

    // State that lives with the window.
    bool onlineAutoSave = false;
    bool alleSpeicher = false;
    bool loadingFile = false;
    QString ReportText;
    QString helpFilePath; // the manual chosen last
    bool onlineSaveFailed = false; // the automatic save said so once already
    bool onlineFileKept = false;   // this online session has set the last one's Online.mes aside

    void createControls();
    void createMenus();
    void layoutControls();
    void connectHandlers();
    void createShortcuts(); // keys for the commands, the tab order
    void fitToScreen();     // the first size: as large as it was designed, no larger than the screen
    void applyModelRow();
    void applyBrand();
    void setStatusFieldLook(int widthTwips, int heightTwips, const QColor& background, const QColor& text,
                            int pointSize);
    void settleInstallation();
    void writeStartLog();
    void setLanguageTicks();
    void refreshTableInLanguage();
    void EndProgram();
    bool eventFilter(QObject* watched, QEvent* event) override;
    QString selectedPort() const;
    void showNoAnswer();
    void disableDeviceCommands();
    void saveOnlineReadings();
    void refreshPortList();
    // The port list's entries for the ports that suit the model.
    struct PortEntries {
        QStringList items;
        QStringList tooltips; // what the system knows of each port's device
    };
    PortEntries suitablePortEntries() const;
    void fitPortBox(const QStringList& tooltips);
    void applyColumnLayout();
    void beginTableBatch();
    void endTableBatch();
    void showStatistics();
    // The date the table's heading shows: a file's, else today's.
    QString tableDate() const { return core.tableDate(core.tableKind()); }
    QRadioButton* optionOf(int kind) const;
    void showMemoryTable(int kind);
    QString measurementFolder();
    bool keepEarlierOnlineFile(const QString& path);
    void narrowStatusField();
    void selectTable(QRadioButton* option);

    // What the session shows and asks while a command to the gauge runs.
    void showOpening() override;
    void showStillConnected() override;
    void showConnected(const QString& port) override;
    void showNotConnected() override;
    void showNoPresence() override;
    void showDeviceUnavailable(const QString& reason) override;
    void showLinkLost() override;
    void gaugeBusy() override;
    void waitStarted() override;
    void waitEnded() override;
    void working(bool on) override; // the hourglass pointer
    MsgAnswer message(const QString& text, MsgIcon icon) override;
    void identified(const std::optional<QString>& failure) override;
    void downloadProgress(int linesSeen) override;
    void dumpSplit(bool exceeded) override;
    void warnOfMissingReadings(const GaugeSession::MemoryDownload& download);
    void downloadStarted(int announced);
    void downloadEnded();
    QString statusBeforeDownload; // the status box's text before "LESEN"
    int languageBeforeDownload = 0;
    // The status bar names a file just written ("Export: ", "CSV: ", ...).
    void showFileWritten(const QString& what, const QString& path);
    QString readingText() const;
    bool downloading = false; // the status box reads "LESEN" meanwhile
    int onlineSaves = 0;      // Online.mes written since the start
    void onlineShown(const QString& zeile, bool record) override;
    void onlineLinesTaken() override;
    void flushOnlineSave();
    void setTableKind(int kind); // the table on show, kFE, kNFE or kOnline
    void onlineLineRefused(int refused) override;
    void onlineHeld(const QString& text) override;
    void commandEnded() override;

    Platform platform;
    std::unique_ptr<SingleInstance> instance;
    // Keeps every inspection in the archive as it happens.
    std::unique_ptr<ArchiveRecorder> recorder;
    void startArchive();
    bool programEnded = false;
    DeviceLink* gauge = nullptr;
    PortWatcher* portWatcher = nullptr;
    // The language changed while the gauge was busy: the table is drawn in
    // the new language once the command is over.
    bool refreshPending = false;
    bool onlineSavePending = false;
    QLabel* escapeHint = nullptr;
    QPushButton* cancelButton = nullptr;   // cancels a wait, like Escape
    QProgressBar* progressBar = nullptr;   // readings received of those announced
    // Set while many rows are written at once: the statistics list and the
    // grid's view are brought up to date once at the end.
    bool tableBatch = false;
    // The option that got the focus from an empty-memory notice: focusing it
    // again after the download selects nothing, so the notice stays.
    QRadioButton* focusedOption = nullptr;
};

} // namespace kivo
