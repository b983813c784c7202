#pragma once

#include <QTableView>

#include <string>

// A grid of text cells with an optional fixed title row (row 0), whole-row selection and
// read-only cells. Cells are provided to the view on demand, so a million rows stay cheap.
// With FixedRows 1, row 0 is the column header and rows 1.. are the body; with FixedRows 0,
// row 0 is an ordinary row like the others (a grid always keeps one non-fixed row).
class TStringGrid : public QTableView {
    Q_OBJECT
public:
    explicit TStringGrid(QWidget* parent = nullptr);
    ~TStringGrid() override;

    int RowCount() const;
    void setRowCount(int rows); // rows are cut or added empty; Row is kept within range
    int ColCount() const;
    void setColCount(int cols);
    int FixedRows() const;
    void setFixedRows(int rows); // 0 or 1; making row 0 fixed makes row 1 current, scrolled to top

    // The current row. Setting a different row makes it current, scrolls it into view and
    // raises Click; setting the same row does nothing.
    int Row() const;
    void setRow(int row);

    const std::string& Cells(int col, int row) const;
    void setCells(int col, int row, std::string text);

    int ColWidths(int col) const;
    void setColWidths(int col, int width);

    // Bulk changes between BeginUpdate and EndUpdate reach the view once.
    void BeginUpdate();
    void EndUpdate();

    // The model the view shows (row 0 is its header while FixedRows is 1).
    const QAbstractItemModel* CellModel() const;

Q_SIGNALS:
    void Click(); // the user or the program made a different row current
    void DblClick();

private:
    void syncView();

    class Model;
    Model* m_model;
    int m_row = 0;
    int m_fixedRows = 0;
    int m_updates = 0;
    bool m_syncing = false;
};
