#pragma once

#include <QDialog>

// Modal results, with the values the program has always used.
enum : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrClose = 8 };

// A dialog form created once and shown modally again and again. FormShow runs each time it is
// shown; setting a non-zero ModalResult ends the modal showing with that result.
class TForm : public QDialog {
    Q_OBJECT
public:
    explicit TForm(QWidget* owner = nullptr);

    int ShowModal();
    int ModalResult() const { return m_modalResult; }
    void setModalResult(int result);

protected:
    virtual void FormShow() {}
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    int m_modalResult = mrNone;
};
