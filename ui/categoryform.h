#pragma once

#include "platform/form.h"
#include "ui_categoryform.h"

// The categories dialog: a name typed and Enter adds it, the selected name is deleted by Delete.
// Its controls come from categoryform.ui (Memo1, ListBox1, BitBtn1, BitBtn2).
class TCategoryForm : public TForm, public Ui_TCategoryForm {
    Q_OBJECT
public:
    explicit TCategoryForm(QWidget* owner = nullptr);

    void FormShow() override;
    // Runs for every character typed into the name box before the box takes it; Enter is 13.
    void Memo1KeyPress(char& key);
    void BitBtn1Click();
    void BitBtn2Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
