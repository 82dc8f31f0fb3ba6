#pragma once
// The measurement grid: a view of the session's table on show. Its model
// asks the session for each row's cells and look as the view paints them,
// so the grid holds no reading of its own; only the colours of the looks
// and the column layout are the view's. Appending and redrawing thousands
// of rows must not show a delay: a batch tells the view once.

#include "session/ShownTable.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QTableView>
#include <array>
#include <vector>

namespace kivo {

class GaugeSession;

constexpr double kTwipsPerPixel = 15.0; // at 96 dpi

// The colours the grid paints each look of a row in.
struct GridColours {
    QColor plain, within, outside, marked;
};

class ReadingsModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit ReadingsModel(const GaugeSession& session) : session(session) {}

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    void setColours(const GridColours& colours);
    void setHeadingColour(const QColor& colour) { headingColour = colour; }
    void setAlignment(int col, Qt::Alignment alignment);
    void setHeadingAlignment(int col, Qt::Alignment alignment);

    // The session's rows changed: rows added at the end are inserted, any
    // other change draws every row anew. Inside a batch the view is told
    // once, at endBatch().
    void rowsAdded();
    void redrawn();
    void beginBatch();
    void endBatch();
    // The heading or the rows' looks changed (the language, a mark).
    void looksChanged();

    // What the grid shows, as the operator reads it: grid row 0 is the
    // heading, rows 1.. the readings.
    int rows() const { return shownRows + 1; }
    QString text(int row, int col) const;
    QColor background(int row) const;

private:
    const GaugeSession& session;
    int shownRows = 0; // the rows the view was told of
    bool batching = false;
    GridColours colours;
    QColor headingColour;
    std::array<Qt::Alignment, 4> alignments{Qt::AlignLeft, Qt::AlignLeft, Qt::AlignLeft, Qt::AlignLeft};
    std::array<Qt::Alignment, 4> headingAlignments{Qt::AlignLeft, Qt::AlignLeft, Qt::AlignLeft, Qt::AlignLeft};
};

class FlexGrid : public QTableView {
    Q_OBJECT
public:
    explicit FlexGrid(const GaugeSession& session, QWidget* parent = nullptr);

    ReadingsModel& grid() { return model; }
    const ReadingsModel& grid() const { return model; }

    int Rows() const { return model.rows(); }
    int Cols() const { return model.columnCount(); }
    QString TextMatrix(int row, int col) const { return model.text(row, col); }
    QColor CellBackColor(int row, int) const { return model.background(row); }
    void setColWidthTwips(int col, int twips);
    void setColAlignment(int col, Qt::Alignment alignment) { model.setAlignment(col, alignment); }
    // Brings the last row into view.
    void scrollToLastRow();
    // The last row stands whole inside the visible part of the grid.
    bool lastRowShown() const;

signals:
    // A click on a body cell: grid row (1-based) and column.
    void cellClicked(int row, int col);

private:
    ReadingsModel model;
};

} // namespace kivo
