// Saving the table on show to a measurement file and loading one into it.

#include "ui/frmTransfer.h"
#include "output/ExportFile.h"
#include "ui/FlexGrid.h"
#include "platform/FreeMemory.h"
#include "settings/TextFile.h"
#include "table/LoadMeasurementFile.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
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
        else showFileWritten(texte.languageIndex == kGerman ? QStringLiteral("Gespeichert: ") : QStringLiteral("Saved: "),
                             path);
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
        const bool german = texte.languageIndex == kGerman;
        if (!move.moved) {
            // Not overwritten: the readings stay in the table, and the next
            // save tries again.
            if (!onlineSaveFailed) reportSaveFailure(path, datedMoveFailure(move, german));
            onlineSaveFailed = true;
            return false;
        }
        WriteLog((german ? QStringLiteral("%1 der letzten Sitzung aufbewahrt als %2")
                         : QStringLiteral("%1 of the last session kept as %2"))
                     .arg(earlier.fileName(), QDir::toNativeSeparators(move.path)));
    }
    onlineFileKept = true;
    return true;
}

void frmTransfer::reportSaveFailure(const QString& path, const QString& reason)
{
    const QString text = (texte.languageIndex == kGerman ? QStringLiteral("Die Datei %1 konnte nicht gespeichert werden: %2")
                                                         : QStringLiteral("The file %1 could not be saved: %2"))
                             .arg(QDir::toNativeSeparators(path), reason);
    MsgBox(text, MsgButtons::OK, MsgIcon::Warning);
    WriteLog(text);
}

void frmTransfer::cmdOpen_Click()
{
    flushOnlineSave(); // a file may take the online table's place
    const QString folder = measurementFolder();
    const QString path = platform.dialogs->openFileName(this, folder, kFilter);
    if (path.isEmpty() || path == u" ") return;
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
        tell((german ? QStringLiteral("Die Datei %1 konnte nicht gelesen werden: %2")
                     : QStringLiteral("The file %1 could not be read: %2"))
                 .arg(shownPath, fileErrorText(error, german)));
        return;
    }
    if (file->readings.empty()) {
        tell((german ? QStringLiteral("Keine Messwerte in %1 gefunden") : QStringLiteral("No readings found in %1"))
                 .arg(shownPath));
        return;
    }

    const int kind = core.tableKind();
    core.takeFile(*file, QFileInfo(path).fileName());
    lstStat->clear();
    ResetStatistics();
    const QString caption = QFileInfo(path).fileName() + QStringLiteral(" (%1)").arg(file->rowsRead);
    if (kind == kFE) optFE->setText(caption);
    if (kind == kNFE) optNFE->setText(caption);
    loadingFile = true;
    RebuildTable();
    loadingFile = false;
    // Further online readings follow the loaded ones, in a session of
    // their own: Online.mes of the one before is kept.
    if (kind == kOnline) onlineFileKept = false;
    for (QWidget* w : std::initializer_list<QWidget*>{cmdprint, cmdWord, cmdClipboard, cmdExcel}) w->setVisible(true);

    // Rows that were no readings are not in the table; the operator must
    // know the file held more than was loaded.
    if (file->rowsRefused > 0)
        tell((german ? QStringLiteral("%1 Zeilen in %2 waren keine Messwerte und wurden nicht geladen")
                     : QStringLiteral("%1 lines in %2 were not readings and were not loaded"))
                 .arg(QString::number(file->rowsRefused), shownPath));
    // The table holds no more; the operator must know the rest was left out.
    if (file->rowsRead > kMaxReadings)
        tell((german ? QStringLiteral("Nur die ersten %3 von %2 Messwerten aus %1 wurden geladen")
                     : QStringLiteral("Only the first %3 of %2 readings in %1 were loaded"))
                 .arg(shownPath, QString::number(file->rowsRead), QString::number(kMaxReadings)));
    // A file cut short: its last row may have lost digits, so it was left out.
    if (file->lastRowCut)
        tell((german ? QStringLiteral("%1 endet mitten in einer Zeile; diese letzte Zeile wurde nicht geladen.")
                     : QStringLiteral("%1 ends in the middle of a line; that last line was not loaded."))
                 .arg(shownPath));
}

} // namespace kivo
