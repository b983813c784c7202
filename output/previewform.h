#pragma once

#include "platform/form.h"
#include "platform/qrprinter.h"
#include "ui_previewform.h"

class TQuickReport;

// The print preview window: the prepared report page by page, zoom, printer setup and print.
class TPreviewForm : public TForm, public Ui_TPreviewForm {
    Q_OBJECT
public:
    explicit TPreviewForm(QWidget* owner = nullptr);

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
