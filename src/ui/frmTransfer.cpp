#include "ui/frmTransfer.h"

#include "ui/Controls.h"
#include "ui/frmInfo.h"
#include "ui/frmWait.h"
#include "ui/frmChartG.h"
#include "ui/frmAbnahme.h"
#include "ui/frmArchiv.h"
#include "session/ArchiveExport.h"
#include "ui/ChartPanel.h"
#include "ui/ElidedLabel.h"
#include "ui/FlexGrid.h"
#include "ui/PictureBox.h"
#include "platform/PortWatcher.h"
#include "platform/QtSerialLink.h"
#include "platform/SingleInstance.h"
#include "ui/frmProjekt.h"
#include "ui/frmWerte.h"
#include "ui/MenuFollowsButton.h"
#include "ui/WindowPlaces.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStackedLayout>
#include <QStatusBar>
#include <QVBoxLayout>

// The built-in pictures live in the static core library, whose resource
// table the linker leaves out unless something names it.
static void initPictures() { Q_INIT_RESOURCE(pictures); }

namespace kivo {

namespace {

// "Lucida Console" where the system has it, else the system's fixed font.
QFont fixedFont(int pointSize)
{
    QFont font(QStringLiteral("Lucida Console"), pointSize);
    if (!QFontDatabase::families().contains(font.family())) {
        font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        font.setPointSize(pointSize);
    }
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption)
{
    auto* b = makeControl<QPushButton>(parent, name, "button", caption);
    b->setAutoDefault(true); // Return presses the button that has the focus
    return b;
}

} // namespace

frmTransfer::frmTransfer(const Platform& platform_, const QString& programFolder, QWidget* parent)
    : QMainWindow(parent), platform(platform_)
{
    initPictures();
    setObjectName(QStringLiteral("frmTransfer"));
    identity.programFolder = programFolder;
    core.attach(platform.makeSerialLink ? platform.makeSerialLink() : std::make_unique<QtSerialLink>(), *this);
    gauge = &core.link();
    settings.setFolders(programFolder, QString(), QString()); // Konfi.ini is read before the data folders are known
    createMenus();
    createControls();
    layoutControls();
    connectHandlers();
    createShortcuts();

    waitWindow = new frmWait(this);
    werteWindow = new frmWerte(this);
    projektWindow = new frmProjekt(this);
    werteWindow->attach(tables, texte, [this](const QString& text) { MsgBox(text); });
    connect(werteWindow, &frmWerte::saved, this, &frmTransfer::limitsSaved);
    projektWindow->attach(texte);
    // Saved, the window closes; a save that failed keeps it open with the
    // text. Closed, its fields hold what is saved again, the text typed and
    // not saved gone, so no report prints it.
    connect(projektWindow, &frmProjekt::saveRequested, this, [this] {
        if (saveProjectData()) projektWindow->hide();
    });
    connect(projektWindow, &frmProjekt::hidden, this, [this] {
        if (!programEnded) loadProjectData();
    });
    chartWindow = new frmChartG(this);
    infoWindow = new frmInfo(this);
    abnahmeWindow = new frmAbnahme(this);
    abnahmeWindow->attach(texte, [this] { return core.tableToJudge(); }, [this](const QString& text) { MsgBox(text); },
                          [](const QString& text) { QApplication::clipboard()->setText(text); });
    abnahmeWindow->onJudged([this](const Judgement& judgement) { core.setJudgement(judgement); });
    archivWindow = new frmArchiv(this);
    archivWindow->attach({[this] { return recorder ? recorder->openAnother() : nullptr; },
                          [this](const Inspection& in) { return openArchived(in); },
                          [this](const Inspection& in, const QString& path, TableFormat format) {
                              return writeInspection(in, core, path, format);
                          },
                          [this](const QString& text, MsgButtons buttons, MsgIcon icon) {
                              return platform.dialogs->MsgBox(archivWindow, text, buttons, icon, identity.titleText());
                          },
                          [this](const QString& filter) {
                              return platform.dialogs->saveFileName(archivWindow, measurementFolder(), filter);
                          },
                          [this] { return core.projectCaptions(); },
                          [this] { return whyUnreachable(sessionArchive(core), nullptr); },
                          [this] { return recorder ? recorder->recordingUuid() : QString(); }});
    connect(infoWindow, &frmInfo::activated, this, &frmTransfer::frmInfo_Activate);
    setWindowIcon(QIcon(QStringLiteral(":/pictures/app_icon.png")));
    setAcceptDrops(true); // a measurement file dropped on the window opens

    portWatcher = new PortWatcher(this);
    connect(portWatcher, &PortWatcher::portChanged, this, &frmTransfer::SCom1_PortChange);
    // While the program waits for the gauge, the status bar says how to
    // cancel, and offers a button for it.
    escapeHint = makeControl<QLabel>(this, "escapeHint", "label");
    cancelButton = makeControl<QPushButton>(this, "cancelButton", "button");
    cancelButton->setFocusPolicy(Qt::NoFocus);
    connect(cancelButton, &QPushButton::clicked, this, [this] {
        gauge->cancel();
    });
    progressBar = makeControl<QProgressBar>(this, "progressBar", "progress");
    progressBar->setFormat(QStringLiteral("%v / %m"));
    // Wide enough for the largest count.
    progressBar->setMinimumWidth(progressBar->fontMetrics().horizontalAdvance(QStringLiteral("5000 / 5000")) + 48);
    progressBar->setMaximumWidth(qMax(220, progressBar->minimumWidth()));
    statusBar()->addWidget(escapeHint);
    statusBar()->addWidget(progressBar);
    statusBar()->addWidget(cancelButton);
    lblConnectHint = makeControl<QLabel>(this, "lblConnectHint", "label");
    lblConnectHint->setStyleSheet(QStringLiteral("color: rgb(160,0,0);"));
    statusBar()->addWidget(lblConnectHint);
    lblArchive = makeControl<QLabel>(this, "lblArchive", "label");
    lblArchive->setStyleSheet(QStringLiteral("color: rgb(160,0,0);"));
    statusBar()->addWidget(lblArchive);
    lblExport = makeControl<ElidedLabel>(this, "lblExport", "label");
    statusBar()->addPermanentWidget(lblExport);
    progressBar->setVisible(false);
    escapeHint->setVisible(false);
    cancelButton->setVisible(false);
    qApp->installEventFilter(this);
}

frmTransfer::~frmTransfer()
{
    qApp->removeEventFilter(this);
}

void frmTransfer::createMenus()
{
    mnuDatei = menuBar()->addMenu(QStringLiteral("Datei"));
    mnuDatei->menuAction()->setObjectName(QStringLiteral("mnuDatei"));
    mnuDatei->menuAction()->setProperty(kKindProperty, QStringLiteral("menu"));
    mnuEnd = makeMenuItem(this, "mnuEnd", QStringLiteral("Programm beenden"));
    mnuOpen = makeMenuItem(this, "mnuOpen", QStringLiteral("Öffnen…"));
    mnuRecent = new QMenu(QStringLiteral("Zuletzt verwendet"), this);
    mnuRecent->menuAction()->setObjectName(QStringLiteral("mnuRecent"));
    mnuRecent->menuAction()->setProperty(kKindProperty, QStringLiteral("menu"));
    mnuSave = makeMenuItem(this, "mnuSave", QStringLiteral("Speichern…"));
    mnuPrint = makeMenuItem(this, "mnuPrint", QStringLiteral("Drucken…"));
    mnuCsv = makeMenuItem(this, "mnuCsv", QStringLiteral("Als CSV exportieren…"));
    mnuPruefbericht = makeMenuItem(this, "mnuPruefbericht", QStringLiteral("Prüfbericht (PDF)…"));
    mnuArchiv = makeMenuItem(this, "mnuArchiv", QStringLiteral("Archiv…"));
    mnuDatei->addAction(mnuOpen);
    mnuDatei->addMenu(mnuRecent);
    mnuDatei->addSeparator();
    mnuDatei->addAction(mnuSave);
    mnuDatei->addAction(mnuPrint);
    mnuDatei->addAction(mnuCsv);
    mnuDatei->addAction(mnuPruefbericht);
    mnuDatei->addSeparator();
    mnuDatei->addAction(mnuArchiv);
    mnuDatei->addSeparator();
    mnuDatei->addAction(mnuEnd);

    Language = menuBar()->addMenu(QStringLiteral("Sprache"));
    Language->menuAction()->setObjectName(QStringLiteral("Language"));
    Language->menuAction()->setProperty(kKindProperty, QStringLiteral("menu"));
    English = makeMenuItem(this, "English", QStringLiteral("Englisch"), true);
    German = makeMenuItem(this, "German", QStringLiteral("Deutsch"), true);
    Language->addAction(English);
    Language->addAction(German);

    mnuAuswertung = menuBar()->addMenu(QStringLiteral("Auswertung"));
    mnuAuswertung->menuAction()->setObjectName(QStringLiteral("mnuAuswertung"));
    mnuAuswertung->menuAction()->setProperty(kKindProperty, QStringLiteral("menu"));
    mnuAbnahme = makeMenuItem(this, "mnuAbnahme", QStringLiteral("Abnahmeprüfung…"));
    mnuAuswertung->addAction(mnuAbnahme);

    mnuHelp = menuBar()->addMenu(QStringLiteral("Hilfe"));
    mnuHelp->menuAction()->setObjectName(QStringLiteral("mnuHelp"));
    mnuHelp->menuAction()->setProperty(kKindProperty, QStringLiteral("menu"));
    mnuInfo = makeMenuItem(this, "mnuInfo", QStringLiteral("Info"));
    mnuHelp1 = makeMenuItem(this, "mnuHelp1", QStringLiteral("Bedienungsanleitung"));
    mnuAbout = makeMenuItem(this, "mnuAbout", QStringLiteral("Über Kivo RIDIVORI…"));
    mnuHelp->addAction(mnuInfo);
    mnuHelp->addAction(mnuHelp1);
    mnuHelp->addSeparator();
    mnuHelp->addAction(mnuAbout);
}

// The captions here are those of German until ApplyLanguage sets them in the
// language of the moment; the ones it leaves ("Clipboard", "MS Word",
// "MS Excel", "Sort", "Tabelle", "Chart", "+/-", "<=>", "FE", "NFE") are
// shown alike in both languages.
void frmTransfer::createControls()
{
    auto* central = new QWidget(this);
    central->setObjectName(QStringLiteral("centralWidget"));
    setCentralWidget(central);

    Frame1 = makeControl<QGroupBox>(central, "Frame1", "frame", QStringLiteral("Befehle"));
    cmdOpen = button(Frame1, "cmdOpen", QString::fromUtf8("Datei öffnen"));
    cmdSave = button(Frame1, "cmdSave", QStringLiteral("In Datei speichern"));
    cmdEnde = button(Frame1, "cmdEnde", QStringLiteral("Programmende"));

    Frame4 = makeControl<QGroupBox>(central, "Frame4", "frame", QStringLiteral("Daten kopieren nach"));
    cmdClipboard = button(Frame4, "cmdClipboard", QStringLiteral("Clipboard"));
    cmdprint = button(Frame4, "cmdprint", QStringLiteral("Drucken"));
    cmdWord = button(Frame4, "cmdWord", QStringLiteral("MS Word"));
    cmdExcel = button(Frame4, "cmdExcel", QStringLiteral("MS Excel"));

    Frame3 = makeControl<QGroupBox>(central, "Frame3", "frame", QStringLiteral("Messwerte"));
    optFE = makeControl<QRadioButton>(Frame3, "optFE", "option");
    optNFE = makeControl<QRadioButton>(Frame3, "optNFE", "option");
    optOnline = makeControl<QRadioButton>(Frame3, "optOnline", "option", QStringLiteral("Online"));
    cmdStop = button(Frame3, "cmdStop", QStringLiteral("Stopp"));

    Frame6 = makeControl<QGroupBox>(central, "Frame6", "frame", QStringLiteral("Tabelle"));
    cmdSort = button(Frame6, "cmdSort", QStringLiteral("Sort"));
    cmdFlexTabelleloeschen = button(Frame6, "cmdFlexTabelleloeschen", QString::fromUtf8("Tabelle löschen"));
    cmdFlexZeileLoeschen = button(Frame6, "cmdFlexZeileLoeschen", QString::fromUtf8("Zeile löschen"));

    MSFlex = makeControl<FlexGrid>(central, "MSFlex", "grid", std::as_const(core));
    MSFlex->setFont(fixedFont(9));

    Frame5 = makeControl<QGroupBox>(central, "Frame5", "frame", QStringLiteral("Brenvor GmbH"));
    picKivo = makeControl<PictureBox>(Frame5, "picKivo", "picture");
    lstStat = makeControl<QListWidget>(Frame5, "lstStat", "list");
    lstStat->setFont(fixedFont(9));
    lstStat->setSelectionMode(QAbstractItemView::NoSelection);
    lstStat->setFocusPolicy(Qt::NoFocus);
    MSChart1 = makeControl<ChartPanel>(Frame5, "MSChart1", "chart");
    MSChart1->setCompact(true);
    cmdChart = button(Frame5, "cmdChart", QStringLiteral("Chart"));
    cmdAbs = button(Frame5, "cmdAbs", QStringLiteral("+/-"));
    cmdAbs->setCheckable(true); // pressed while absolute values are on
    cmdGross = button(Frame5, "cmdGross", QStringLiteral("<=>"));
    txtMittelwert = makeControl<QLineEdit>(Frame5, "txtMittelwert", "text");
    txtMittelwert->setReadOnly(true);

    Frame2 = makeControl<QGroupBox>(central, "Frame2", "frame", QStringLiteral("Com-Port"));
    ComboPort = makeControl<QComboBox>(Frame2, "ComboPort", "combo");
    ComboPort->setEditable(true);
    ComboPort->setInsertPolicy(QComboBox::NoInsert);
    ComboPort->setFont(QFont(QStringLiteral("Courier New")));
    ComboPort->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    ComboPort->setMinimumContentsLength(22);
    cmdConnect = button(Frame2, "cmdConnect", QStringLiteral("Connect"));
    picUsb = makeControl<PictureBox>(Frame2, "picUsb", "picture");
    picBth = makeControl<PictureBox>(Frame2, "picBth", "picture");
    picUsb->setPicture(QPixmap(QStringLiteral(":/pictures/usb.png")), true);
    picBth->setPicture(QPixmap(QStringLiteral(":/pictures/bluetooth.png")), true);
    picUsb->setFixedSize(28, 28);
    picBth->setFixedSize(28, 28);

    txtWait = makeControl<QLabel>(central, "txtWait", "label", QStringLiteral("Bitte warten...."));
    txtSpeicher = makeControl<QLineEdit>(central, "txtSpeicher", "text", QStringLiteral("BEREIT"));
    txtSpeicher->setReadOnly(true);
    txtSpeicher->setAlignment(Qt::AlignCenter);
    txtSpeicher->setFocusPolicy(Qt::NoFocus);
    picVX = makeControl<PictureBox>(central, "picVX", "picture");
    picVX->setPicture(QPixmap(QStringLiteral(":/pictures/gauge_default.png")), true);
    picRahmen = makeControl<PictureBox>(central, "picRahmen", "picture");
    Image2 = makeControl<PictureBox>(central, "Image2", "picture");
    Image2->setPicture(QPixmap(QStringLiteral(":/pictures/decoration.png")), true);

    cmdLesen = button(central, "cmdLesen", QStringLiteral("Speicher einlesen"));
    cmdLesFE = button(central, "cmdLesFE", QStringLiteral("FE"));
    cmdLesNFE = button(central, "cmdLesNFE", QStringLiteral("NFE"));
    cmdWerte = button(central, "cmdWerte", QStringLiteral("Grenzwerte"));
    cmdProjekt = button(central, "cmdProjekt", QStringLiteral("Projektdaten"));
}

void frmTransfer::layoutControls()
{
    // Left: status line, read buttons and the grid.
    auto* statusRow = new QHBoxLayout;
    statusRow->addWidget(txtWait, 1);
    statusRow->addWidget(txtSpeicher);
    auto* readRow = new QHBoxLayout;
    readRow->addWidget(cmdLesen);
    readRow->addWidget(cmdLesFE);
    readRow->addWidget(cmdLesNFE);
    readRow->addStretch();
    auto* left = new QVBoxLayout;
    left->addLayout(statusRow);
    left->addLayout(readRow);
    left->addWidget(MSFlex, 1);
    MSFlex->setMinimumSize(int(5500 / kTwipsPerPixel), int(5200 / kTwipsPerPixel));

    // Middle: the brand frame, where logo, statistics and chart take turns.
    auto* stack = new QGridLayout;
    stack->addWidget(picKivo, 0, 0);
    stack->addWidget(lstStat, 0, 0);
    stack->addWidget(MSChart1, 0, 0);
    auto* chartRow = new QHBoxLayout;
    chartRow->addWidget(cmdChart);
    chartRow->addWidget(cmdAbs);
    chartRow->addWidget(cmdGross);
    chartRow->addStretch();
    // The mean has a row of its own: beside the three buttons a mean of
    // four digits and a unit would be cut at the window's smallest.
    auto* brand = new QVBoxLayout(Frame5);
    brand->addLayout(stack, 1);
    brand->addLayout(chartRow);
    brand->addWidget(txtMittelwert);
    Frame5->setMinimumWidth(300);
    auto* limitsRow = new QHBoxLayout;
    limitsRow->addWidget(cmdWerte);
    limitsRow->addWidget(cmdProjekt);
    cmdWerte->setMinimumHeight(56);
    cmdProjekt->setMinimumHeight(56);
    auto* middle = new QVBoxLayout;
    middle->addWidget(Frame5, 1);
    middle->addLayout(limitsRow);
    middle->addWidget(picVX);
    picVX->setMinimumHeight(150);

    // Right: port, data, table, copy and command frames.
    auto* port = new QGridLayout(Frame2);
    port->addWidget(ComboPort, 0, 0, 1, 3);
    port->addWidget(cmdConnect, 1, 0);
    port->addWidget(picUsb, 1, 1);
    port->addWidget(picBth, 1, 2);
    auto* data = new QVBoxLayout(Frame3);
    data->addWidget(optFE);
    data->addWidget(optNFE);
    data->addWidget(optOnline);
    data->addWidget(cmdStop);
    auto* table = new QVBoxLayout(Frame6);
    table->addWidget(cmdSort);
    table->addWidget(cmdFlexTabelleloeschen);
    table->addWidget(cmdFlexZeileLoeschen);
    auto* copy = new QGridLayout(Frame4);
    copy->addWidget(cmdClipboard, 0, 0);
    copy->addWidget(cmdprint, 0, 1);
    copy->addWidget(cmdWord, 1, 0);
    copy->addWidget(cmdExcel, 1, 1);
    auto* commands = new QVBoxLayout(Frame1);
    commands->addWidget(cmdOpen);
    commands->addWidget(cmdSave);
    commands->addWidget(cmdEnde);
    auto* right = new QVBoxLayout;
    right->addWidget(Frame2);
    right->addWidget(Frame3);
    right->addWidget(Frame6);
    right->addWidget(Frame4);
    right->addStretch();
    right->addWidget(Frame1);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 3);
    columns->addLayout(middle, 2);
    columns->addLayout(right, 0);

