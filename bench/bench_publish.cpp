// Publishing the listed notes against writing the same page bytes to a file, in the same run.
// `ratio` compares with the same safe write (temporary file, sync, rename) of the finished page;
// `ratio_plain` with one plain write of it.
#include "output/publish.h"
#include "platform/stringgrid.h"
#include "store/data.h"

#include "benchsupport.h"

#include <QApplication>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <memory>
#include <random>
#include <vector>

#include <unistd.h>

namespace {

struct Listed {
    TData store;
    std::unique_ptr<TStringGrid> grid;
};

const char* const Pool[] = {"meeting", "notes",  "draft", "budget",  "call", "review",
                            "plan",    "ideas",  "list",  "follow",  "up",   "report",
                            "client",  "design", "fix",   "release", "&",    "<b>"};

std::string words(std::mt19937& rng, std::size_t length) {
    return bench::words(rng, length, Pool);
}

// Notes with titles of about 30 bytes and bodies of about 300.
Listed& listed(int count) {
    static std::map<int, std::unique_ptr<Listed>> made;
    auto& slot = made[count];
    if (slot)
        return *slot;
    slot = std::make_unique<Listed>();
    std::mt19937 rng(42);
    static const char* const categories[] = {"None", "Work", "Home", "Projects", "Ideas"};
    for (int id = 1; id <= count; ++id) {
        TNote note(id, words(rng, 30), categories[rng() % 5], uint8_t(rng() % 2), words(rng, 300));
        note.Date = "12/10/26 14:05:09";
        slot->store.Notes.push_back(std::move(note));
    }
    // Listed by title, so rows meet the notes scattered through memory as after a sort.
    std::vector<const TNote*> byTitle;
    byTitle.reserve(std::size_t(count));
    for (const TNote& note : slot->store.Notes)
        byTitle.push_back(&note);
    std::stable_sort(byTitle.begin(), byTitle.end(),
                     [](const TNote* a, const TNote* b) { return a->Title < b->Title; });
    slot->grid = std::make_unique<TStringGrid>();
    TStringGrid& grid = *slot->grid;
    grid.BeginUpdate();
    grid.setRowCount(count + 1);
    int row = 1;
    for (const TNote* note : byTitle) {
        grid.setCells(0, row, note->IsClosed() ? "Closed" : "Open");
        grid.setCells(1, row, note->Title);
        grid.setCells(2, row, note->Category);
        grid.setCells(3, row, note->Date);
        grid.setCells(4, row, std::to_string(note->Id));
        ++row;
    }
    grid.EndUpdate();
    return *slot;
}

using bench::seconds;

void BM_Publish(benchmark::State& state) {
    const int count = int(state.range(0));
    Listed& notes = listed(count);
    const TListedRows rows = GridRows(*notes.grid);
    QTemporaryDir dir;
    const QString pagePath = dir.filePath("notes.htm");
    const QString copyPath = dir.filePath("copy.htm");

    // The bytes of the page, made once, outside the timing.
    TPublishResult first = PublishPage(notes.store, rows, pagePath.toStdString());
    if (!first.ok) {
        state.SkipWithError(first.error.c_str());
        return;
    }
    QByteArray page;
    {
        QFile file(pagePath);
        if (!file.open(QIODevice::ReadOnly)) {
            state.SkipWithError("cannot read the page back");
            return;
        }
        page = file.readAll();
    }

    double publishing = 0, safeWrite = 0, plainWrite = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        const TPublishResult result = PublishPage(notes.store, rows, pagePath.toStdString());
        const double publishOnce = seconds(start);
        if (!result.ok) {
            state.SkipWithError(result.error.c_str());
            return;
        }

        start = std::chrono::steady_clock::now();
        {
            QSaveFile file(copyPath);
            if (!file.open(QIODevice::WriteOnly) || file.write(page) != page.size() ||
                !file.commit()) {
                state.SkipWithError("cannot write the copy");
                return;
            }
        }
        safeWrite += seconds(start);

        start = std::chrono::steady_clock::now();
        {
            QFile file(copyPath);
            if (!file.open(QIODevice::WriteOnly) || file.write(page) != page.size()) {
                state.SkipWithError("cannot write the copy");
                return;
            }
            file.flush();
            plainWrite += seconds(start);
            // Untimed: the plain write's pages must not be left for the next publish to flush.
            ::fsync(file.handle());
        }

        publishing += publishOnce;
        state.SetIterationTime(publishOnce);
    }
    state.counters["notes"] = count;
    state.counters["page_bytes"] = double(page.size());
    state.counters["ratio"] = publishing / safeWrite;
    state.counters["ratio_plain"] = publishing / plainWrite;
}

BENCHMARK(BM_Publish)->Arg(100000)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Publish)->Arg(1000000)->Iterations(3)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    return bench::run(argc, argv);
}
