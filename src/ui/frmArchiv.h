#pragma once
// The archive window: the inspections kept, newest first, found by a text
// and a date range; one opened into the table on show, the chosen ones
// exported, one deleted after a question. It knows nothing of the main
// window: what it may do there comes through its hooks.

#include "archive/Archive.h"
#include "session/TableOutput.h"
#include "shared/MessageKinds.h"

#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace kivo {

class ArchiveListModel;

class frmArchiv : public QWidget {
    Q_OBJECT
public:
    struct Hooks {
        std::function<std::unique_ptr<Archive>()> open;          // a connection to the installation's archive
        std::function<QString(const Inspection&)> takeIntoTable; // "" or why not
        std::function<QString(const Inspection&, const QString& path, TableFormat)> write; // "" or why not
        std::function<MsgAnswer(const QString& text, MsgButtons, MsgIcon)> ask;
        std::function<QString(const QString& filter)> saveName; // "" when cancelled
        std::function<std::array<QString, 6>()> captions;       // the project fields' captions now
        std::function<QString()> whyNoArchive;                  // why `open` gave none
        std::function<QString()> recording;                     // the uuid of the online session being kept
    };
    explicit frmArchiv(QWidget* parent = nullptr);
    ~frmArchiv() override;

    void attach(Hooks hooks);
    // Opened, or raised, with the list read anew.
    void showArchive(bool german);
    void languageChanged(bool german);
    // The list read anew with the search and dates as they stand; the
    // inspection chosen stays chosen.
    void refresh();
    // The program kept more in the archive: the list on show follows soon,
    // not at every reading.
    void archiveChanged();

    QLabel* lblSuche;
    QLineEdit* txtSuche;
    QCheckBox* chkVon;
    QDateEdit* dtpVon;
    QCheckBox* chkBis;
    QDateEdit* dtpBis;
    QTableView* lstArchiv;
    QLabel* lblAnzahl;
    QPushButton* cmdOeffnen;
    QPushButton* cmdExport;
    QPushButton* cmdLoeschen;
    QPushButton* cmdSchliessen;

private:
    void recaption();
    void updateCommands();
    void cmdOeffnen_Click();
    void cmdExport_Click();
    void cmdLoeschen_Click();
    // The inspection of the current row read whole; said when it cannot be.
    std::optional<Inspection> loadCurrent();
    std::vector<qint64> chosenIds() const;
    void tell(const QString& text, MsgIcon icon = MsgIcon::Warning);
    // The archive, opened when first needed and again after a failure.
    Archive* archive();
    QString whyClosed() const;

    Hooks hooks;
    std::unique_ptr<Archive> connection;
    ArchiveListModel* model;
    QTimer typing;  // the list follows the search box once typing pauses
    QTimer changed; // and the archive, at most once a second
    QTimer watching; // and what other programs do to it
    QString seen;    // the archive as the list was read
    bool german = true;
};

} // namespace kivo
