#include "ui/FlexGrid.h"

#include <QHeaderView>

namespace kivo {

int GridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rowTotal - 1; }

int GridModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : colTotal; }

QVariant GridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) return {};
    const int row = index.row() + 1; // row 0 is the heading
    switch (role) {
    case Qt::DisplayRole: return texts[at(row, index.column())];
    case Qt::BackgroundRole: return colours[at(row, index.column())];
    case Qt::TextAlignmentRole: return int(alignments[size_t(index.column())] | Qt::AlignVCenter);
    default: return {};
    }
}

QVariant GridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= colTotal) return {};
    switch (role) {
    case Qt::DisplayRole: return texts[at(0, section)];
    case Qt::TextAlignmentRole: return int(headingAlignments[size_t(section)] | Qt::AlignVCenter);
    default: return {};
    }
}

void GridModel::setCols(int n)
{
    if (n == colTotal) return;
    beginResetModel();
    std::vector<QString> newTexts(size_t(rowTotal) * size_t(n));
    std::vector<QColor> newColours(newTexts.size(), bodyColour);
    for (int r = 0; r < rowTotal; ++r)
        for (int c = 0; c < std::min(n, colTotal); ++c) {
            newTexts[size_t(r) * size_t(n) + size_t(c)] = texts[at(r, c)];
            newColours[size_t(r) * size_t(n) + size_t(c)] = colours[at(r, c)];
        }
    for (int c = 0; c < n; ++c) newColours[size_t(c)] = headingColour;
    texts.swap(newTexts);
    colours.swap(newColours);
    colTotal = n;
    alignments.resize(size_t(n), Qt::AlignLeft);
    headingAlignments.resize(size_t(n), Qt::AlignLeft);
    endResetModel();
}

void GridModel::beginBatch()
{
    if (batching) return;
    beginResetModel();
    batching = true;
}

void GridModel::endBatch()
{
    if (!batching) return;
    batching = false;
    endResetModel();
}

void GridModel::fillBody(const QColor& colour)
{
    std::fill(colours.begin() + std::min<qsizetype>(colTotal, qsizetype(colours.size())), colours.end(), colour);
    if (!batching && rowTotal > 1 && colTotal > 0)
        emit dataChanged(index(0, 0), index(rowTotal - 2, colTotal - 1), {Qt::BackgroundRole});
}

int GridModel::rowTag(int row) const { return row > 0 && row < rowTotal ? tags[size_t(row)] : 0; }

void GridModel::setRowTag(int row, int tag)
{
    if (row > 0 && row < rowTotal) tags[size_t(row)] = tag;
}

void GridModel::reorderRows(const std::vector<size_t>& order)
{
    if (order.size() != size_t(rowTotal - 1)) return;
    std::vector<QString> newTexts(texts.begin(), texts.begin() + colTotal);
    std::vector<QColor> newColours(colours.begin(), colours.begin() + colTotal);
    std::vector<int> newTags{tags[0]};
    newTexts.reserve(texts.size());
    newColours.reserve(colours.size());
    newTags.reserve(tags.size());
    for (size_t from : order) {
        const int row = int(from) + 1;
        for (int c = 0; c < colTotal; ++c) {
            newTexts.push_back(texts[at(row, c)]);
            newColours.push_back(colours[at(row, c)]);
        }
        newTags.push_back(tags[size_t(row)]);
    }
    if (!batching) beginResetModel();
    texts.swap(newTexts);
    colours.swap(newColours);
    tags.swap(newTags);
    if (!batching) endResetModel();
}

void GridModel::setRows(int n)
{
    n = std::max(n, 1);
    tags.resize(size_t(n), 0);
    if (n == rowTotal) return;
    if (batching) {
        texts.resize(size_t(n) * size_t(colTotal));
        colours.resize(texts.size(), bodyColour);
        rowTotal = n;
        return;
    }
    if (n > rowTotal) {
        beginInsertRows({}, rowTotal - 1, n - 2);
        texts.resize(size_t(n) * size_t(colTotal));
        colours.resize(texts.size(), bodyColour);
        rowTotal = n;
        endInsertRows();
    } else {
        beginRemoveRows({}, n - 1, rowTotal - 2);
        texts.resize(size_t(n) * size_t(colTotal));
        colours.resize(texts.size());
        rowTotal = n;
        endRemoveRows();
    }
}

QString GridModel::text(int row, int col) const
{
    if (row < 0 || row >= rowTotal || col < 0 || col >= colTotal) return {};
    return texts[at(row, col)];
}

void GridModel::setText(int row, int col, const QString& text)
{
    if (row < 0 || row >= rowTotal || col < 0 || col >= colTotal) return;
    texts[at(row, col)] = text;
    if (batching) return;
    if (row == 0)
        emit headerDataChanged(Qt::Horizontal, col, col);
    else
        emit dataChanged(index(row - 1, col), index(row - 1, col), {Qt::DisplayRole});
}

QColor GridModel::background(int row, int col) const
{
    if (row < 0 || row >= rowTotal || col < 0 || col >= colTotal) return {};
    return colours[at(row, col)];
}

void GridModel::setBackground(int row, int col, const QColor& colour)
{
    if (row < 0 || row >= rowTotal || col < 0 || col >= colTotal) return;
    colours[at(row, col)] = colour;
    if (row > 0 && !batching) emit dataChanged(index(row - 1, col), index(row - 1, col), {Qt::BackgroundRole});
}

void GridModel::setAlignment(int col, Qt::Alignment alignment)
{
    if (col < 0 || col >= colTotal) return;
    alignments[size_t(col)] = alignment;
    if (rowTotal > 1) emit dataChanged(index(0, col), index(rowTotal - 2, col), {Qt::TextAlignmentRole});
}

void GridModel::setHeadingAlignment(int col, Qt::Alignment alignment)
{
    if (col < 0 || col >= colTotal) return;
    headingAlignments[size_t(col)] = alignment;
    emit headerDataChanged(Qt::Horizontal, col, col);
}

void GridModel::clearTexts()
{
    for (QString& t : texts) t.clear();
    if (batching) return;
    emit headerDataChanged(Qt::Horizontal, 0, std::max(0, colTotal - 1));
    if (rowTotal > 1 && colTotal > 0) emit dataChanged(index(0, 0), index(rowTotal - 2, colTotal - 1));
}

FlexGrid::FlexGrid(QWidget* parent) : QTableView(parent)
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

void FlexGrid::setColWidthTwips(int col, int twips)
{
    setColumnWidth(col, int(twips / kTwipsPerPixel + 0.5));
}

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
