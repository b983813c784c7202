#pragma once

#include <QMainWindow>

#include "platform/savedialog.h"
#include "ui_mainform.h"

#include <memory>

class TRxTrayIcon;
struct TLoadResult;

// The main window. Its controls come from mainform.ui (StringGrid1, ComboBox1, RadioGroup1,
// CheckBox1, CheckBox2, Memo1, RichEdit1, StatusBar1, Panel1..Panel4, the menus and actions).
class TMainForm : public QMainWindow, public Ui_TMainForm {
    Q_OBJECT
public:
    explicit TMainForm(QWidget* owner = nullptr);
    ~TMainForm() override;

    TSaveDialog SaveDialog1;
    TRxTrayIcon* RxTrayIcon1 = nullptr;

    // Frame (ui/mainform.cpp)
    void FormShow();
    void ApplicationMinimize();
    void Exit1Click();
    void Toolbar1Click();
    void Contents1Click();
    void About1Click();
    void RxTrayIcon1DblClick();
    void Panel3Resize();
    void Panel2Resize();

    // Note list (ui/mainform.cpp)
    void CheckBox1Click();
    void CheckBox2Click();
    void ComboBox1Change();
    void RadioGroup1Click();
    void Memo1KeyPress(char& key);
    void StringGrid1Click();
    void StringGrid1DblClick();

    // Note commands (ui/notecommands.cpp)
    void Add1Click();
    void Edit2Click();
    void Delete1Click();
    void Categories1Click();
    void BitBtn1Click();
    void BitBtn2Click();
    void BitBtn3Click();
    void BitBtn4Click();

    // Publishing (output/publishcommand.cpp)
    void Publish1Click();

    // Printing (output/printcommand.cpp)
    void Print1Click();
    void ShowPreview();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void reportLoad(const TLoadResult& loaded);

    bool m_formShown = false;
};
