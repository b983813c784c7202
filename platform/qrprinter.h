#pragma once

#include <functional>
#include <memory>

class QPrinter;
class QWidget;

// The report engine's printer object. When OnPreview is set, previewing a prepared report
// calls it instead of showing a preview of its own.
class TQRPrinter {
public:
    TQRPrinter();
    ~TQRPrinter();

    std::function<void()> OnPreview;

    // The current printer: the system's default until the user chooses another in the
    // printer setup dialog (which may be a PDF file).
    QPrinter& Printer();
    // True once the user has chosen a printer or file in the setup dialog.
    bool Chosen() const { return m_chosen; }
    void setChosen(bool chosen) { m_chosen = chosen; }
    // Lets the printer go; the next Printer() makes a fresh default one.
    void ReleasePrinter();

private:
    std::unique_ptr<QPrinter> m_printer;
    bool m_chosen = false;
};

extern TQRPrinter* QRPrinter;

// The system's printer dialog over the report printer; what is chosen applies to later printing.
class TPrinterSetupDialog {
public:
    bool Execute(QWidget* parent = nullptr);
};