    // Bottom: the frame picture as a band, with the decoration on it.
    auto* band = new QHBoxLayout;
    band->addWidget(picRahmen, 1);
    band->addWidget(Image2);
    picRahmen->setFixedHeight(36);
    picRahmen->setKeepAspect(false);
    Image2->setFixedSize(120, 32);

    auto* outer = new QVBoxLayout(centralWidget());
    outer->addLayout(columns, 1);
    outer->addLayout(band);
    resize(1120, 720);
}

void frmTransfer::fitToScreen()
{
    // The whole window on the screen, title bar and task bar counted (the
    // screen's available part leaves out the task bar; the title bar is not
    // part of the window's frame on every system).
    constexpr int kTitleBar = 32;
    const QRect available = screen()->availableGeometry();
    const QSize room(available.width() - 8, available.height() - kTitleBar - 8);
    resize(QSize(1120, 720).boundedTo(room).expandedTo(minimumSizeHint()));
}

void frmTransfer::createShortcuts()
{
    // A shortcut does what its button does, and only when the button could
    // be pressed.
    auto shortcut = [this](QWidget* owner, const char* name, const QKeySequence& keys, QPushButton* target,
                           Qt::ShortcutContext context = Qt::WindowShortcut) {
        auto* action = new QAction(owner);
        action->setObjectName(QLatin1String(name));
        action->setProperty(kKindProperty, QStringLiteral("shortcut"));
        action->setShortcut(keys);
        action->setShortcutContext(context);
        owner->addAction(action);
        connect(action, &QAction::triggered, this, [target] {
            if (target->isVisible() && target->isEnabled()) target->click();
        });
    };
    mnuOpen->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    mnuSave->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    mnuPrint->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    mnuCsv->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    mnuPruefbericht->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    mnuArchiv->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_O));
    shortcut(MSFlex, "keyCopy", QKeySequence(Qt::CTRL | Qt::Key_C), cmdClipboard, Qt::WidgetWithChildrenShortcut);
    mnuHelp1->setShortcut(QKeySequence(Qt::Key_F1));

    // Tab goes down each column of the window, left to right.
    QWidget* const order[] = {cmdLesen, cmdLesFE, cmdLesNFE, MSFlex, lstStat, cmdChart, cmdAbs, cmdGross, cmdWerte,
                              cmdProjekt, ComboPort, cmdConnect, optFE, optNFE, optOnline, cmdStop, cmdSort,
                              cmdFlexTabelleloeschen, cmdFlexZeileLoeschen, cmdClipboard, cmdprint, cmdWord, cmdExcel,
                              cmdOpen, cmdSave, cmdEnde};
    for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

