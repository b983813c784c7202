#include "output/reportform.h"

#include "platform/application.h"
#include "platform/stringgrid.h"
#include "store/data.h"
#include "ui/forms.h"
#include "ui/mainform.h"

#include <algorithm>
#include <charconv>
#include <cmath>

int32_t ReportRow = 1;

// The layout's fonts: Arial at a character height in pixels.
static QFont arial(int pixels, bool bold = false) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

template <typename T>
static T* place(T* control, TQRBand* band, int left, int top, int width, int height,
                const QFont& font) {
    control->setBounds(left, top, width, height);
    control->Font = font;
    band->add(control);
    return control;
}

static TQRLabel* label(QObject* owner, const char* name, TQRBand* band, int left, int top,
                       int width, int height, const QFont& font, const QString& caption,
                       bool autoSize = false) {
    auto* control = place(new TQRLabel(owner), band, left, top, width, height, font);
    control->setObjectName(QLatin1String(name));
    control->AutoSize = autoSize;
    control->setCaption(caption);
    return control;
}

TReportForm::TReportForm(QWidget* owner) : TForm(owner) {
    setWindowTitle(QStringLiteral("ReportForm"));
    resize(637, 300);
    const QFont formFont = arial(11);
    setFont(formFont);

    QuickReport1 = new TQuickReport(this);
    QuickReport1->OnNeedData = [this](QObject* sender, bool& moreData) {
        QuickReport1NeedData(sender, moreData);
    };

    QRBand1 = new TQRBand(rbPageHeader, this);
    QRBand1->setBounds(0, 0, 1200, 97);
    QRLabel1 = label(this, "QRLabel1", QRBand1, 32, 16, 85, 24, arial(21),
                     QStringLiteral("Quillbox"), true);

    QRBand2 = new TQRBand(rbDetail, this);
    QRBand2->setBounds(0, 97, 1200, 56);
    QRLabel2 =
        label(this, "QRLabel2", QRBand2, 31, 0, 50, 18, arial(16), QStringLiteral("QRLabel2"));
    QRLabel3 =
        label(this, "QRLabel3", QRBand1, 31, 64, 57, 18, arial(16, true), QStringLiteral("Status"));
    QRLabel4 =
        label(this, "QRLabel4", QRBand1, 95, 64, 41, 18, arial(16, true), QStringLiteral("Title"));
    QRLabel5 = label(this, "QRLabel5", QRBand1, 468, 64, 89, 18, arial(16, true),
                     QStringLiteral("Category"));
    QRLabel6 =
        label(this, "QRLabel6", QRBand1, 588, 64, 41, 18, arial(16, true), QStringLiteral("Date"));
    QRLabel7 =
        label(this, "QRLabel7", QRBand2, 95, 0, 370, 18, arial(16), QStringLiteral("QRLabel7"));
    QRLabel8 =
        label(this, "QRLabel8", QRBand2, 468, 0, 112, 18, arial(16), QStringLiteral("QRLabel8"));
    QRLabel9 =
        label(this, "QRLabel9", QRBand2, 588, 0, 284, 18, arial(16), QStringLiteral("QRLabel9"));
    QRMemo1 = place(new TQRMemo(this), QRBand2, 32, 24, 750, 25, arial(13));
    QRMemo1->setObjectName(QStringLiteral("QRMemo1"));
    QRMemo1->WordWrap = true;
    QRMemo1->setText(QStringLiteral("QRMemo1"));
    QRSysData1 = place(new TQRSysData(this), QRBand1, 731, 24, 46, 17, formFont);
    QRSysData1->setObjectName(QStringLiteral("QRSysData1"));
    QRSysData1->Data = qrsPageNumber;
    QRLabel10 =
        label(this, "QRLabel10", QRBand1, 699, 24, 24, 14, formFont, QStringLiteral("Page"), true);

    QuickReport1->addBand(QRBand1);
    QuickReport1->addBand(QRBand2);

    if (Application)
        QRLabel1->setCaption(Application->Title());
}

// The id in a list cell; an empty or unreadable cell reads as 0, which no note has.
static int32_t cellId(const std::string& text) {
    int32_t id = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id);
    return error == std::errc() && end == text.data() + text.size() ? id : 0;
}

void TReportForm::QuickReport1NeedData(QObject*, bool& MoreData) {
    const TStringGrid* grid = MainForm->StringGrid1;
    TNote* note = nullptr;
    // A row whose note is gone is passed over rather than printed blank.
    while (!note) {
        if (ReportRow >= grid->RowCount()) {
            ReportRow = 1;
            MoreData = false;
            return;
        }
        note = Data->FindNote(cellId(grid->Cells(4, ReportRow)));
        if (!note)
            ++ReportRow;
    }

    QRLabel2->setCaption(note->IsClosed() ? QStringLiteral("Closed") : QStringLiteral("Open"));
    QRLabel7->setCaption(ToQString(note->Title));
    QRLabel8->setCaption(ToQString(note->Category));
    QRLabel9->setCaption(ToQString(note->Date));
    QRMemo1->setText(ToQString(note->Body));

    const int lines = QRMemo1->LineCount();
    if (lines >= 1) {
        const int h = QRMemo1->Font.pixelSize();
        // Past six lines the font's line spacing outgrows one character height per line;
        // the memo grows with it so the last lines stay inside the band.
        const int textHeight = static_cast<int>(std::ceil(QRMemo1->TextHeight())) + 1;
        QRMemo1->Height = std::max((lines + 1) * h, textHeight);
        QRBand2->Height = QRMemo1->Height + QRLabel7->Height + 5;
    } else {
        QRMemo1->Height = 0;
        QRBand2->Height = QRLabel7->Height + 5;
    }

    MoreData = true;
    ++ReportRow;
}
