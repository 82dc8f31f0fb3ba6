#pragma once
// The measurement grid: a table of cell texts with a heading row (row 0)
// and per-cell background colours, addressed by (row, column) as the
// program thinks of it. Appending and rebuilding thousands of rows must not
// show a delay, so cells live in flat vectors and the view is told once.

#include <QAbstractTableModel>
#include <QColor>
#include <QTableView>
#include <vector>

namespace kivo {

constexpr double kTwipsPerPixel = 15.0; // at 96 dpi

class GridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Grid rows, heading included.
    int rows() const { return rowTotal; }
    int cols() const { return colTotal; }
    void setCols(int n);
    void setRows(int n);
    QString text(int row, int col) const;
    void setText(int row, int col, const QString& text);
    QColor background(int row, int col) const;
    void setBackground(int row, int col, const QColor& colour);
    void setAlignment(int col, Qt::Alignment alignment);
    void setHeadingAlignment(int col, Qt::Alignment alignment);
    // Empties every cell text, keeping rows, columns and colours.
    void clearTexts();
    // Paints every body cell in `colour`.
    void fillBody(const QColor& colour);
    // What a body row shows, as its owner numbers it (a slot); moves with
    // the row when the rows are put in another order.
    int rowTag(int row) const;
    void setRowTag(int row, int tag);
    // Puts the body rows in the order `order` gives (indices of rows 1..n,
    // 0-based), their texts, colours and tags with them.
    void reorderRows(const std::vector<size_t>& order);
    // Many changes at once: the view is told once, at endBatch().
    void beginBatch();
    void endBatch();
    void setBodyColour(const QColor& colour) { bodyColour = colour; }
    void setHeadingColour(const QColor& colour) { headingColour = colour; }

private:
    size_t at(int row, int col) const { return size_t(row) * size_t(colTotal) + size_t(col); }
    bool batching = false;
    int rowTotal = 1;
    int colTotal = 0;
    std::vector<QString> texts;
    std::vector<QColor> colours;
    std::vector<int> tags{0}; // one a row, heading included
    std::vector<Qt::Alignment> alignments;
    std::vector<Qt::Alignment> headingAlignments;
    QColor bodyColour = Qt::white;
    QColor headingColour;
};

class FlexGrid : public QTableView {
    Q_OBJECT
public:
    explicit FlexGrid(QWidget* parent = nullptr);

    GridModel& grid() { return model; }
    const GridModel& grid() const { return model; }

    int Rows() const { return model.rows(); }
    int Cols() const { return model.cols(); }
    void setRows(int n) { model.setRows(n); }
    void setCols(int n) { model.setCols(n); }
    QString TextMatrix(int row, int col) const { return model.text(row, col); }
    void setTextMatrix(int row, int col, const QString& text) { model.setText(row, col, text); }
    QColor CellBackColor(int row, int col) const { return model.background(row, col); }
    void setCellBackColor(int row, int col, const QColor& colour) { model.setBackground(row, col, colour); }
    void setColWidthTwips(int col, int twips);
    void setColAlignment(int col, Qt::Alignment alignment) { model.setAlignment(col, alignment); }
    void Clear() { model.clearTexts(); }
    // Brings the last row into view.
    void scrollToLastRow();
    // The last row stands whole inside the visible part of the grid.
    bool lastRowShown() const;

signals:
    // A click on a body cell: grid row (1-based) and column.
    void cellClicked(int row, int col);

private:
    GridModel model;
};

} // namespace kivo
