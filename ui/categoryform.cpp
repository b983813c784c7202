#include "ui/categoryform.h"

#include "platform/application.h"
#include "store/data.h"
#include "ui/forms.h"
#include "ui/mainform.h"
#include "ui/noteform.h"
#include "ui/savefailure.h"

#include <QKeyEvent>
#include <QScreen>
#include <QSignalBlocker>

#include <algorithm>
#include <limits>

namespace {

// The name typed in the box: its last line, where an empty last line after a line break
// does not count. Leading and trailing spaces are part of the name.
TText typedName(const QString& text) {
    QString lines = text;
    if (lines.endsWith(QLatin1String("\r\n")))
        lines.chop(2);
    else if (lines.endsWith(QLatin1Char('\n')) || lines.endsWith(QLatin1Char('\r')))
        lines.chop(1);
    const qsizetype lastBreak =
        std::max(lines.lastIndexOf(QLatin1Char('\n')), lines.lastIndexOf(QLatin1Char('\r')));
    return FromQString(lines.mid(lastBreak + 1));
}

QByteArray bytesOf(const TText& text) {
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

TText nameOf(const QListWidgetItem& item) {
    const QByteArray bytes = item.data(Qt::UserRole).toByteArray();
    return TText(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

void resetPicker(QComboBox& picker, const QString& fixedItem) {
    picker.clear();
    picker.addItem(fixedItem);
    picker.setCurrentIndex(0);
}

} // namespace

TCategoryForm::TCategoryForm(QWidget* owner) : TForm(owner) {
    setupUi(this);
    setFixedSize(size());
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    // The dialog font may be wider than the one the positions were drawn for: the name box
    // starts after its label and keeps its right edge.
    Label1->resize(Label1->sizeHint().width(), Label1->height());
    const int right = Memo1->x() + Memo1->width();
    const int left = std::max(Memo1->x(), Label1->x() + Label1->width() + 4);
    Memo1->setGeometry(left, Memo1->y(), right - left, Memo1->height());
    // Names may be as long as the data file allows; the line edit would cut them at 32,767.
    Memo1->setMaxLength(std::numeric_limits<int>::max());
    Memo1->installEventFilter(this);
    BitBtn1->setIcon(QIcon(QStringLiteral(":/icons/delete.svg")));
    BitBtn2->setIcon(QIcon(QStringLiteral(":/icons/close.svg")));
    // Whatever escapes a handler is shown in the standard exception display.
    connect(BitBtn1, &QPushButton::clicked, this,
            [this] { Application->Guard([this] { BitBtn1Click(); }); });
    connect(BitBtn2, &QPushButton::clicked, this, &TCategoryForm::BitBtn2Click);
}

void TCategoryForm::FormShow() {
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    Memo1->setFocus();
}

bool TCategoryForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Memo1 && event->type() == QEvent::KeyPress) {
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        const bool enter = keyEvent->key() == Qt::Key_Return || keyEvent->key() == Qt::Key_Enter;
        if (enter || !keyEvent->text().isEmpty()) {
            char key = enter ? '\r' : keyEvent->text().front().toLatin1();
            Application->Guard([&] { Memo1KeyPress(key); });
        }
        // The name box takes Enter itself: it must not reach the default button, Delete.
        if (enter)
            return true;
    }
    return TForm::eventFilter(watched, event);
}

void TCategoryForm::Memo1KeyPress(char& key) {
    if (key != '\r')
        return;
    const TText name = typedName(Memo1->text());
    const QString problem = TextTooLong(name, QStringLiteral("category name"));
    if (!problem.isEmpty()) {
        // The name stays in the box, so the user can shorten it.
        Application->MessageBox(problem + QStringLiteral(" The category was not added."),
                                QStringLiteral("Text Too Long"), MB_OK | MB_ICONWARNING);
        return;
    }
    if (!name.empty()) {
        Data->AddCategory(TCategory(name));
        SaveData();
        Data->RefreshCategoryPickers();
    }
    Memo1->clear();
}

void TCategoryForm::BitBtn1Click() {
    // Delete never closes the dialog.
    setModalResult(mrNone);
    const QList<QListWidgetItem*> selected = ListBox1->selectedItems();
    if (selected.isEmpty())
        return;
    const TText name = nameOf(*selected.front());
    if (Application->MessageBox(QStringLiteral("Are you sure?"), QStringLiteral("Delete Category"),
                                MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    Data->DeleteCategory(TCategory(name));
    SaveData();
    Data->RefreshCategoryPickers();
}

void TCategoryForm::BitBtn2Click() {
    close();
}

void TData::RefreshCategoryPickers() {
    // Selecting "All" must not refill the note list: it keeps its rows until its next fill.
    const QSignalBlocker blockFilter(MainForm ? MainForm->ComboBox1 : nullptr);

    if (CategoryForm)
        CategoryForm->ListBox1->clear();
    if (NoteForm)
        resetPicker(*NoteForm->ComboBox1, QStringLiteral("None"));
    if (MainForm)
        resetPicker(*MainForm->ComboBox1, QStringLiteral("All"));

    for (const TCategory& category : Categories) {
        const QString text = ToQString(category.Name);
        const QByteArray bytes = bytesOf(category.Name);
        if (CategoryForm) {
            auto* item = new QListWidgetItem(text, CategoryForm->ListBox1);
            item->setData(Qt::UserRole, bytes);
        }
        if (MainForm)
            MainForm->ComboBox1->addItem(text, bytes);
        if (NoteForm)
            NoteForm->ComboBox1->addItem(text, bytes);
    }
}
