// The note list against plain work on the same texts, measured in the same run:
// filling the grid against copying its cell texts into a vector, sorting the notes against a
// std::stable_sort of the same keys, the find against a plain substring scan of the same
// texts, and start-up with a 100k-note data file against an empty window shown and closed.
// Each reports `ratio` (operation time over baseline time) and `notes`.
#include "platform/application.h"
#include "store/data.h"
#include "ui/forms.h"
#include "ui/mainform.h"
#include "ui/startup.h"

#include "benchsupport.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using bench::Clock;
using bench::seconds;

const char* const Pool[] = {"meeting", "notes", "draft",   "budget", "call",   "review",
                            "plan",    "ideas", "list",    "follow", "up",     "report",
                            "client",  "fix",   "release", "garden", "travel", "book"};

std::string words(std::mt19937& rng, std::size_t length) {
    return bench::words(rng, length, Pool);
}

const char* const Categories[] = {"Work", "Home", "Projects", "Ideas", "Reading", "Travel"};

// Titles of about 30 bytes, bodies of about 200; one note in ten mentions "invoice" and one
// in 100,000 "zeppelin".
void makeNotes(TData& data, int count) {
    std::mt19937 rng(7);
    for (const char* c : Categories)
        data.AddCategory(TCategory(c));
    for (int i = 1; i <= count; ++i) {
        std::string body = words(rng, 200);
        if (i % 10 == 0)
            body += " invoice";
        if (i % 100000 == 50000)
            body += " zeppelin";
        data.AddNote(words(rng, 30), Categories[rng() % std::size(Categories)],
                     uint8_t(rng() % 4 == 0), body);
    }
}

// The program started in a temporary folder without a data file; the store refilled for
// each size.
struct Program {
    QTemporaryDir dir;
    int notes = -1;

    void use(int count) {
        if (!MainForm) {
            QDir::setCurrent(dir.path());
            StartUp();
            MainForm->show();
            (void)QTest::qWaitForWindowExposed(MainForm);
            MainForm->CheckBox2->setChecked(true); // every note listed
            notes = -1;
        }
        if (notes == count)
            return;
        Data->Notes.clear();
        Data->Categories.clear();
        Data->LastId = 0;
        makeNotes(*Data, count);
        Data->RefreshCategoryPickers();
        notes = count;
    }
};

Program& program(int count = -1) {
    static Program p;
    if (count >= 0)
        p.use(count);
    return p;
}

void report(benchmark::State& state, double op, double base) {
    state.counters["ratio"] = op / base;
    state.counters["notes"] = double(state.range(0));
}

void BM_FillGrid(benchmark::State& state) {
    program(int(state.range(0)));
    Data->FillGrid(); // the grid starts from this size's list, not the last benchmark's
    double op = 0, base = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        Data->FillGrid();
        const double o = seconds(t0);
        const auto t1 = Clock::now();
        std::vector<std::string> cells;
        cells.reserve(5 * (Data->Notes.size() + 1));
        for (const char* title : {"Status", "Title", "Category", "Date", "ID"})
            cells.emplace_back(title);
        for (const TNote& n : Data->Notes) {
            cells.emplace_back(n.IsClosed() ? "Closed" : "Open");
            cells.push_back(n.Title);
            cells.push_back(n.Category);
            cells.push_back(n.Date);
            cells.push_back(std::to_string(n.Id));
        }
        benchmark::DoNotOptimize(cells.data());
        base += seconds(t1);
        op += o;
        state.SetIterationTime(o);
    }
    report(state, op, base);
}

// Sorts by one key from the order of another (Date from Title, the others from Date).
void BM_SortNotes(benchmark::State& state) {
    program(int(state.range(0)));
    const int key = int(state.range(1));
    const int from = key == TData::SortDate ? TData::SortTitle : TData::SortDate;
    state.SetLabel(key == 0 ? "Title" : key == 1 ? "Category" : "Date");
    double op = 0, base = 0;
    for (auto _ : state) {
        MainForm->RadioGroup1->setItemIndex(from);
        Data->SortNotes();
        std::vector<std::string> texts;
        std::vector<int32_t> ids;
        for (const TNote& n : Data->Notes) {
            if (key == TData::SortDate)
                ids.push_back(n.Id);
            else
                texts.push_back(key == TData::SortTitle ? n.Title : n.Category);
        }
        MainForm->RadioGroup1->setItemIndex(key);
        const auto t0 = Clock::now();
        Data->SortNotes();
        const double o = seconds(t0);
        const auto t1 = Clock::now();
        if (key == TData::SortDate)
            std::stable_sort(ids.begin(), ids.end());
        else
            std::stable_sort(texts.begin(), texts.end());
        base += seconds(t1);
        op += o;
        state.SetIterationTime(o);
    }
    MainForm->RadioGroup1->setItemIndex(TData::SortDate);
    Data->SortNotes();
    report(state, op, base);
}

void BM_SearchNotes(benchmark::State& state) {
    program(int(state.range(0)));
    const std::string text = state.range(1) ? "invoice" : "zeppelin";
    state.SetLabel(state.range(1) ? "common (1 in 10)" : "rare (1 in 100k)");
    Data->SearchNotes(text); // the grid starts from this search's rows, not the last benchmark's
    double op = 0, base = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        Data->SearchNotes(text);
        const double o = seconds(t0);
        const auto t1 = Clock::now();
        std::size_t found = 0;
        for (const TNote& n : Data->Notes)
            found +=
                n.Title.find(text) != std::string::npos || n.Body.find(text) != std::string::npos;
        benchmark::DoNotOptimize(found);
        base += seconds(t1);
        op += o;
        state.SetIterationTime(o);
    }
    report(state, op, base);
}

// From nothing to the main window shown with its list filled, against an empty window.
void BM_StartUp(benchmark::State& state) {
    const int count = int(state.range(0));
    if (MainForm)
        ShutDown();
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    {
        TData data;
        makeNotes(data, count);
        data.Save();
    }
    double op = 0, base = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        StartUp();
        MainForm->show();
        (void)QTest::qWaitForWindowExposed(MainForm);
        QApplication::processEvents();
        const double o = seconds(t0);
        ShutDown();
        const auto t1 = Clock::now();
        {
            QWidget empty;
            empty.resize(592, 373);
            empty.show();
            (void)QTest::qWaitForWindowExposed(&empty);
            QApplication::processEvents();
            empty.close();
        }
        base += seconds(t1);
        op += o;
        state.SetIterationTime(o);
    }
    QDir::setCurrent(program().dir.path());
    report(state, op, base);
}

BENCHMARK(BM_FillGrid)
    ->Arg(100000)
    ->Arg(1000000)
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SortNotes)
    ->ArgsProduct({{100000, 1000000}, {0, 1, 2}})
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SearchNotes)
    ->ArgsProduct({{100000, 1000000}, {0, 1}})
    ->Iterations(3)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartUp)->Arg(100000)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    Application = new TApplication(&app);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
