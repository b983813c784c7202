#pragma once

#include "platform/form.h"
#include "platform/qrprinter.h"

class QComboBox;
class QFrame;
class QLabel;
class QToolButton;
class TQRPreview;
class TQuickReport;

// The print preview window: the prepared report page by page, zoom, printer setup and print.
class TPreviewForm : public TForm {
    Q_OBJECT
public:
    explicit TPreviewForm(QWidget* owner = nullptr);

    // The controls of previewform.ui.
    TQRPreview* QRPreview1;
    QFrame* Panel1;
    QToolButton* BitBtn1;
    QToolButton* BitBtn2;
    QComboBox* ComboBox1;
    QLabel* Label1;
    QToolButton* BitBtn3;
    QToolButton* BitBtn4;
    QLabel* Label2;
    QToolButton* BitBtn5;
    TPrinterSetupDialog PrinterSetupDialog1;
    TQuickReport* Report = nullptr; // not owned

    void BitBtn1Click();
    void BitBtn5Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();
    void ComboBox1Change();
    void Panel1Resize();
    void UpdatePageLabel();

protected:
    void FormShow() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
};
