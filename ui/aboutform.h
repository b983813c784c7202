#pragma once

#include "platform/form.h"
#include "ui_aboutform.h"

// The About box: the program's title, credit, rights and contact lines, and an OK button.
class TAboutForm : public TForm, public Ui_TAboutForm {
    Q_OBJECT
public:
    explicit TAboutForm(QWidget* owner = nullptr);
};
