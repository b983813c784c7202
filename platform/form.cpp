#include "platform/form.h"

TForm::TForm(QWidget* owner) : QDialog(owner) {}

int TForm::ShowModal() {
    m_modalResult = mrNone;
    exec();
    return m_modalResult;
}

void TForm::setModalResult(int result) {
    m_modalResult = result;
    if (result != mrNone && isVisible())
        QDialog::done(result);
}

void TForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TForm::done(int result) {
    // accept() and reject() (Esc, the close box) arrive here as 1 and 0.
    if (m_modalResult == mrNone)
        m_modalResult = result == QDialog::Accepted ? mrOk : mrCancel;
    QDialog::done(result);
}
