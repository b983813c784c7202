#include "ui/mainform.h"

#include "platform/application.h"
#include "platform/qrprinter.h"
#include "platform/trayicon.h"
#include "store/data.h"
#include "ui/aboutform.h"
#include "ui/forms.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QFont>
#include <QIcon>
#include <QMenuBar>
#include <QScreen>
#include <QShowEvent>
#include <QSplitter>

#include <algorithm>

namespace {
// Handlers run through the standard exception display, as the message loop would show them.
template <typename F> auto guarded(F f) {
    return [f] {
        Application->Guard(f);
    };
}
} // namespace

TMainForm::TMainForm(QWidget* owner) : QMainWindow(owner) {
    setupUi(this);
    setObjectName(QStringLiteral("MainForm"));

    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    setFont(font);
    menuBar()->setFont(font);

    StatusBar1->setPanelWidths({200, 50});
    StatusBar1->setPanelText(0, QStringLiteral("Notes:"));

    // Either panel may be dragged down to nothing.
    Panel3->setMinimumSize(0, 0);
    Panel2->setMinimumSize(0, 0);
    RxSplitter1->setCollapsible(0, true);
    RxSplitter1->setCollapsible(1, true);
    RxSplitter1->setStretchFactor(0, 1);
    RxSplitter1->setStretchFactor(1, 0);
    RxSplitter1->setSizes({217, 73});

    Label1->adjustSize();
    Label2->adjustSize();
    Memo1->setScrollBars(false);
    Memo1->document()->setDocumentMargin(2);

    BitBtn1->setIcon(QIcon(QStringLiteral(":/icons/add.svg")));
    BitBtn2->setIcon(QIcon(QStringLiteral(":/icons/edit.svg")));
    BitBtn3->setIcon(QIcon(QStringLiteral(":/icons/delete.svg")));
    BitBtn4->setIcon(QIcon(QStringLiteral(":/icons/categories.svg")));
    for (QPushButton* b : {BitBtn1, BitBtn2, BitBtn3, BitBtn4})
        b->setIconSize(QSize(16, 16));

    // The window's client area as the definition lays it out: the list panel 592 x 217 under
    // the toolbar, the body panel 73 high, the status bar below.
    resize(592, menuBar()->sizeHint().height() + 36 + 217 + 3 + 73 + 25);

    connect(Print1, &QAction::triggered, this, guarded([this] { Print1Click(); }));
    connect(Publish1, &QAction::triggered, this, guarded([this] { Publish1Click(); }));
    connect(Exit1, &QAction::triggered, this, guarded([this] { Exit1Click(); }));
    // The menu flips a checkable item before it runs the handler; the handler does the flip.
    connect(Toolbar1, &QAction::triggered, this, guarded([this] {
                Toolbar1->setChecked(!Toolbar1->isChecked());
                Toolbar1Click();
            }));
    connect(Add1, &QAction::triggered, this, guarded([this] { Add1Click(); }));
    connect(Edit2, &QAction::triggered, this, guarded([this] { Edit2Click(); }));
    connect(Delete1, &QAction::triggered, this, guarded([this] { Delete1Click(); }));
    connect(Categories1, &QAction::triggered, this, guarded([this] { Categories1Click(); }));
    connect(Contents1, &QAction::triggered, this, guarded([this] { Contents1Click(); }));
    connect(About1, &QAction::triggered, this, guarded([this] { About1Click(); }));
    connect(BitBtn1, &QPushButton::clicked, this, guarded([this] { BitBtn1Click(); }));
    connect(BitBtn2, &QPushButton::clicked, this, guarded([this] { BitBtn2Click(); }));
    connect(BitBtn3, &QPushButton::clicked, this, guarded([this] { BitBtn3Click(); }));
    connect(BitBtn4, &QPushButton::clicked, this, guarded([this] { BitBtn4Click(); }));

    connect(CheckBox1, &QCheckBox::clicked, this, guarded([this] { CheckBox1Click(); }));
    connect(CheckBox2, &QCheckBox::clicked, this, guarded([this] { CheckBox2Click(); }));
    connect(ComboBox1, &QComboBox::activated, this, guarded([this] { ComboBox1Change(); }));
    connect(RadioGroup1, &TRadioGroup::Click, this, guarded([this] { RadioGroup1Click(); }));
    connect(StringGrid1, &TStringGrid::Click, this, guarded([this] { StringGrid1Click(); }));
    connect(StringGrid1, &TStringGrid::DblClick, this, guarded([this] { StringGrid1DblClick(); }));
    Memo1->OnKeyPress = [this](char& key) {
        Application->Guard([&] { Memo1KeyPress(key); });
    };

    for (TPanel* panel : {Panel1, Panel2, Panel3, Panel4})
        panel->setBevelOuter(bvNone);
    Panel3->OnResize = [this](QObject*) {
        Application->Guard([this] { Panel3Resize(); });
    };
    Panel2->OnResize = [this](QObject*) {
        Application->Guard([this] { Panel2Resize(); });
    };

    if (Data)
        Data->SortChoice = [this] {
            return RadioGroup1->ItemIndex();
        };

    // Construction steps that the definition can't hold.
    if (QRPrinter)
        QRPrinter->OnPreview = [this] {
            ShowPreview();
        };
    const QString title = Application ? Application->Title() : QString();
    setWindowTitle(title);
    RxTrayIcon1 = new TRxTrayIcon(this);
    RxTrayIcon1->setHint(windowTitle());
    RxTrayIcon1->setIcon(QIcon(QStringLiteral(":/icons/quillbox.svg")));
    connect(RxTrayIcon1, &TRxTrayIcon::DblClick, this, guarded([this] { RxTrayIcon1DblClick(); }));
    if (Application)
        Application->OnMinimize = [this] {
            ApplicationMinimize();
        };
}

