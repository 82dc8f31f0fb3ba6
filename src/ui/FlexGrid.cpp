#include "ui/FlexGrid.h"

#include "session/GaugeSession.h"

#include <QHeaderView>

namespace kivo {

namespace {

constexpr int kColumns = 4;

} // namespace

int ReadingsModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : shownRows; }

int ReadingsModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : kColumns; }

QVariant ReadingsModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= session.shown().rows()) return {};
    switch (role) {
    case Qt::DisplayRole: return session.rowCells(index.row(), QLocale())[size_t(index.column())];
    case Qt::BackgroundRole: return background(index.row() + 1);
    case Qt::TextAlignmentRole: return int(alignments[size_t(index.column())] | Qt::AlignVCenter);
    default: return {};
    }
}

QVariant ReadingsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= kColumns) return {};
    switch (role) {
    case Qt::DisplayRole: return session.heading()[size_t(section)];
    case Qt::TextAlignmentRole: return int(headingAlignments[size_t(section)] | Qt::AlignVCenter);
    default: return {};
    }
}

QString ReadingsModel::text(int row, int col) const
{
    if (col < 0 || col >= kColumns || row < 0 || row > shownRows) return {};
    if (row == 0) return session.heading()[size_t(col)];
    return session.rowCells(row - 1, QLocale())[size_t(col)];
}

QColor ReadingsModel::background(int row) const
{
    if (row == 0) return headingColour;
    switch (session.rowLook(row - 1)) {
    case RowLook::Within: return colours.within;
    case RowLook::Outside: return colours.outside;
    case RowLook::Marked: return colours.marked;
    case RowLook::Plain: break;
    }
    return colours.plain;
}

void ReadingsModel::setColours(const GridColours& newColours)
{
    colours = newColours;
    looksChanged();
}

void ReadingsModel::setAlignment(int col, Qt::Alignment alignment)
{
    if (col < 0 || col >= kColumns) return;
    alignments[size_t(col)] = alignment;
    if (shownRows > 0 && !batching) emit dataChanged(index(0, col), index(shownRows - 1, col), {Qt::TextAlignmentRole});
}

void ReadingsModel::setHeadingAlignment(int col, Qt::Alignment alignment)
{
    if (col < 0 || col >= kColumns) return;
    headingAlignments[size_t(col)] = alignment;
    if (!batching) emit headerDataChanged(Qt::Horizontal, col, col);
}

void ReadingsModel::rowsAdded()
{
    if (batching) return;
    const int now = session.shown().rows();
    if (now < shownRows) {
        redrawn();
        return;
    }
    if (now > shownRows) {
        beginInsertRows({}, shownRows, now - 1);
        shownRows = now;
        endInsertRows();
    }
    emit headerDataChanged(Qt::Horizontal, 0, 0); // the date
}

void ReadingsModel::redrawn()
{
    if (batching) return;
    beginResetModel();
    shownRows = session.shown().rows();
    endResetModel();
}

void ReadingsModel::beginBatch()
{
    if (batching) return;
    beginResetModel();
    batching = true;
}

void ReadingsModel::endBatch()
{
    if (!batching) return;
    batching = false;
    shownRows = session.shown().rows();
    endResetModel();
}

void ReadingsModel::looksChanged()
{
    if (batching) return;
    emit headerDataChanged(Qt::Horizontal, 0, kColumns - 1);
    if (shownRows > 0) emit dataChanged(index(0, 0), index(shownRows - 1, kColumns - 1));
}

FlexGrid::FlexGrid(const GaugeSession& session, QWidget* parent) : QTableView(parent), model(session)
{
    model.setHeadingColour(palette().color(QPalette::Button));
    setModel(&model);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setStretchLastSection(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::NoSelection);
    setFocusPolicy(Qt::ClickFocus);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setWordWrap(false);
    setStyleSheet(QStringLiteral("QTableView { gridline-color: #000000; }"
                                 "QHeaderView::section { border: 1px solid #e0e0e0; padding: 2px 4px; }"));
    connect(this, &QTableView::clicked, this,
            [this](const QModelIndex& index) { emit cellClicked(index.row() + 1, index.column()); });
}

void FlexGrid::setColWidthTwips(int col, int twips) { setColumnWidth(col, int(twips / kTwipsPerPixel + 0.5)); }

void FlexGrid::scrollToLastRow()
{
    if (model.rows() <= 1) return;
    // Rows just added are laid out only when the view next paints, and the
    // scroll range would still end before them: lay them out first, so the
    // last row is shown whole.
    executeDelayedItemsLayout();
    updateGeometries();
    scrollToBottom();
}

bool FlexGrid::lastRowShown() const
{
    if (model.rows() <= 1) return true;
    const QRect row = visualRect(model.index(model.rows() - 2, 0));
    return viewport()->rect().contains(row);
}

} // namespace kivo
