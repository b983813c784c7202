#include "output/previewform.h"

#include "platform/qrpreview.h"
#include "platform/report.h"
#include "ui_previewform.h"

#include <QEvent>
#include <QIcon>
#include <QScreen>

TPreviewForm::TPreviewForm(QWidget* owner) : TForm(owner) {
    Ui_TPreviewForm form;
    form.setupUi(this);
    QRPreview1 = form.QRPreview1;
    Panel1 = form.Panel1;
    BitBtn1 = form.BitBtn1;
    BitBtn2 = form.BitBtn2;
    ComboBox1 = form.ComboBox1;
    Label1 = form.Label1;
    BitBtn3 = form.BitBtn3;
    BitBtn4 = form.BitBtn4;
    Label2 = form.Label2;
    BitBtn5 = form.BitBtn5;
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(11);
    setFont(font);

    const struct {
        QToolButton* button;
        const char* icon;
    } glyphs[] = {{BitBtn1, ":/icons/print.svg"},
                  {BitBtn5, ":/icons/setup.svg"},
                  {BitBtn2, ":/icons/close.svg"},
                  {BitBtn3, ":/icons/prev.svg"},
                  {BitBtn4, ":/icons/next.svg"}};
    for (const auto& glyph : glyphs) {
        glyph.button->setIcon(QIcon(QLatin1String(glyph.icon)));
        glyph.button->setIconSize(QSize(18, 18));
    }

    connect(BitBtn1, &QToolButton::clicked, this, &TPreviewForm::BitBtn1Click);
    connect(BitBtn5, &QToolButton::clicked, this, &TPreviewForm::BitBtn5Click);
    connect(BitBtn2, &QToolButton::clicked, this, &TPreviewForm::BitBtn2Click);
    connect(BitBtn3, &QToolButton::clicked, this, &TPreviewForm::BitBtn3Click);
    connect(BitBtn4, &QToolButton::clicked, this, &TPreviewForm::BitBtn4Click);
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TPreviewForm::ComboBox1Change);
    Panel1->installEventFilter(this);
}

bool TPreviewForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Panel1 && event->type() == QEvent::Resize)
        Panel1Resize();
    return TForm::eventFilter(watched, event);
}

void TPreviewForm::FormShow() {
    if (const QScreen* where = screen())
        move(where->availableGeometry().center() - frameGeometry().center() + pos());
    // Every showing starts at the first page of the report just prepared.
    QRPreview1->setReport(Report);
    QRPreview1->setZoom(75);
    ComboBox1->setCurrentIndex(3);
    UpdatePageLabel();
}

void TPreviewForm::UpdatePageLabel() {
    const int page = QRPreview1->PageNumber();
    const int count = Report ? Report->PageCount() : 0;
    // The label keeps its right edge when its text changes width.
    const int right = Label2->geometry().right();
    Label2->setText(QStringLiteral("Page %1 of %2").arg(page).arg(count));
    Label2->adjustSize();
    Label2->move(right - Label2->width() + 1, Label2->y());
    BitBtn3->setEnabled(page != 1);
    BitBtn4->setEnabled(page < count);
}

void TPreviewForm::BitBtn1Click() {
    if (Report)
        Report->Print();
}

void TPreviewForm::BitBtn5Click() {
    PrinterSetupDialog1.Execute(this);
}

void TPreviewForm::BitBtn2Click() {
    setModalResult(mrClose);
}

void TPreviewForm::BitBtn3Click() {
    QRPreview1->setPageNumber(QRPreview1->PageNumber() - 1);
    UpdatePageLabel();
}

void TPreviewForm::BitBtn4Click() {
    QRPreview1->setPageNumber(QRPreview1->PageNumber() + 1);
    UpdatePageLabel();
}

void TPreviewForm::ComboBox1Change() {
    static constexpr int zooms[] = {200, 150, 100, 75, 50, 25};
    const int index = ComboBox1->currentIndex();
    if (index >= 0 && index < int(std::size(zooms)))
        QRPreview1->setZoom(zooms[index]);
}

void TPreviewForm::Panel1Resize() {
    const int w = Panel1->width();
    ComboBox1->move(w - ComboBox1->width() - 4, ComboBox1->y());
    Label1->move(ComboBox1->x() - Label1->width() - 4, Label1->y());
    Label2->move(w - Label2->width() - 8, Label2->y());
}
