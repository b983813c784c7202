#include "platform/stringgrid.h"

#include "platform/application.h"

#include <QAbstractTableModel>
#include <QHeaderView>

#include <algorithm>
#include <vector>

// The cells, rows by columns, row 0 first. With FixedRows 1 the model's rows are the grid's
// rows 1.. and row 0 is the horizontal header.
class TStringGrid::Model : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    int rows = 1;
    int cols = 5;
    int fixed = 0;
    bool updating = false;
    std::vector<std::string> cells = std::vector<std::string>(5);

    std::string& cell(int col, int row) {
        return cells[static_cast<std::size_t>(row) * static_cast<std::size_t>(cols) +
                     static_cast<std::size_t>(col)];
    }
    const std::string& cell(int col, int row) const {
        return cells[static_cast<std::size_t>(row) * static_cast<std::size_t>(cols) +
                     static_cast<std::size_t>(col)];
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : rows - fixed;
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : cols;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !checkIndex(index, CheckIndexOption::IndexIsValid))
            return {};
        return ToQString(cell(index.column(), index.row() + fixed));
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role != Qt::DisplayRole || orientation != Qt::Horizontal || fixed == 0 || section < 0 ||
            section >= cols)
            return {};
        return ToQString(cell(section, 0));
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        if (!index.isValid())
            return Qt::NoItemFlags;
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemNeverHasChildren;
    }

    void resize(int newRows, int newCols) {
        if (newCols != cols) {
            std::vector<std::string> grown(static_cast<std::size_t>(newRows) *
                                           static_cast<std::size_t>(newCols));
            for (int r = 0; r < std::min(rows, newRows); ++r)
                for (int c = 0; c < std::min(cols, newCols); ++c)
                    grown[static_cast<std::size_t>(r) * static_cast<std::size_t>(newCols) +
                          static_cast<std::size_t>(c)] = std::move(cell(c, r));
            cells = std::move(grown);
            cols = newCols;
        } else {
            cells.resize(static_cast<std::size_t>(newRows) * static_cast<std::size_t>(cols));
        }
        rows = newRows;
    }

    // Structural changes reach the view as one reset, or not at all inside an update.
    void begin() {
        if (!updating)
            beginResetModel();
    }
    void end() {
        if (!updating)
            endResetModel();
    }
    void beginReset() { beginResetModel(); }
    void endReset() { endResetModel(); }
    void addRows(int newRows) {
        beginInsertRows({}, rows - fixed, newRows - fixed - 1);
        resize(newRows, cols);
        endInsertRows();
    }
    void cellChanged(int col, int row) {
        if (updating)
            return;
        if (row < fixed) {
            Q_EMIT headerDataChanged(Qt::Horizontal, col, col);
        } else {
            const QModelIndex i = index(row - fixed, col);
            Q_EMIT dataChanged(i, i, {Qt::DisplayRole});
        }
    }
};

TStringGrid::TStringGrid(QWidget* parent) : QTableView(parent), m_model(new Model(this)) {
    setModel(m_model);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultSectionSize(16);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setStretchLastSection(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setMinimumSectionSize(0);
    horizontalHeader()->hide();

    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (m_syncing || !current.isValid())
                    return;
                const int row = current.row() + m_fixedRows;
                if (row != m_row) {
                    m_row = row;
                    Q_EMIT Click();
                }
            });
    connect(this, &QAbstractItemView::doubleClicked, this, [this] { Q_EMIT DblClick(); });
    syncView();
}

TStringGrid::~TStringGrid() = default;

int TStringGrid::RowCount() const {
    return m_model->rows;
}

void TStringGrid::setRowCount(int rows) {
    rows = std::max(rows, 1);
    if (rows == m_model->rows)
        return;
    if (rows > m_model->rows && !m_model->updating) {
        m_model->addRows(rows);
        return;
    }
    m_model->begin();
    m_model->resize(rows, m_model->cols);
    if (m_fixedRows >= rows)
        m_fixedRows = rows - 1;
    m_model->fixed = m_fixedRows;
    m_row = std::clamp(m_row, m_fixedRows, rows - 1);
    m_model->end();
    syncView();
}

int TStringGrid::ColCount() const {
    return m_model->cols;
}

void TStringGrid::setColCount(int cols) {
    cols = std::max(cols, 1);
    if (cols == m_model->cols)
        return;
    m_model->begin();
    m_model->resize(m_model->rows, cols);
    m_model->end();
    syncView();
}

int TStringGrid::FixedRows() const {
    return m_fixedRows;
}

void TStringGrid::setFixedRows(int rows) {
    rows = std::clamp(rows, 0, std::min(1, m_model->rows - 1));
    if (rows == m_fixedRows)
        return;
    m_model->begin();
    m_fixedRows = rows;
    m_model->fixed = rows;
    m_row = m_fixedRows;
    m_model->end();
    syncView();
    scrollToTop();
}

int TStringGrid::Row() const {
    return m_row;
}

void TStringGrid::setRow(int row) {
    if (row < m_fixedRows || row >= m_model->rows || row == m_row)
        return;
    m_row = row;
    syncView();
    Q_EMIT Click();
}

const std::string& TStringGrid::Cells(int col, int row) const {
    static const std::string none;
    if (col < 0 || row < 0 || col >= m_model->cols || row >= m_model->rows)
        return none;
    return m_model->cell(col, row);
}

void TStringGrid::setCells(int col, int row, std::string text) {
    if (col < 0 || row < 0 || col >= m_model->cols || row >= m_model->rows)
        return;
    m_model->cell(col, row) = std::move(text);
    m_model->cellChanged(col, row);
}

int TStringGrid::ColWidths(int col) const {
    return columnWidth(col);
}

void TStringGrid::setColWidths(int col, int width) {
    setColumnWidth(col, std::max(width, 0));
}

void TStringGrid::BeginUpdate() {
    if (m_updates++ == 0) {
        m_model->beginReset();
        m_model->updating = true;
    }
}

void TStringGrid::EndUpdate() {
    if (m_updates == 0 || --m_updates > 0)
        return;
    m_model->updating = false;
    m_model->endReset();
    syncView();
}

const QAbstractItemModel* TStringGrid::CellModel() const {
    return m_model;
}

// The view follows the grid's row and title row, without raising Click.
void TStringGrid::syncView() {
    if (m_updates > 0)
        return;
    horizontalHeader()->setVisible(m_fixedRows > 0);
    m_syncing = true;
    const QModelIndex current = m_model->index(m_row - m_fixedRows, 0);
    selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect |
                                                   QItemSelectionModel::Rows);
    m_syncing = false;
    if (current.isValid())
        scrollTo(current);
}
