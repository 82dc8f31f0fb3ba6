// The File menu beside the buttons: opening a file without a gauge, the
// recent files, a file dropped on the window, and the About box.

#include "platform/SingleInstance.h"
#include "session/AboutText.h"
#include "settings/RecentFiles.h"
#include "table/LoadMeasurementFile.h"
#include "ui/Controls.h"
#include "ui/frmTransfer.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

namespace kivo {

namespace {

// The one local file a drag carries; empty for anything else.
QString droppedFile(const QMimeData* data)
{
    if (!data || !data->hasUrls() || data->urls().size() != 1) return {};
    const QUrl url = data->urls().constFirst();
    return url.isLocalFile() ? url.toLocalFile() : QString();
}

} // namespace

bool frmTransfer::refusedWhileBusy()
{
    // The table must not change under a download or a wait for the gauge.
    if (!gauge->waiting() && !downloading) return false;
    MsgBox(texte.say(Phrase::OpenBusy), MsgButtons::OK, MsgIcon::Information);
    return true;
}

void frmTransfer::mnuOpen_Click()
{
    // The button's own way, with or without a gauge.
    if (!refusedWhileBusy()) cmdOpen_Click();
}

void frmTransfer::fillRecentMenu()
{
    mnuRecent->clear();
    const QStringList recent = core.desktop().recentFiles();
    for (int i = 0; i < recent.size(); ++i) {
        QAction* item = mnuRecent->addAction(recentFileCaption(i, recent[i]));
        item->setObjectName(QStringLiteral("mnuRecent%1").arg(i + 1));
        item->setProperty(kKindProperty, QStringLiteral("menu"));
        item->setToolTip(QDir::toNativeSeparators(recent[i]));
        const QString path = recent[i];
        connect(item, &QAction::triggered, this, [this, path] { openRecentFile(path); });
    }
    if (recent.isEmpty()) mnuRecent->addAction(texte.say(Phrase::MenuRecentNone))->setEnabled(false);
}

void frmTransfer::openRecentFile(const QString& path)
{
    if (refusedWhileBusy()) return;
    // A path that is something else now is said by the loader, as Open says it.
    if (!QFileInfo::exists(path)) {
        core.desktop().forgetFile(path);
        fillRecentMenu();
        MsgBox(texte.say(Phrase::RecentFileGone).arg(QDir::toNativeSeparators(path)), MsgButtons::OK,
               MsgIcon::Warning);
        return;
    }
    openMeasurementFile(path);
}

void frmTransfer::dragEnterEvent(QDragEnterEvent* event)
{
    if (!droppedFile(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void frmTransfer::dropEvent(QDropEvent* event)
{
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty()) return;
    event->acceptProposedAction();
    openGivenFile(path);
}

void frmTransfer::openGivenFile(const QString& path)
{
    if (refusedWhileBusy()) return;
    if (!isMeasurementFileName(path)) {
        MsgBox(texte.say(Phrase::OpenNotMeasurementFile).arg(QDir::toNativeSeparators(path)), MsgButtons::OK,
               MsgIcon::Warning);
        return;
    }
    openMeasurementFile(path);
}

bool frmTransfer::handOverToRunningCopy(const QString& path)
{
    return instance && instance->handOver(QFileInfo(path).absoluteFilePath());
}

void frmTransfer::mnuAbout_Click()
{
    // Installed, the licence texts are with the manuals, in the package's
    // documentation folder.
    const QString copyright = QDir(identity.programFolder).filePath(QStringLiteral("manuals/copyright"));
    const AboutFacts facts =
        aboutFacts(identity.titleText(), QFileInfo::exists(copyright) ? QDir::toNativeSeparators(copyright) : QString());
    MsgBox(aboutText(facts, texte.languageIndex == kGerman), MsgButtons::OK, MsgIcon::Information,
           texte.say(Phrase::AboutTitle));
}

} // namespace kivo