TMainForm::~TMainForm() {
    if (Data)
        Data->SortChoice = nullptr;
    if (QRPrinter)
        QRPrinter->OnPreview = nullptr;
    if (Application)
        Application->OnMinimize = nullptr;
}

void TMainForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    // Minimising and restoring hide and show the window again; the first show is the one.
    if (m_formShown || event->spontaneous())
        return;
    m_formShown = true;
    if (const QScreen* screen = this->screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
    if (Application)
        Application->Guard([this] { FormShow(); });
    else
        FormShow();
}

void TMainForm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    // The minimise event comes once the window has finished minimising.
    if (event->type() == QEvent::WindowStateChange && isMinimized() && Application)
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (isMinimized() && Application)
                    Application->Minimized();
            },
            Qt::QueuedConnection);
}

// Closing the main window ends the run, even while the help window stays open.
void TMainForm::closeEvent(QCloseEvent* event) {
    QMainWindow::closeEvent(event);
    if (event->isAccepted())
        QCoreApplication::quit();
}

void TMainForm::FormShow() {
    const TLoadResult loaded = Data->Load();
    reportLoad(loaded);
    Data->RefreshCategoryPickers();
    Data->FillGrid();
    Panel2Resize();
    Panel3Resize();
}

// A damaged or unreadable data file is told, so that the user knows notes may be missing
// before anything is saved over it; a missing file is the first run and stays silent.
void TMainForm::reportLoad(const TLoadResult& loaded) {
    using Status = TLoadResult::Status;
    const QString path = ToQString(loaded.path);
    if (loaded.status == Status::Damaged) {
        QString text =
            QStringLiteral("The data file \"%1\" is damaged (%2). %3 notes and %4 categories were "
                           "read from it.")
                .arg(path, ToQString(loaded.problem))
                .arg(loaded.notesRead)
                .arg(loaded.categoriesRead);
        if (!loaded.keptCopy.empty())
            text += QStringLiteral(" A copy of the original file is kept as \"%1\".")
                        .arg(ToQString(loaded.keptCopy));
        else
            text += QStringLiteral(" The original file is left as it is.");
        Application->MessageBox(text, QString(), MB_OK | MB_ICONWARNING);
    } else if (loaded.status == Status::Unreadable) {
        Application->MessageBox(
            QStringLiteral("The data file \"%1\" could not be read (%2). The list starts empty; "
                           "check the file's permissions and start the program again.")
                .arg(path, ToQString(loaded.problem)),
            QString(), MB_OK | MB_ICONWARNING);
    }
}

void TMainForm::ApplicationMinimize() {
    // Without a notification area the taskbar button is the only way back: keep it.
    if (RxTrayIcon1 && RxTrayIcon1->Active() && TRxTrayIcon::Available())
        hide();
}

void TMainForm::Exit1Click() {
    close();
}

void TMainForm::Toolbar1Click() {
    const bool show = !Toolbar1->isChecked();
    Toolbar1->setChecked(show);
    Panel1->setVisible(show);
}

void TMainForm::Contents1Click() {
    Application->HelpCommand(HELP_FINDER, 0);
}

void TMainForm::About1Click() {
    AboutForm->ShowModal();
}

void TMainForm::RxTrayIcon1DblClick() {
    Application->Restore();
}

void TMainForm::Panel3Resize() {
    const int W = Panel3->width();
    const int H = Panel3->height();
    RadioGroup1->move(4, 4);
    GroupBox1->move(W - GroupBox1->width() - 4, 4);
    Label2->move(4, H - Memo1->height() - 4);
    Memo1->move(Label2->width() + 4, Label2->y());
    ComboBox1->move(W - ComboBox1->width() - 4, Label2->y());
    Label1->move(ComboBox1->x() - Label1->width() - 4, Label2->y());
    const int gridTop = RadioGroup1->height() + 8;
    // A panel dragged small leaves no room: a size below zero is none.
    StringGrid1->setGeometry(4, gridTop, std::max(W - 8, 0),
                             std::max(Label1->y() - gridTop - 4, 0));
    const int w = StringGrid1->width();
    StringGrid1->setColWidths(0, static_cast<int>(w * 0.1));
    StringGrid1->setColWidths(1, static_cast<int>(w * 0.45));
    StringGrid1->setColWidths(2, static_cast<int>(w * 0.15));
    StringGrid1->setColWidths(3, static_cast<int>(w * 0.3));
    StringGrid1->setColWidths(4, static_cast<int>(w * 0.1));
}

void TMainForm::Panel2Resize() {
    RichEdit1->setGeometry(4, 4, std::max(Panel2->width() - 8, 0),
                           std::max(Panel2->height() - 8, 0));
}

void TMainForm::CheckBox1Click() {
    Data->FillGrid();
}

void TMainForm::CheckBox2Click() {
    Data->FillGrid();
}

void TMainForm::ComboBox1Change() {
    Data->FillGrid();
}

void TMainForm::RadioGroup1Click() {
    Data->SortNotes();
    Data->FillGrid();
}

void TMainForm::Memo1KeyPress(char& key) {
    if (key != '\r')
        return;
    const int count = Memo1->Lines().Count();
    const QString text = count > 0 ? Memo1->Lines().Strings(count - 1) : QString();
    if (!text.isEmpty())
        Data->SearchNotes(FromQString(text));
    else
        Data->FillGrid();
    Memo1->Lines().Clear();
    Memo1->Lines().setText(text);
}

void TMainForm::StringGrid1Click() {
    if (const TNote* note = Data->SelectedNote())
        RichEdit1->setText(ToQString(note->Body));
}

void TMainForm::StringGrid1DblClick() {
    Edit2Click();
}
