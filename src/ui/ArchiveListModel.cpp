#include "ui/ArchiveListModel.h"

#include "session/ArchiveListing.h"
#include "shared/LocaleNumber.h"

namespace kivo {

void ArchiveListModel::show(std::vector<InspectionSummary> found, const std::array<QString, 6>& captions, bool german)
{
    beginResetModel();
    rows = std::move(found);
    headings = listHeadings(captions, german);
    const QLocale locale = languageLocale(german);
    cells.clear();
    cells.reserve(rows.size());
    for (const InspectionSummary& s : rows) cells.push_back(listCells(s, german, locale));
    endResetModel();
}

const InspectionSummary* ArchiveListModel::at(int row) const
{
    return row >= 0 && size_t(row) < rows.size() ? &rows[size_t(row)] : nullptr;
}

int ArchiveListModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(rows.size()); }

int ArchiveListModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : int(headings.size()); }

QVariant ArchiveListModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || size_t(index.row()) >= cells.size()) return {};
    if (role == Qt::DisplayRole) return cells[size_t(index.row())].value(index.column());
    // Numbers to the right, as the table has them.
    const int count = int(headings.size());
    if (role == Qt::TextAlignmentRole && (index.column() == 0 || index.column() == count - 3 || index.column() == count - 1))
        return int(Qt::AlignRight | Qt::AlignVCenter);
    return {};
}

QVariant ArchiveListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
    return headings.value(section);
}

} // namespace kivo
