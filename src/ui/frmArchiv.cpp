#include "ui/frmArchiv.h"

#include "session/ArchiveListing.h"
#include "session/ArchiveRecorder.h"
#include "texts/Texte.h"
#include "ui/ArchiveListModel.h"
#include "ui/Controls.h"
#include "ui/Hourglass.h"
#include "ui/WindowKeys.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace kivo {

namespace {

// More are not listed at once: a search narrows them.
constexpr int kListed = 2000;
constexpr int kTypingPauseMs = 250;
constexpr int kChangedPauseMs = 1000;
constexpr int kWatchMs = 3000;

// The file of inspection `id` when several are exported under one chosen name.
QString numberedPath(const QString& chosen, qint64 id)
{
    const QFileInfo info(chosen);
    return info.dir().filePath(info.completeBaseName() + QStringLiteral("-%1.").arg(id) + info.suffix());
}

} // namespace

frmArchiv::frmArchiv(QWidget* parent) : QWidget(parent, Qt::Window), model(new ArchiveListModel(this))
{
    setObjectName(QStringLiteral("frmArchiv"));
    lblSuche = makeControl<QLabel>(this, "lblSuche", "label");
    txtSuche = makeControl<QLineEdit>(this, "txtSuche", "text");
    txtSuche->setClearButtonEnabled(true);
    lblSuche->setBuddy(txtSuche);
    chkVon = makeControl<QCheckBox>(this, "chkVon", "check");
    dtpVon = makeControl<QDateEdit>(this, "dtpVon", "date");
    chkBis = makeControl<QCheckBox>(this, "chkBis", "check");
    dtpBis = makeControl<QDateEdit>(this, "dtpBis", "date");
    for (QDateEdit* d : {dtpVon, dtpBis}) {
        d->setCalendarPopup(true);
        d->setDate(QDate::currentDate());
        d->setEnabled(false);
    }
    dtpVon->setDate(QDate::currentDate().addMonths(-1));
    lstArchiv = makeControl<QTableView>(this, "lstArchiv", "list");
    lstArchiv->setModel(model);
    lstArchiv->setSelectionBehavior(QAbstractItemView::SelectRows);
    lstArchiv->setSelectionMode(QAbstractItemView::ExtendedSelection);
    lstArchiv->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstArchiv->verticalHeader()->setVisible(false);
    lstArchiv->horizontalHeader()->setStretchLastSection(true);
    lstArchiv->setWordWrap(false);
    lstArchiv->setMinimumSize(900, 360);
    lblAnzahl = makeControl<QLabel>(this, "lblAnzahl", "label");
    cmdOeffnen = makeControl<QPushButton>(this, "cmdOeffnen", "button");
    cmdExport = makeControl<QPushButton>(this, "cmdExport", "button");
    cmdLoeschen = makeControl<QPushButton>(this, "cmdLoeschen", "button");
    cmdSchliessen = makeControl<QPushButton>(this, "cmdSchliessen", "button");

    auto* filter = new QHBoxLayout;
    filter->addWidget(lblSuche);
    filter->addWidget(txtSuche, 1);
    filter->addWidget(chkVon);
    filter->addWidget(dtpVon);
    filter->addWidget(chkBis);
    filter->addWidget(dtpBis);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblAnzahl, 1);
    for (QPushButton* b : {cmdOeffnen, cmdExport, cmdLoeschen, cmdSchliessen}) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filter);
    layout->addWidget(lstArchiv, 1);
    layout->addLayout(buttons);

    typing.setSingleShot(true);
    typing.setInterval(kTypingPauseMs);
    connect(&typing, &QTimer::timeout, this, &frmArchiv::refresh);
    connect(txtSuche, &QLineEdit::textChanged, this, [this] { typing.start(); });
    changed.setSingleShot(true);
    changed.setInterval(kChangedPauseMs);
    connect(&changed, &QTimer::timeout, this, [this] {
        if (isVisible()) refresh();
    });
    // Other programs keep and delete too: looked at now and then, the list
    // read anew only when the archive changed.
    watching.setInterval(kWatchMs);
    connect(&watching, &QTimer::timeout, this, [this] {
        Archive* a = isVisible() && !changed.isActive() ? archive() : nullptr;
        if (a && a->fingerprint() != seen) refresh();
    });
    connect(txtSuche, &QLineEdit::returnPressed, this, &frmArchiv::refresh);
    for (auto [check, date] : {std::pair{chkVon, dtpVon}, {chkBis, dtpBis}}) {
        connect(check, &QCheckBox::toggled, date, &QWidget::setEnabled);
        connect(check, &QCheckBox::toggled, this, &frmArchiv::refresh);
        connect(date, &QDateEdit::dateChanged, this, [this, check = check] {
            if (check->isChecked()) refresh();
        });
    }
    connect(lstArchiv->selectionModel(), &QItemSelectionModel::selectionChanged, this, &frmArchiv::updateCommands);
    connect(lstArchiv, &QTableView::doubleClicked, this, &frmArchiv::cmdOeffnen_Click);
    connect(cmdOeffnen, &QPushButton::clicked, this, &frmArchiv::cmdOeffnen_Click);
    connect(cmdExport, &QPushButton::clicked, this, &frmArchiv::cmdExport_Click);
    connect(cmdLoeschen, &QPushButton::clicked, this, &frmArchiv::cmdLoeschen_Click);
    connect(cmdSchliessen, &QPushButton::clicked, this, &QWidget::close);
    recaption();
    updateCommands();
    useWindowKeys(this);
}

