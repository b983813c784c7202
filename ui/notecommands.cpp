#include "platform/application.h"
#include "store/data.h"
#include "ui/categoryform.h"
#include "ui/forms.h"
#include "ui/mainform.h"
#include "ui/noteform.h"
#include "ui/savefailure.h"

void TMainForm::Add1Click() {
    NoteForm->setTitle({});
    NoteForm->CheckBox1->setChecked(false);
    NoteForm->setBody({});
    NoteForm->ComboBox1->setCurrentIndex(0);
    if (NoteForm->ShowModal() != mrOk)
        return;

    const TText body = NoteForm->Body();
    const uint8_t closed = NoteForm->CheckBox1->isChecked() ? 1 : 0;
    const TText category = NoteForm->Category();
    const TText title = NoteForm->Title();
    if (!Data->AddNote(title, category, closed, body)) {
        Application->MessageBox(
            QStringLiteral("The note was not added: every note number has been given out, so "
                           "this data file can take no more notes."),
            QStringLiteral("Add Note"), MB_OK | MB_ICONSTOP);
        return;
    }
    SaveData();
    Data->FillGrid();
    StringGrid1->setRow(StringGrid1->RowCount() - 1);
}

void TMainForm::Edit2Click() {
    TNote* note = Data->SelectedNote();
    if (!note)
        return;
    NoteForm->setTitle(note->Title);
    NoteForm->CheckBox1->setChecked(note->IsClosed());
    NoteForm->setBody(note->Body);
    NoteForm->selectCategory(note->Category);
    if (NoteForm->ShowModal() != mrOk)
        return;

    note->Title = NoteForm->Title();
    note->Body = NoteForm->Body();
    note->Closed = NoteForm->CheckBox1->isChecked() ? 1 : 0;
    note->Category = NoteForm->Category();
    SaveData();
    Data->FillGrid();
}

void TMainForm::Delete1Click() {
    if (Application->MessageBox(QStringLiteral("Are you sure?"), QStringLiteral("Delete Note"),
                                MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    Data->DeleteSelectedNote();
    SaveData();
    Data->FillGrid();
}

void TMainForm::Categories1Click() {
    CategoryForm->ShowModal();
}

void TMainForm::BitBtn1Click() {
    Add1Click();
}

void TMainForm::BitBtn2Click() {
    Edit2Click();
}

void TMainForm::BitBtn3Click() {
    Delete1Click();
}

void TMainForm::BitBtn4Click() {
    Categories1Click();
}
