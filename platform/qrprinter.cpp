#include "platform/qrprinter.h"

#include "platform/report.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>

namespace {
TQRPrinter thePrinter;
} // namespace

TQRPrinter* QRPrinter = &thePrinter;

TQRPrinter::TQRPrinter() = default;
TQRPrinter::~TQRPrinter() = default;

QPrinter& TQRPrinter::Printer() {
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        // The printer must go with the application object, not at static destruction after it.
        qAddPostRoutine([] { QRPrinter->ReleasePrinter(); });
    }
    return *m_printer;
}

void TQRPrinter::ReleasePrinter() {
    m_printer.reset();
    m_chosen = false;
}

bool TPrinterSetupDialog::Execute(QWidget* parent) {
    QPrintDialog dialog(&QRPrinter->Printer(), parent);
    dialog.setObjectName(QStringLiteral("PrinterSetupDialog"));
    dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintShowPageSize);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    QRPrinter->setChosen(true);
    return true;
}

// Asks where to write the report when there is no printer to print it on.
static QString askPdfFileName(QWidget* parent) {
    QFileDialog dialog(parent, QObject::tr("Print to PDF File"), QDir::currentPath());
    dialog.setObjectName(QStringLiteral("PdfFileDialog"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilter(QObject::tr("PDF files (*.pdf)"));
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    dialog.selectFile(QStringLiteral("Quillbox.pdf"));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

void TQuickReport::Print() {
    QPrinter& printer = QRPrinter->Printer();
    QWidget* parent = QApplication::activeWindow();
    const bool toFileOnly = !QRPrinter->Chosen() && QPrinterInfo::availablePrinters().isEmpty();

    QString file;
    if (toFileOnly) {
        file = askPdfFileName(parent);
        if (file.isEmpty())
            return;
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
    }
    const QString where = printer.outputFileName().isEmpty()
                              ? printer.printerName()
                              : QDir::toNativeSeparators(printer.outputFileName());
    const bool printed = PrintTo(printer);
    if (toFileOnly)
        printer.setOutputFileName({});
    if (!printed) {
        QMessageBox::warning(
            parent, QObject::tr("Print"),
            QObject::tr("The report could not be printed to \"%1\". Check the printer, "
                        "or choose another printer or file under Setup.")
                .arg(where));
    }
}
