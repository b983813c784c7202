#pragma once

#include "platform/form.h"
#include "store/records.h"
#include "ui_noteform.h"

#include <QString>

// The most bytes one text can take in the data file.
inline constexpr std::size_t MaxTextBytes = 65534;

// Empty when `text` fits in the data file; otherwise a sentence naming `field` and how far over
// the limit it is.
QString TextTooLong(const TText& text, const QString& field);

// The note editor: one note's title, category, closed flag and body while it is open.
// Its controls come from noteform.ui (Edit1, ComboBox1, CheckBox1, RichEdit1, BitBtn1, BitBtn2).
//
// A text that the user leaves as it was shown is read back as the bytes it was set from, so a
// text that is not UTF-8 survives an edit of another field.
class TNoteForm : public TForm, public Ui_TNoteForm {
    Q_OBJECT
public:
    explicit TNoteForm(QWidget* owner = nullptr);

    TText Title() const;
    void setTitle(const TText& title);

    // The body as the store keeps it, with CR LF line breaks.
    TText Body() const;
    void setBody(const TText& body);

    // Selects the first item equal to `category` ignoring letter case in the user's locale,
    // or no item when none matches.
    void selectCategory(const TText& category);
    // The selected item's name; empty when no item is selected.
    TText Category() const;

    void FormShow() override;
    // OK: closes the editor with mrOk unless a text is too long for the data file.
    void BitBtn1Click();

private:
    void fitToFont();

    TText m_title;
    TText m_body;
    QString m_shownBody;
};
