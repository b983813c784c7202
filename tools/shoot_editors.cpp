// Draws the note editor (empty, and holding a note with a long body), the categories dialog
// and the two delete confirmations as PNG files, from a data file of its own.
// Usage: shoot_editors OUTPUT_FOLDER [SAMPLE_FOLDER (not used)]
#include "platform/application.h"
#include "store/data.h"
#include "ui/categoryform.h"
#include "ui/forms.h"
#include "ui/mainform.h"
#include "ui/noteform.h"
#include "ui/startup.h"

#include "shoot.h"

#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace {
using namespace shots;

// Shoots the modal window that `open` shows, then closes it.
void shootModal(const std::function<void()>& open, const char* name) {
    QTimer::singleShot(50, [name] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            std::fprintf(stderr, "shoot_editors: no window for %s\n", name);
            ok = false;
            return;
        }
        shoot(modal, name);
        modal->close();
    });
    open();
}

void seed() {
    TData data;
    for (const char* name : {"Work", "Home", "Garden", "Reading list", "  Spaced  "})
        data.AddCategory(TCategory(name));
    TText body;
    for (int i = 1; i <= 40; ++i)
        body += "Line " + std::to_string(i) +
                " of a long body that runs past the width of the box and wraps at word "
                "boundaries.\r\n";
    data.AddNote("Quarterly report: collect the figures from every team", "Work", 0, body);
    data.Save();
}
} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (const int stop = shots::begin(argc, argv, "shoot_editors", false))
        return stop;
    QTemporaryDir data;
    if (!data.isValid() || !QDir::setCurrent(data.path())) {
        std::fprintf(stderr, "shoot_editors: no temporary folder\n");
        return 1;
    }
    seed();
    Application = new TApplication(&app);
    StartUp();
    MainForm->show();
    settle();

    // The editor as Add leaves it, then as Edit fills it.
    NoteForm->setTitle({});
    NoteForm->CheckBox1->setChecked(false);
    NoteForm->setBody({});
    NoteForm->ComboBox1->setCurrentIndex(0);
    shootModal([] { NoteForm->ShowModal(); }, "noteform-1-empty.png");

    NoteForm->setTitle(Data->Notes.front().Title);
    NoteForm->setBody(Data->Notes.front().Body);
    NoteForm->selectCategory(Data->Notes.front().Category);
    shootModal([] { NoteForm->ShowModal(); }, "noteform-2-long-body.png");

    CategoryForm->ListBox1->setCurrentRow(1);
    shootModal([] { CategoryForm->ShowModal(); }, "categoryform.png");

    shootModal([] { MainForm->Delete1Click(); }, "confirm-delete-note.png");
    shootModal([] { CategoryForm->BitBtn1Click(); }, "confirm-delete-category.png");

    ShutDown();
    return ok ? 0 : 1;
}