void frmTransfer::connectHandlers()
{
    // Each reading the session takes is drawn before the next is taken.
    connect(&core, &GaugeSession::readingTaken, this, [this] { AppendReadingRow(); });
    // A dump's readings are drawn at once when the last is in.
    connect(&core, &GaugeSession::fillingTable, this, [this](bool on) {
        if (on) beginTableBatch();
        else endTableBatch();
    });
    connect(&core, &GaugeSession::downloadStarted, this, [this](int, int announced) { downloadStarted(announced); });
    connect(&core, &GaugeSession::downloadEnded, this, &frmTransfer::downloadEnded);
    connect(&core, &GaugeSession::gaugeIdentified, this, [this] { setWindowTitle(identity.titleText()); });
    connect(cmdEnde, &QPushButton::clicked, this, &frmTransfer::cmdEnde_Click);
    connect(mnuEnd, &QAction::triggered, this, &frmTransfer::mnuEnd_Click);
    connect(mnuInfo, &QAction::triggered, this, &frmTransfer::mnuInfo_Click);
    connect(mnuHelp1, &QAction::triggered, this, &frmTransfer::mnuHelp1_Click);
    connect(mnuAbnahme, &QAction::triggered, this, &frmTransfer::mnuAbnahme_Click);
    connect(mnuCsv, &QAction::triggered, this, &frmTransfer::mnuCsv_Click);
    connect(mnuPruefbericht, &QAction::triggered, this, &frmTransfer::mnuPruefbericht_Click);
    connect(mnuArchiv, &QAction::triggered, this, &frmTransfer::mnuArchiv_Click);
    connect(mnuOpen, &QAction::triggered, this, &frmTransfer::mnuOpen_Click);
    connect(mnuAbout, &QAction::triggered, this, &frmTransfer::mnuAbout_Click);
    // Save and Print are their buttons, in the menu.
    followButton(mnuSave, cmdSave);
    followButton(mnuPrint, cmdprint);
    connect(English, &QAction::triggered, this, &frmTransfer::English_Click);
    connect(German, &QAction::triggered, this, &frmTransfer::German_Click);
    connect(cmdConnect, &QPushButton::clicked, this, &frmTransfer::cmdConnect_Click);
    connect(cmdLesen, &QPushButton::clicked, this, &frmTransfer::ReadAllMemories);
    connect(cmdLesFE, &QPushButton::clicked, this, &frmTransfer::cmdLesFE_Click);
    connect(cmdLesNFE, &QPushButton::clicked, this, &frmTransfer::cmdLesNFE_Click);
    connect(optFE, &QRadioButton::clicked, this, &frmTransfer::optFE_Click);
    connect(optNFE, &QRadioButton::clicked, this, &frmTransfer::optNFE_Click);
    connect(optOnline, &QRadioButton::clicked, this, &frmTransfer::optOnline_Click);
    connect(cmdAbs, &QPushButton::clicked, this, &frmTransfer::cmdAbs_Click);
    connect(cmdStop, &QPushButton::clicked, this, &frmTransfer::cmdStop_Click);
    connect(cmdSave, &QPushButton::clicked, this, &frmTransfer::cmdSave_Click);
    connect(cmdOpen, &QPushButton::clicked, this, &frmTransfer::cmdOpen_Click);
    connect(cmdClipboard, &QPushButton::clicked, this, &frmTransfer::cmdClipboard_Click);
    connect(cmdprint, &QPushButton::clicked, this, &frmTransfer::cmdprint_Click);
    connect(cmdExcel, &QPushButton::clicked, this, &frmTransfer::cmdExcel_Click);
    connect(cmdWord, &QPushButton::clicked, this, &frmTransfer::cmdWord_Click);
    connect(cmdWerte, &QPushButton::clicked, this, &frmTransfer::cmdWerte_Click);
    connect(cmdProjekt, &QPushButton::clicked, this, &frmTransfer::cmdProjekt_Click);
    connect(cmdFlexZeileLoeschen, &QPushButton::clicked, this, &frmTransfer::cmdFlexZeileLoeschen_Click);
    connect(cmdFlexTabelleloeschen, &QPushButton::clicked, this, &frmTransfer::cmdFlexTabelleloeschen_Click);
    connect(cmdSort, &QPushButton::clicked, this, &frmTransfer::cmdSort_Click);
    connect(cmdChart, &QPushButton::clicked, this, &frmTransfer::cmdChart_Click);
    connect(cmdGross, &QPushButton::clicked, this, &frmTransfer::cmdGross_Click);
    connect(MSFlex, &FlexGrid::cellClicked, this, [this](int row, int) { MSFlex_Click(row); });
    connect(ComboPort, &QComboBox::editTextChanged, this, &frmTransfer::ComboPort_Change);
    connect(ComboPort, qOverload<int>(&QComboBox::activated), this, &frmTransfer::ComboPort_Change);
}

MsgAnswer frmTransfer::MsgBox(const QString& text, MsgButtons buttons, MsgIcon icon, const QString& caption)
{
    // Before a model names the program, the system's name for it serves.
    QString title = caption.isEmpty() ? identity.applicationTitle : caption;
    if (title.isEmpty()) title = QCoreApplication::applicationName();
    return platform.dialogs->MsgBox(this, text, buttons, icon, title);
}

void frmTransfer::closeEvent(QCloseEvent* event)
{
    // Closing the window is never refused.
    event->accept();
    EndProgram();
}

} // namespace kivo
