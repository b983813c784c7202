// Preparing the report of the listed notes against laying out the same memos alone with the
// same text layout, and showing the preview's first page against drawing that one page.
#include "output/reportform.h"
#include "platform/application.h"
#include "platform/qrpreview.h"
#include "platform/report.h"
#include "platform/stringgrid.h"
#include "store/data.h"
#include "ui/forms.h"
#include "ui/mainform.h"
#include "ui/startup.h"

#include "benchsupport.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTextLayout>

#include <benchmark/benchmark.h>

#include <chrono>
#include <random>

namespace {

using bench::Clock;
using bench::seconds;

const char* const words[] = {"meeting", "notes", "the",    "garden", "budget", "review", "call",
                             "and",     "draft", "report", "of",     "a",      "plan",   "tickets",
                             "for",     "week",  "list",   "ideas",  "to",     "buy"};

std::string sentence(std::mt19937& random, int minWords, int maxWords) {
    std::string text;
    const int count = std::uniform_int_distribution<int>(minWords, maxWords)(random);
    for (int i = 0; i < count; ++i) {
        if (i)
            text += ' ';
        text += words[random() % std::size(words)];
    }
    return text;
}

// The store holds `count` notes, all listed in the grid in store order.
void listNotes(int count) {
    if (MainForm->StringGrid1->RowCount() == count + 1)
        return;
    ShutDown();
    StartUp();
    std::mt19937 random(7);
    for (int i = 0; i < count; ++i) {
        std::string body;
        const int lines = std::uniform_int_distribution<int>(0, 5)(random);
        for (int l = 0; l < lines; ++l)
            body += (l ? "\r\n" : "") + sentence(random, 3, 30);
        Data->AddNote(sentence(random, 2, 6), "Work", i % 3 == 0, body);
    }
    TStringGrid* grid = MainForm->StringGrid1;
    grid->BeginUpdate();
    grid->setRowCount(count + 1);
    int row = 1;
    for (const TNote& note : Data->Notes) {
        grid->setCells(1, row, note.Title);
        grid->setCells(4, row++, std::to_string(note.Id));
    }
    grid->EndUpdate();
}

// The baseline: each listed body laid out at the memo's width and font, line by line.
int layOutMemos() {
    const TQRMemo& memo = *ReportForm->QRMemo1;
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    int lines = 0;
    for (const TNote& note : Data->Notes) {
        const QStringList paragraphs = ToQString(note.Body).split(QStringLiteral("\r\n"));
        for (const QString& paragraph : paragraphs) {
            QTextLayout layout(paragraph, memo.Font);
            layout.setTextOption(option);
            layout.setCacheEnabled(false);
            layout.beginLayout();
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(memo.Width);
                ++lines;
            }
            layout.endLayout();
        }
    }
    return lines;
}

void BM_PrepareReport(benchmark::State& state) {
    const int count = int(state.range(0));
    listNotes(count);
    TQuickReport& report = *ReportForm->QuickReport1;
    double prepare = 0;
    double baseline = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        report.Prepare();
        const double took = seconds(start);
        state.SetIterationTime(took);
        prepare += took;

        start = Clock::now();
        benchmark::DoNotOptimize(layOutMemos());
        baseline += seconds(start);
    }
    state.counters["notes"] = count;
    state.counters["pages"] = report.PageCount();
    state.counters["baseline_ms"] = 1000 * baseline / double(state.iterations());
    state.counters["ratio"] = prepare / baseline;
    report.ClearPages();
}

void BM_PreviewFirstPage(benchmark::State& state) {
    const int count = int(state.range(0));
    listNotes(count);
    TQuickReport& report = *ReportForm->QuickReport1;
    report.Prepare();
    TQRPreview preview;
    preview.resize(608, 344);
    double shown = 0;
    double baseline = 0;
    for (auto _ : state) {
        // Showing: the preview takes the report and paints the page in view.
        auto start = Clock::now();
        preview.setReport(&report);
        preview.setZoom(75);
        const QImage image = preview.widget()->grab().toImage();
        benchmark::DoNotOptimize(image.constBits());
        const double took = seconds(start);
        state.SetIterationTime(took);
        shown += took;
        preview.setZoom(100);

        // The baseline: the first page alone drawn at the same size.
        start = Clock::now();
        QImage page(preview.widget()->size() * 3 / 4, QImage::Format_ARGB32_Premultiplied);
        page.fill(Qt::white);
        QPainter painter(&page);
        painter.scale(0.75, 0.75);
        report.DrawPage(painter, 0);
        painter.end();
        baseline += seconds(start);
    }
    state.counters["notes"] = count;
    state.counters["pages"] = report.PageCount();
    state.counters["ratio"] = shown / baseline;
    report.ClearPages();
}

} // namespace

BENCHMARK(BM_PrepareReport)
    ->Arg(10000)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PreviewFirstPage)
    ->Arg(10000)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    Application = new TApplication(&app);
    StartUp();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ShutDown();
    return 0;
}
