#include "platform/application.h"
#include "store/data.h"
#include "ui/forms.h"
#include "ui/mainform.h"

#include <cctype>
#include <string>

namespace {
constexpr const char* Titles[] = {"Status", "Title", "Category", "Date", "ID"};

void writeRow(TStringGrid& grid, int row, const TNote& note) {
    grid.setCells(0, row, note.IsClosed() ? "Closed" : "Open");
    grid.setCells(1, row, note.Title);
    grid.setCells(2, row, note.Category);
    grid.setCells(3, row, note.Date);
    grid.setCells(4, row, std::to_string(note.Id));
}

// Leading blanks, an optional sign, then digits up to the first other character; no digits
// give 0, and a number too large for an id names no note.
int64_t idFromCell(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    int64_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT64_C(1) << 40)
            return INT64_C(1) << 40;
    }
    return negative ? -value : value;
}
} // namespace

void TData::FillGrid() {
    TStringGrid& grid = *MainForm->StringGrid1;
    int remembered = grid.Row();
    MainForm->RichEdit1->Clear();

    grid.BeginUpdate();
    grid.setRowCount(1);
    for (int c = 0; c < 5; ++c)
        grid.setCells(c, 0, Titles[c]);

    const bool showOpen = MainForm->CheckBox1->isChecked();
    const bool showClosed = MainForm->CheckBox2->isChecked();
    // Category items carry their names' bytes, so a name that is not UTF-8 still matches.
    const QVariant bytes = MainForm->ComboBox1->currentData();
    const std::string filter = bytes.typeId() == QMetaType::QByteArray
                                   ? bytes.toByteArray().toStdString()
                                   : FromQString(MainForm->ComboBox1->currentText());
    const bool all = filter == "All";
    int closed = 0;
    int next = 1;
    for (const TNote& note : Notes) {
        if (note.IsClosed())
            ++closed;
        const bool statusPasses = (showOpen && !note.IsClosed()) || (showClosed && note.IsClosed());
        if (!statusPasses || !(all || filter == note.Category))
            continue;
        grid.setRowCount(grid.RowCount() + 1);
        writeRow(grid, next++, note);
    }
    grid.EndUpdate();

    if (grid.RowCount() > 1) {
        if (remembered <= 0)
            remembered = 1;
        if (remembered >= grid.RowCount())
            remembered = grid.RowCount() - 1;
        grid.setFixedRows(1);
        if (remembered != 1)
            grid.setRow(remembered);
        else
            MainForm->StringGrid1Click();
    }

    const int total = static_cast<int>(Notes.size());
    MainForm->StatusBar1->setPanelText(0, QStringLiteral("Notes: %1 (Open - %2, Closed - %3)")
                                              .arg(total)
                                              .arg(total - closed)
                                              .arg(closed));
}

void TData::SearchNotes(const TText& text) {
    TStringGrid& grid = *MainForm->StringGrid1;
    grid.BeginUpdate();
    grid.setRowCount(1);
    for (int c = 0; c < 4; ++c)
        grid.setCells(c, 0, Titles[c]);
    int next = 1;
    for (const TNote& note : Notes) {
        if (note.Title.find(text) == std::string::npos && note.Body.find(text) == std::string::npos)
            continue;
        grid.setRowCount(grid.RowCount() + 1);
        writeRow(grid, next++, note);
    }
    grid.EndUpdate();
    grid.setFixedRows(grid.RowCount() > 1 ? 1 : 0);
}

TNote* TData::SelectedNote() {
    const TStringGrid& grid = *MainForm->StringGrid1;
    if (grid.Row() <= 0)
        return nullptr;
    const int64_t id = idFromCell(grid.Cells(4, grid.Row()));
    if (id < INT32_MIN || id > INT32_MAX)
        return nullptr;
    return FindNote(static_cast<int32_t>(id));
}

void TData::DeleteSelectedNote() {
    const TNote* note = SelectedNote();
    if (!note)
        return;
    const int32_t id = note->Id;
    Notes.removeAll(TNote(id));
}
