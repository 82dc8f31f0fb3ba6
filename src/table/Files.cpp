// Saving the table on show to a measurement file and loading one into it.

#include "app/frmTransfer.h"
#include "platform/FlexGrid.h"
#include "settings/TextFile.h"
#include "table/MeasurementFile.h"

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
    } else {
        const QString chosen = platform.dialogs->saveFileName(this, folder, kFilter);
        if (chosen.isEmpty() || chosen == u" ") return;
        path = measurementFilePath(chosen);
    }
    BuildReportText(QStringLiteral("A"));
    FileError error;
    if (writeTextFile(path, ReportText + QStringLiteral("\r\n"), &error)) {
        if (automatic) onlineSaveFailed = false;
        QApplication::processEvents();
        return;
    }
    // The automatic save after every online reading says so once, not at
    // every reading; the readings stay in the table.
    if (automatic && onlineSaveFailed) return;
    if (automatic) onlineSaveFailed = true;
    const QString text = (texte.languageIndex == kGerman ? QStringLiteral("Die Datei %1 konnte nicht gespeichert werden: %2")
                                                         : QStringLiteral("The file %1 could not be saved: %2"))
                             .arg(QDir::toNativeSeparators(path), error.reason);
    MsgBox(text, MsgButtons::OK, MsgIcon::Warning);
    WriteLog(text);
}

void frmTransfer::cmdOpen_Click()
{
    const QString folder = measurementFolder();
    const QString path = platform.dialogs->openFileName(this, folder, kFilter);
    if (path.isEmpty() || path == u" ") return;

    const int kind = link.messart;
    records.ClearRecords(kind);
    MSFlex->Clear();
    lstStat->clear();
    ResetStatistics();

    FileError error;
    const std::optional<QStringList> lines = readTextLines(path, &error);
    if (!lines) {
        const QString text = (texte.languageIndex == kGerman ? QStringLiteral("Die Datei %1 konnte nicht gelesen werden: %2")
                                                             : QStringLiteral("The file %1 could not be read: %2"))
                                 .arg(QDir::toNativeSeparators(path), error.reason);
        MsgBox(text, MsgButtons::OK, MsgIcon::Warning);
        WriteLog(text);
    }
    const LoadedFile file = readMeasurementFile(lines.value_or(QStringList()), profile.materialart, kMaxReadings);
    if (file.datum) records.at(kind, satznr).datum = *file.datum;
    int slot = 1;
    for (const LoadedReading& reading : file.readings) {
        Record& r = records.at(kind, slot++);
        r.zeit = reading.zeit;
        r.nr = reading.nr;
        r.wert = reading.wert;
        r.einheit = reading.einheit;
        if (reading.material) r.material = *reading.material;
    }
    const QString caption = QFileInfo(path).fileName() + QStringLiteral(" (%1)").arg(file.rowsRead);
    if (kind == kFE) optFE->setText(caption);
    if (kind == kNFE) optNFE->setText(caption);
    loadingFile = true;
    RebuildTable();
    loadingFile = false;
    // Further online readings follow the loaded ones (also after an empty file).
    if (kind == kOnline) onlineZaehler = records.count(kind) + 1;
    for (QWidget* w : std::initializer_list<QWidget*>{cmdprint, cmdWord, cmdClipboard, cmdExcel}) w->setVisible(true);
}

} // namespace kivo
