#include "output/previewform.h"
#include "output/reportform.h"
#include "ui/forms.h"
#include "ui/mainform.h"

void TMainForm::Print1Click() {
    PreviewForm->Report = ReportForm->QuickReport1;
    ReportForm->QuickReport1->Preview();
}

void TMainForm::ShowPreview() {
    PreviewForm->ShowModal();
}
