// Saving the table on show to a measurement file and loading one into it.

#include "ui/frmTransfer.h"
#include "session/ArchiveListing.h"
#include "session/ArchivedTable.h"
#include "ui/frmArchiv.h"
#include "output/ExportFile.h"
#include "ui/FlexGrid.h"
#include "platform/FreeMemory.h"
#include "settings/TextFile.h"
#include "table/LoadMeasurementFile.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QStatusBar>
#include <QPushButton>
#include <QRadioButton>

namespace kivo {

namespace {

const QString kFilter = QStringLiteral("Messdaten (*.mes)");

} // namespace

QString frmTransfer::measurementFolder()
{
    const QString folder = QDir(identity.MessDataPath).filePath(QStringLiteral("mes"));
    QDir().mkpath(folder);
    QDir::setCurrent(folder);
    return folder;
}

void frmTransfer::cmdSave_Click()
{
    const QString folder = measurementFolder();
    QString path;
    const bool automatic = !onlineAutoSave;
    if (automatic) {
        path = QDir(identity.MessDataPath).filePath(QStringLiteral("Online.mes"));
        onlineAutoSave = true;
        if (!keepEarlierOnlineFile(path)) return;
    } else {
        const QString chosen = platform.dialogs->saveFileName(this, folder, kFilter);
        if (chosen.isEmpty() || chosen == u" ") return;
        path = measurementFilePath(chosen);
    }
    BuildReportText(QStringLiteral("A"));
    FileError error;
    if (writeTextFile(path, ReportText + QStringLiteral("\r\n"), &error)) {
        if (automatic) onlineSaveFailed = false;
        else {
            showFileWritten(texte.say(Phrase::FileSaved), path);
            core.desktop().rememberFile(path);
            fillRecentMenu();
        }
        if (automatic && ++onlineSaves % 50 == 0) releaseFreeMemory();
        QApplication::processEvents();
        return;
    }
    // The automatic save after every online reading says so once, not at
    // every reading; the readings stay in the table.
    if (automatic && onlineSaveFailed) return;
    if (automatic) onlineSaveFailed = true;
    reportSaveFailure(path, fileErrorText(error, texte.languageIndex == kGerman));
}

bool frmTransfer::keepEarlierOnlineFile(const QString& path)
{
    if (onlineFileKept) return true;
    // A folder in its place is no earlier session's file: the save says so.
    const QFileInfo earlier(path);
    if (earlier.isFile()) {
        // Named after its last save, the end of its session: the copies
        // sort by session, and each tells when it was measured.
        const QDateTime modified = earlier.lastModified();
        const DatedMove move = moveToDatedName(path, earlier.absolutePath(), earlier.completeBaseName(),
                                               modified.isValid() ? modified : QDateTime::currentDateTime(),
                                               earlier.suffix());
        if (!move.moved) {
            // Not overwritten: the readings stay in the table, and the next
            // save tries again.
            if (!onlineSaveFailed) reportSaveFailure(path, datedMoveFailure(move, texte.languageIndex == kGerman));
            onlineSaveFailed = true;
            return false;
        }
        WriteLog(texte.say(Phrase::EarlierOnlineFileKept).arg(earlier.fileName(), QDir::toNativeSeparators(move.path)));
    }
    onlineFileKept = true;
    return true;
}

void frmTransfer::reportSaveFailure(const QString& path, const QString& reason)
{
    const QString text = texte.say(Phrase::FileNotSaved).arg(QDir::toNativeSeparators(path), reason);
    MsgBox(text, MsgButtons::OK, MsgIcon::Warning);
    WriteLog(text);
}

void frmTransfer::showTakenTable(int kind, const QString& caption)
{
    lstStat->clear();
    ResetStatistics();
    // A file's name is shown as it is: "&" is no key here, a line break no new line.
    QString shown = caption;
    shown.replace(u'&', QStringLiteral("&&")).replace(u'\n', u' ').replace(u'\r', u' ');
    if (kind == kFE) optFE->setText(shown);
    if (kind == kNFE) optNFE->setText(shown);
    loadingFile = true;
    RebuildTable();
    loadingFile = false;
    // Further online readings follow the loaded ones, in a session of
    // their own: Online.mes of the one before is kept.
    if (kind == kOnline) onlineFileKept = false;
    for (QWidget* w : std::initializer_list<QWidget*>{cmdprint, cmdWord, cmdClipboard, cmdExcel}) w->setVisible(true);
}

void frmTransfer::mnuArchiv_Click() { archivWindow->showArchive(texte.languageIndex == kGerman); }

QString frmTransfer::openArchived(const Inspection& in)
{
    const bool german = texte.languageIndex == kGerman;
    if (gauge->waiting() || downloading) return texte.say(Phrase::ArchiveBusy);
    const int kind = core.tableKind();
    if (kind < kFE || kind > kOnline) return texte.say(Phrase::ArchiveNoTable);
    flushOnlineSave(); // the inspection takes the online table's place
    const QString name = archivedName(in.id, german);
    core.takeInspection(in, name);
    showTakenTable(kind, name + QStringLiteral(" (%1)").arg(in.readings.size()));
    // Said until the table is drawn anew, whichever table it is.
    statusBar()->showMessage(texte.say(Phrase::ArchiveOpened)
                                 .arg(in.id)
                                 .arg(takenText(in.takenAt, german), sourceName(in.source, german)));
    // A report of it would carry today's project data and limits: the
    // operator must know before printing it for a customer.
    if (!sameProject(in, inspectionOf(core, kind, in.source)))
        MsgBox(texte.say(Phrase::ArchiveTodaysProject).arg(in.id), MsgButtons::OK, MsgIcon::Information);
    return {};
}

void frmTransfer::cmdOpen_Click()
{
    const QString folder = measurementFolder();
    const QString path = platform.dialogs->openFileName(this, folder, kFilter);
    if (path.isEmpty() || path == u" ") return;
    openMeasurementFile(path);
}

void frmTransfer::openMeasurementFile(const QString& path)
{
    flushOnlineSave(); // a file may take the online table's place
    const bool german = texte.languageIndex == kGerman;
    const QString shownPath = QDir::toNativeSeparators(path);
    const auto tell = [this](const QString& text) {
        MsgBox(text, MsgButtons::OK, MsgIcon::Warning);
        WriteLog(text);
    };

    // The file is read before the table is touched: a file that gives
    // nothing leaves the table on show as it was.
    FileError error;
    const std::optional<LoadedFile> file = loadMeasurementFile(path, gauge->profile().materialart, kMaxReadings, &error);
    if (!file) {
        tell(texte.say(Phrase::FileCouldNotBeRead).arg(shownPath, fileErrorText(error, german)));
        return;
    }
    if (file->readings.empty()) {
        tell(texte.say(Phrase::CliNoReadingsIn).arg(shownPath)); // kivo-cli says it alike
        return;
    }

    const int kind = core.tableKind();
    if (kind < kFE || kind > kOnline) {
        tell(texte.say(Phrase::ArchiveNoTable));
        return;
    }
    core.takeFile(*file, QFileInfo(path).fileName());
    showTakenTable(kind, QFileInfo(path).fileName() + QStringLiteral(" (%1)").arg(file->rowsRead));
    core.desktop().rememberFile(path);
    fillRecentMenu();

    // Rows that were no readings are not in the table; the operator must
    // know the file held more than was loaded.
    if (file->rowsRefused > 0)
        tell(texte.say(Phrase::LinesNotLoaded).arg(QString::number(file->rowsRefused), shownPath));
    // The table holds no more; the operator must know the rest was left out.
    if (file->rowsRead > kMaxReadings)
        tell(texte.say(Phrase::FirstReadingsLoaded)
                 .arg(shownPath, QString::number(file->rowsRead), QString::number(kMaxReadings)));
    // A file cut short: its last row may have lost digits, so it was left out.
    if (file->lastRowCut)
        tell(texte.say(Phrase::LastLineCut).arg(shownPath));
}

} // namespace kivo
