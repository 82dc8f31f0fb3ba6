#pragma once
// The archive window's list: the inspections a query found, newest first,
// as ArchiveListing words them.

#include "archive/ArchiveRecord.h"

#include <QAbstractTableModel>
#include <QLocale>
#include <vector>

namespace kivo {

class ArchiveListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void show(std::vector<InspectionSummary> found, const std::array<QString, 6>& captions, bool german);
    const InspectionSummary* at(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<InspectionSummary> rows;
    std::vector<QStringList> cells; // worded once, not at every paint
    QStringList headings;
};

} // namespace kivo
