// Draws the print preview window of the sample notes at 75% and 200%, on its first and last
// pages, and prints the report to report.pdf with its first page as report-page1.png.
// Usage: shoot_report OUTPUT_FOLDER SAMPLE_FOLDER
#include "output/previewform.h"
#include "output/reportform.h"
#include "platform/application.h"
#include "platform/qrpreview.h"
#include "platform/qrprinter.h"
#include "platform/report.h"
#include "store/data.h"
#include "ui/forms.h"
#include "ui/mainform.h"
#include "ui/startup.h"

#include "shoot.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPrinter>
#include <QProcess>
#include <QTimer>
#include <QToolButton>

#include <cstdio>

using namespace shots;

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (const int stop = shots::begin(argc, argv, "shoot_report", true))
        return stop;
    Application = new TApplication(&app);
    StartUp();
    MainForm->show(); // loads the sample notes and lists them
    settle();

    const QString pdf = output.filePath(QStringLiteral("report.pdf"));
    QRPrinter->Printer().setOutputFormat(QPrinter::PdfFormat);
    QRPrinter->Printer().setOutputFileName(pdf);
    QRPrinter->setChosen(true);

    QTimer::singleShot(0, [] {
        TPreviewForm* form = PreviewForm;
        shoot(form, "preview-1-75.png");
        form->ComboBox1->setCurrentIndex(0);
        shoot(form, "preview-2-200.png");
        form->ComboBox1->setCurrentIndex(3);
        form->resize(900, 700);
        while (form->BitBtn4->isEnabled())
            form->BitBtn4->click();
        shoot(form, "preview-3-last-page-wide.png");
        form->BitBtn1->click();
        form->BitBtn2->click();
    });
    MainForm->Print1Click();

    const int rc = QProcess::execute(
        QStringLiteral("pdftoppm"),
        {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("96"), QStringLiteral("-f"),
         QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
         QStringLiteral("-singlefile"), pdf, output.filePath(QStringLiteral("report-page1"))});
    if (rc != 0) {
        std::fprintf(stderr, "shoot_report: pdftoppm failed on %s\n", qPrintable(pdf));
        ok = false;
    }
    ShutDown();
    return ok ? 0 : 1;
}
