#pragma once

#include "platform/form.h"
#include "store/records.h"
#include "ui_noteform.h"

// The note editor: one note's title, category, closed flag and body while it is open.
// Its controls come from noteform.ui (Edit1, ComboBox1, CheckBox1, RichEdit1, BitBtn1, BitBtn2).
class TNoteForm : public TForm, public Ui_TNoteForm {
    Q_OBJECT
public:
    explicit TNoteForm(QWidget* owner = nullptr);

    // The body as the store keeps it (CR LF line breaks), converted at the control's edge.
    TText Body() const;
    void setBody(const TText& body);

    // Selects the first item equal to `category` ignoring letter case in the user's locale,
    // or no item when none matches.
    void selectCategory(const TText& category);
    // The selected item's text; empty when no item is selected.
    TText Category() const;

    TText Title() const;
    void setTitle(const TText& title);

    void FormShow() override;
    void BitBtn1Click();

private:
    bool fieldsFit();
};
