// Start-up of the main window, step by step in the order the program has
// always followed: identity and model first, then folders and log, texts,
// ports, and finally the grid and statistics.

#include "archive/ArchiveLocation.h"
#include "session/AppPaths.h"
#include "session/ModelTable.h"
#include "ui/frmTransfer.h"
#include "ui/frmArchiv.h"
#include "session/ArchiveListing.h"
#include "session/InfoAndManual.h"
#include "ui/frmInfo.h"
#include "ui/frmWait.h"
#include "ui/frmChartG.h"
#include "ui/frmWerte.h"
#include "ui/FlexGrid.h"
#include "ui/PictureBox.h"
#include "platform/PortWatcher.h"
#include "platform/SingleInstance.h"
#include "settings/SettingsFiles.h"
#include "ui/frmProjekt.h"
#include "ui/WindowPlaces.h"

#include <QApplication>
#include "ui/ChartPanel.h"
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>

namespace kivo {

namespace {

// The locale's long time without a time-zone name ("14:30:05").
QString longTimeText(const QTime& time, const QLocale& locale)
{
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(u't');
    return locale.toString(time, format.trimmed());
}

} // namespace

bool frmTransfer::Form_Load()
{
    // 1. Colours, commands.
    selectionColour = QColor(204, 204, 204);
    normalColour = QColor(255, 255, 255);
    inLimitColour = QColor(158, 232, 155);
    outOfLimitColour = QColor(239, 162, 162);
    MSFlex->grid().setColours({normalColour, inLimitColour, outOfLimitColour, selectionColour});

    // 2. One copy per installation and user.
    if (platform.singleInstance) {
        instance = std::make_unique<SingleInstance>(identity.programFolder + u'|' + commonAppDataFolder());
        if (!instance->acquire()) {
            programEnded = true;
            return false;
        }
        // A file opened from the file manager while this copy runs comes here.
        connect(instance.get(), &SingleInstance::fileHandedOver, this, [this](const QString& path) {
            if (programEnded) return;
            raise();
            activateWindow();
            openGivenFile(path);
        });
    }

    // 3.
    for (QWidget* w : std::initializer_list<QWidget*>{lstStat, MSChart1, cmdChart, cmdAbs, cmdGross, txtMittelwert,
                                                      cmdLesNFE, cmdLesFE, cmdLesen})
        w->setVisible(false);
    txtSpeicher->setVisible(true);
    txtWait->setStyleSheet(QStringLiteral("color: rgb(0,0,255);"));
    gauge->setSchalterStop(false);

    // 4.-7. Model and brand.
    loadKonfi();
    setStatusFieldLook(1125, 285, QColor(64, 64, 64), QColor(120, 255, 140), 9);
    applyModelRow();
    applyBrand();

    // 8.-9. Folders and log.
    settleInstallation();
    writeStartLog();
    startArchive();

    // 10.-13.
    if (const auto p = profileFor(identity.geraet)) gauge->setProfile(*p);
    gauge->setGeraet(identity.geraet);
    cmdStop->setVisible(false);
    setWindowTitle(identity.titleText());
    FitPicture(picRahmen, QDir(identity.programFolder).filePath(QStringLiteral("Rahmen.jpg")), true);
    picRahmen->setVisible(true);
    picBth->setVisible(false);
    picUsb->setVisible(false);
    optFE->setText(QString());
    optNFE->setText(QString());
    MSFlex->setVisible(true);

    // 14.-15.
    tables.setSatznr(1);
    tables.setOnlineZaehler(1);
    QApplication::clipboard()->clear();

    // 16. Language.
    loadLanguage();
    texte.languageIndex = clampLanguage(texte.languageIndex);
    texte.FillMessageTexts(identity.titleText());
    ApplyLanguage();

    // 17.-22. Ports, with the wait window on show.
    DisableCommands();
    waitWindow->WaitBar->setRange(0, 200);
    waitWindow->WaitBar->setValue(0);
    waitWindow->Waitmessage->setText(texte.text(Msg::BitteWarten));
    waitWindow->Waitmessage->setVisible(true);
    waitWindow->setWindowTitle(texte.text(Msg::Titel));
    waitWindow->show();
    ComboPort->setVisible(false);
    cmdConnect->setVisible(false);
    ComboPort->setEditText(QString());
    ComboPort_Change(); // an empty box leaves Connect disabled until a port is chosen
    ScanPorts();
    loadPort();
    waitWindow->hide();
    waitWindow->Waitmessage->setVisible(false);

    // 23.-27.
    SetupGrid();
    MSFlex->setVisible(true);
    ComboPort->setVisible(true);
    cmdConnect->setVisible(true);
    setLanguageTicks();
    ResetStatistics();
    onlineAutoSave = true;
    projektWindow->DTPDate->setDateTime(QDateTime::currentDateTime());
    DisableCommands();
    tables.setAbsolut(true);
    showAbsoluteState();
    portWatcher->start(platform.portWatchIntervalMs);
    fitToScreen(); // now that every control has its content
    restorePlace(this, core.desktop());
    return true;
}

void frmTransfer::setStatusFieldLook(int widthTwips, int heightTwips, const QColor& background, const QColor& text,
                                     int pointSize)
{
    txtSpeicher->setFixedSize(int(widthTwips / kTwipsPerPixel + 0.5), int(heightTwips / kTwipsPerPixel + 0.5));
    txtSpeicher->setStyleSheet(QStringLiteral("QLineEdit { background: %1; color: %2; border: 1px solid #202020; "
                                              "font-weight: bold; }")
                                   .arg(background.name(), text.name()));
    QFont font = txtSpeicher->font();
    font.setPointSize(pointSize);
    txtSpeicher->setFont(font);
}

void frmTransfer::applyModelRow()
{
    const ModelRow* row = titleRowFor(identity.geraet);
    if (!row) return; // an unknown model keeps the built-in picture and an empty name
    identity.pgmname = QString::fromUtf8(row->pgmname);
    identity.applicationTitle = identity.pgmname;
    FitPicture(picVX, QDir(identity.programFolder).filePath(QString::fromLatin1(row->picture)), true);
    if (row->styleB) setStatusFieldLook(2000, 350, QColor(120, 127, 122), Qt::black, 12);
}

void frmTransfer::applyBrand()
{
    const QDir folder(identity.programFolder);
    if (identity.brandCode.isEmpty()) {
        identity.brandName = QString::fromLatin1(kOwnBrand);
        FitPicture(picKivo, folder.filePath(QStringLiteral("Kivologo.jpg")), true);
        picKivo->setVisible(true);
    } else if (identity.brandCode == QLatin1String(kPartnerBrandCode)) {
        Frame5->setTitle(identity.brandName);
        FitPicture(picKivo, folder.filePath(QStringLiteral("Selmarlogo.jpg")), true);
        picKivo->setVisible(true);
        identity.pgmname = identity.kpgmname;
        identity.applicationTitle = identity.pgmname;
        const QIcon icon(folder.filePath(QStringLiteral("Selmar.ico")));
        for (QWidget* w : std::initializer_list<QWidget*>{this, waitWindow, werteWindow, chartWindow, projektWindow,
                                                          infoWindow})
            w->setWindowIcon(icon);
    }
}

void frmTransfer::settleInstallation()
{
    core.settleInstallation(identity.programFolder,
                            KonfiFields{identity.geraet, identity.brandCode, identity.brandName, identity.kpgmname});
    helpFilePath = QDir(identity.AppDataPath).filePath(QLatin1String(kDefaultHelpFile));
}

void frmTransfer::writeStartLog()
{
    const QLocale locale;
    const QDateTime now = QDateTime::currentDateTime();
    DeleteLog();
    WriteLog(QStringLiteral("Logdatei ") + locale.toString(now.date(), QLocale::ShortFormat) + u' '
             + longTimeText(now.time(), locale));
    WriteLog(QStringLiteral("App.Path = ") + QDir::toNativeSeparators(identity.programFolder));
    WriteLog(QStringLiteral("AppDataPath = ") + identity.AppDataPath);
    WriteLog(QStringLiteral("MessDataPath = ") + identity.MessDataPath);
    core.log().writePending();
}

void frmTransfer::setLanguageTicks()
{
    const bool german = texte.languageIndex < 1;
    German->setChecked(german);
    English->setChecked(!german);
}

void frmTransfer::startArchive()
{
    const ArchiveLocation where = sessionArchive(core);
    recorder = std::make_unique<ArchiveRecorder>(core, [where] { return openArchive(where); }, sessionJournal(core));
    // Said once in the status bar, not in a box: the operator measures on.
    connect(recorder.get(), &ArchiveRecorder::unreachable, this, [this, where](const QString& why) {
        lblArchive->setText(unreachableText(where, why, texte.languageIndex == kGerman));
        lblArchive->setToolTip(oneLine(why));
        WriteLog(unreachableText(where, why, false, 0));
    });
    connect(recorder.get(), &ArchiveRecorder::reachable, this, [this] { lblArchive->clear(); });
    connect(recorder.get(), &ArchiveRecorder::kept, archivWindow, &frmArchiv::archiveChanged);
}

} // namespace kivo