frmArchiv::~frmArchiv() = default;

void frmArchiv::attach(Hooks h) { hooks = std::move(h); }

void frmArchiv::showArchive(bool german_)
{
    german = german_;
    recaption();
    connection.reset(); // the archive may have been changed by another program meanwhile
    refresh();
    show();
    watching.start();
    raise();
    activateWindow();
    txtSuche->setFocus();
}

void frmArchiv::languageChanged(bool german_)
{
    german = german_;
    recaption();
    if (isVisible()) refresh();
}

void frmArchiv::recaption()
{
    setWindowTitle(phrase(Phrase::ArchiveTitle, german));
    lblSuche->setText(phrase(Phrase::ArchiveSearch, german));
    chkVon->setText(phrase(Phrase::ArchiveFrom, german));
    chkBis->setText(phrase(Phrase::ArchiveTo, german));
    cmdOeffnen->setText(phrase(Phrase::ArchiveOpen, german));
    cmdExport->setText(phrase(Phrase::ArchiveExport, german));
    cmdLoeschen->setText(tableText(Menu::Loeschen, german));
    cmdSchliessen->setText(phrase(Phrase::ArchiveClose, german));
    const QString format = german ? QStringLiteral("dd.MM.yyyy") : QStringLiteral("yyyy-MM-dd");
    dtpVon->setDisplayFormat(format);
    dtpBis->setDisplayFormat(format);
}

Archive* frmArchiv::archive()
{
    if (!connection || !connection->isOpen()) connection = hooks.open ? hooks.open() : nullptr;
    return connection && connection->isOpen() ? connection.get() : nullptr;
}

QString frmArchiv::whyClosed() const
{
    if (connection) return shortReason(connection->error());
    return hooks.whyNoArchive ? hooks.whyNoArchive() : QString();
}

void frmArchiv::archiveChanged()
{
    if (isVisible() && !changed.isActive()) changed.start();
}

