#include "ui/startup.h"

#include "output/previewform.h"
#include "output/reportform.h"
#include "platform/application.h"
#include "platform/screen.h"
#include "store/data.h"
#include "ui/aboutform.h"
#include "ui/categoryform.h"
#include "ui/forms.h"
#include "ui/mainform.h"
#include "ui/noteform.h"

#include <QApplication>
#include <QCursor>

TData* Data = nullptr;

namespace {
// The hourglass as an override cursor, pushed and popped in pairs.
void applyCursor(TCursor cursor) {
    static bool overridden = false;
    if (cursor == crHourGlass && !overridden) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        overridden = true;
    } else if (cursor == crDefault && overridden) {
        QApplication::restoreOverrideCursor();
        overridden = false;
    }
}
} // namespace

void StartUp() {
    Data = new TData;
    if (!Application)
        Application = new TApplication(qApp);
    Screen->Apply = applyCursor;
    Application->setTitle(QStringLiteral("Quillbox 1.3"));
    Application->setHelpFile(QStringLiteral("quillbox.hlp"));
    Application->CreateForm(MainForm);
    Application->CreateForm(CategoryForm);
    Application->CreateForm(NoteForm);
    Application->CreateForm(ReportForm);
    Application->CreateForm(PreviewForm);
    Application->CreateForm(AboutForm);
}

void ShutDown() {
    if (Application)
        Application->DestroyForms();
    MainForm = nullptr;
    CategoryForm = nullptr;
    NoteForm = nullptr;
    ReportForm = nullptr;
    PreviewForm = nullptr;
    AboutForm = nullptr;
    delete Data;
    Data = nullptr;
}
