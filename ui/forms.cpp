#include "ui/forms.h"

TMainForm* MainForm = nullptr;
TCategoryForm* CategoryForm = nullptr;
TNoteForm* NoteForm = nullptr;
TReportForm* ReportForm = nullptr;
TPreviewForm* PreviewForm = nullptr;
TAboutForm* AboutForm = nullptr;