void frmArchiv::refresh()
{
    typing.stop();
    const std::vector<qint64> chosen = chosenIds();
    const Hourglass busy;
    const std::array<QString, 6> captions = hooks.captions ? hooks.captions() : std::array<QString, 6>{};
    Archive* a = archive();
    if (!a) {
        model->show({}, captions, german);
        lblAnzahl->setText(phrase(Phrase::ArchiveCannotOpen, german).arg(whyClosed()));
        updateCommands();
        return;
    }
    seen = a->fingerprint();
    std::vector<InspectionSummary> found = a->list(txtSuche->text(), chkVon->isChecked() ? dtpVon->date() : QDate(),
                                                   chkBis->isChecked() ? dtpBis->date() : QDate(), kListed);
    const QString error = a->error();
    const int n = int(found.size());
    model->show(std::move(found), captions, german);
    lstArchiv->resizeColumnsToContents();
    int row = 0; // the newest, unless one was chosen and is still listed
    for (int r = 0; r < n && !chosen.empty(); ++r)
        if (model->at(r)->id == chosen.front()) row = r;
    if (n > 0)
        lstArchiv->selectionModel()->setCurrentIndex(model->index(row, 0),
                                                     QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    if (!error.isEmpty()) lblAnzahl->setText(phrase(Phrase::ArchiveCannotOpen, german).arg(shortReason(error)));
    else lblAnzahl->setText(phrase(n >= kListed ? Phrase::ArchiveFoundNewest : Phrase::ArchiveFound, german).arg(n));
    updateCommands();
}

void frmArchiv::updateCommands()
{
    const int chosen = int(chosenIds().size());
    cmdOeffnen->setEnabled(chosen == 1);
    cmdLoeschen->setEnabled(chosen == 1);
    cmdExport->setEnabled(chosen >= 1);
}

std::vector<qint64> frmArchiv::chosenIds() const
{
    std::vector<qint64> ids;
    for (const QModelIndex& row : lstArchiv->selectionModel()->selectedRows())
        if (const InspectionSummary* s = model->at(row.row())) ids.push_back(s->id);
    std::sort(ids.begin(), ids.end(), std::greater<>()); // newest first, as listed
    return ids;
}

void frmArchiv::tell(const QString& text, MsgIcon icon)
{
    if (hooks.ask) hooks.ask(text, MsgButtons::OK, icon);
}

std::optional<Inspection> frmArchiv::loadCurrent()
{
    const std::vector<qint64> ids = chosenIds();
    if (ids.size() != 1) return std::nullopt;
    Archive* a = archive();
    std::optional<Inspection> in = a ? a->load(ids.front()) : std::nullopt;
    if (!in) {
        const QString why = !a ? whyClosed()
                            : a->error().isEmpty() ? phrase(Phrase::CliArchiveNoInspection, german).arg(ids.front())
                                                   : a->error();
        tell(phrase(Phrase::ArchiveNotLoaded, german).arg(ids.front()).arg(why));
        refresh();
    }
    return in;
}

void frmArchiv::cmdOeffnen_Click()
{
    if (!cmdOeffnen->isEnabled()) return; // a double click on nothing
    std::optional<Inspection> in;
    {
        const Hourglass busy;
        in = loadCurrent();
    }
    if (!in) return;
    if (const QString why = hooks.takeIntoTable ? hooks.takeIntoTable(*in) : QString(); !why.isEmpty()) {
        tell(why, MsgIcon::Information);
        return;
    }
    close();
}

void frmArchiv::cmdExport_Click()
{
    const std::vector<qint64> ids = chosenIds();
    if (ids.empty() || !hooks.saveName || !hooks.write) return;
    QString chosen = hooks.saveName(QStringLiteral("CSV (*.csv);;Excel (*.xlsx);;Mes (*.mes);;OpenDocument (*.odt)"));
    if (chosen.isEmpty()) return;
    if (QFileInfo(chosen).suffix().isEmpty()) chosen += QStringLiteral(".csv");
    const std::optional<TableFormat> format = formatOfPath(chosen);
    if (!format) {
        tell(phrase(Phrase::ArchiveExportEnding, german));
        return;
    }
    std::vector<std::pair<qint64, QString>> files;
    for (qint64 id : ids) files.emplace_back(id, ids.size() == 1 ? chosen : numberedPath(chosen, id));
    // The dialog asked about the one file; several are asked about here.
    const auto existing = std::count_if(files.begin(), files.end(), [](const auto& f) { return QFileInfo::exists(f.second); });
    if (ids.size() > 1 && existing > 0
        && hooks.ask(phrase(Phrase::ArchiveReplace, german).arg(existing), MsgButtons::YesNo, MsgIcon::Question)
               != MsgAnswer::Yes)
        return;
    int written = 0;
    for (const auto& [id, path] : files) {
        std::optional<Inspection> in;
        QString failure;
        {
            const Hourglass busy;
            Archive* a = archive();
            in = a ? a->load(id) : std::nullopt;
            if (!in) failure = phrase(Phrase::ArchiveNotLoaded, german).arg(id).arg(a ? a->error() : QString());
            else failure = hooks.write(*in, path, *format);
        }
        if (!failure.isEmpty()) {
            tell(failure);
            break;
        }
        ++written;
    }
    if (written > 0)
        tell(phrase(Phrase::ArchiveExported, german).arg(written).arg(QFileInfo(chosen).absolutePath()), MsgIcon::Information);
}

void frmArchiv::cmdLoeschen_Click()
{
    const std::vector<qint64> ids = chosenIds();
    if (ids.size() != 1) return;
    const int row = lstArchiv->selectionModel()->selectedRows().value(0).row();
    const InspectionSummary* s = model->at(row);
    if (!s) return;
    // The online session being taken grows on; deleted, it would only be
    // kept again.
    Archive* a = archive();
    const QString running = hooks.recording ? hooks.recording() : QString();
    if (a && !running.isEmpty() && a->idOf(running) == ids.front()) {
        tell(phrase(Phrase::ArchiveRunning, german).arg(ids.front()), MsgIcon::Information);
        return;
    }
    const QString question = phrase(Phrase::ArchiveDeleteQuestion, german)
                                 .arg(s->id)
                                 .arg(takenText(s->takenAt, german))
                                 .arg(s->count);
    if (hooks.ask(question, MsgButtons::YesNo, MsgIcon::Question) != MsgAnswer::Yes) return;
    a = archive();
    if (!a || !a->remove(ids.front()))
        tell(phrase(Phrase::ArchiveNotDeleted, german).arg(a ? a->error() : whyClosed()));
    refresh();
}

} // namespace kivo
