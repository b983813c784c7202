// The note store's costs against plain file work on the same bytes, measured in the same run:
// Load against reading the file into memory, Save against writing and syncing the same bytes to
// a new file and renaming it, FindNote of every id against a walk over the same notes, and the
// memory a loaded store takes against the file's size.

#include "store/data.h"

#include "benchsupport.h"

#include <benchmark/benchmark.h>

#include <QDir>
#include <QTemporaryDir>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <memory>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

// Realistic sizes: titles about 40 bytes, bodies about 400 with CR LF lines, 20 categories.
void fill(TData& d, int notes) {
    for (int c = 0; c < 20; ++c)
        d.Categories.push_back(TCategory("Category " + std::to_string(c)));
    const std::string line =
        "Some words of a note body, typed on one line of the editor.\r\n"; // 62 bytes
    for (int i = 0; i < notes; ++i) {
        std::string title = "Note " + std::to_string(i) + " about the things to be done";
        title.resize(40, '.');
        std::string body;
        body.reserve(420);
        for (int l = 0; l < 6; ++l)
            body += line;
        body += std::to_string(int64_t(i) * 7919 % 100003);
        TNote note(i + 1, std::move(title), "Category " + std::to_string(i % 20),
                   uint8_t(i % 4 == 0), std::move(body));
        note.Date = "12/11/26 14:23:" + std::to_string(10 + i % 50);
        d.Notes.push_back(std::move(note));
    }
    d.LastId = notes;
}

// One folder per note count, each holding the data file of that many notes.
struct Files {
    QTemporaryDir root;
    std::map<int, std::string> folders;

    const std::string& folder(int notes) {
        auto it = folders.find(notes);
        if (it != folders.end())
            return it->second;
        const QString path = root.filePath(QString::number(notes));
        QDir().mkpath(path);
        const QString previous = QDir::currentPath();
        QDir::setCurrent(path);
        {
            TData d;
            fill(d, notes);
            if (!d.Save().ok)
                std::abort();
        }
        QDir::setCurrent(previous);
        return folders.emplace(notes, path.toStdString()).first->second;
    }
};

Files& files() {
    static Files f;
    return f;
}

struct Bytes {
    std::unique_ptr<char[]> data;
    std::size_t size = 0;
    bool operator==(const Bytes& o) const {
        return size == o.size && std::memcmp(data.get(), o.data.get(), size) == 0;
    }
};

Bytes readWhole(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    struct stat st;
    if (fd < 0 || ::fstat(fd, &st) != 0)
        std::abort();
    Bytes bytes{std::make_unique_for_overwrite<char[]>(std::size_t(st.st_size)),
                std::size_t(st.st_size)};
    std::size_t done = 0;
    while (done < bytes.size) {
        const ssize_t n = ::read(fd, bytes.data.get() + done, bytes.size - done);
        if (n <= 0)
            std::abort();
        done += std::size_t(n);
    }
    ::close(fd);
    return bytes;
}

void writeSyncRename(const Bytes& bytes, const std::string& folder) {
    const std::string temp = folder + "/baseline.tmp";
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0 || ::write(fd, bytes.data.get(), bytes.size) != ssize_t(bytes.size) ||
        ::fsync(fd) != 0)
        std::abort();
    ::close(fd);
    if (::rename(temp.c_str(), (folder + "/baseline.dat").c_str()) != 0)
        std::abort();
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    ::fsync(dir);
    ::close(dir);
}

class CurrentFolder {
public:
    explicit CurrentFolder(const std::string& path) : m_previous(QDir::currentPath()) {
        QDir::setCurrent(QString::fromStdString(path));
    }
    ~CurrentFolder() { QDir::setCurrent(m_previous); }

private:
    QString m_previous;
};

void BM_Load(benchmark::State& state) {
    const int notes = int(state.range(0));
    const std::string& folder = files().folder(notes);
    const CurrentFolder here(folder);
    double load = 0, baseline = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        benchmark::DoNotOptimize(readWhole(folder + "/" + TData::FileName));
        const auto t1 = Clock::now();
        auto d = std::make_unique<TData>();
        if (d->Load().status != TLoadResult::Status::Loaded)
            std::abort();
        const auto t2 = Clock::now();
        baseline += seconds(t1 - t0);
        load += seconds(t2 - t1);
        state.SetIterationTime(seconds(t2 - t1));
        d.reset();
    }
    state.counters["ratio"] = load / baseline;
    state.counters["notes"] = notes;
}

void BM_Save(benchmark::State& state) {
    const int notes = int(state.range(0));
    const std::string& folder = files().folder(notes);
    const CurrentFolder here(folder);
    TData d;
    if (d.Load().status != TLoadResult::Status::Loaded)
        std::abort();
    const Bytes bytes = readWhole(folder + "/" + TData::FileName);
    double save = 0, baseline = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        writeSyncRename(bytes, folder);
        const auto t1 = Clock::now();
        if (!d.Save().ok)
            std::abort();
        const auto t2 = Clock::now();
        baseline += seconds(t1 - t0);
        save += seconds(t2 - t1);
        state.SetIterationTime(seconds(t2 - t1));
    }
    if (!(readWhole(folder + "/" + TData::FileName) == bytes))
        std::abort();
    ::unlink((folder + "/baseline.dat").c_str());
    state.counters["ratio"] = save / baseline;
    state.counters["notes"] = notes;
}

// Every id looked up in list order, the index rebuilt each time as after a sort; against a walk
// that reads every note's id. The time per note stays flat as the count grows.
void BM_FindNote(benchmark::State& state) {
    const int notes = int(state.range(0));
    TData d;
    fill(d, notes);
    double find = 0, baseline = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        int64_t sum = 0;
        for (const TNote& n : d.Notes)
            sum += n.Id;
        benchmark::DoNotOptimize(sum);
        const auto t1 = Clock::now();
        d.Notes.invalidateIndex();
        for (const TNote& n : d.Notes)
            benchmark::DoNotOptimize(d.FindNote(n.Id));
        const auto t2 = Clock::now();
        baseline += seconds(t1 - t0);
        find += seconds(t2 - t1);
        state.SetIterationTime(seconds(t2 - t1));
    }
    state.counters["ratio"] = find / baseline;
    state.counters["notes"] = notes;
    state.counters["ns_per_note"] = find / double(state.iterations()) / notes * 1e9;
}

long statusKiB(const char* field) {
    FILE* f = std::fopen("/proc/self/status", "r");
    char line[256];
    long kib = -1;
    const std::size_t len = std::strlen(field);
    while (f && std::fgets(line, sizeof line, f))
        if (std::strncmp(line, field, len) == 0)
            kib = std::strtol(line + len + 1, nullptr, 10);
    if (f)
        std::fclose(f);
    return kib;
}

// Peak memory of loading, measured in a fresh process so no earlier heap is reused: the growth of
// its peak resident size over its size before the load, against the data file's size.
void BM_LoadMemory(benchmark::State& state) {
    const int notes = int(state.range(0));
    const std::string& folder = files().folder(notes);
    struct stat st;
    ::stat((folder + "/" + TData::FileName).c_str(), &st);
    double growthKiB = 0;
    for (auto _ : state) {
        int fds[2];
        if (::pipe(fds) != 0)
            std::abort();
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::dup2(fds[1], STDOUT_FILENO);
            ::execl("/proc/self/exe", "bench_store", "--load-memory", folder.c_str(), nullptr);
            ::_exit(127);
        }
        ::close(fds[1]);
        char out[64] = {};
        if (::read(fds[0], out, sizeof out - 1) <= 0)
            std::abort();
        ::close(fds[0]);
        int status = 0;
        ::waitpid(pid, &status, 0);
        growthKiB = std::strtod(out, nullptr);
        state.SetIterationTime(1);
    }
    state.counters["ratio"] = growthKiB * 1024 / double(st.st_size);
    state.counters["notes"] = notes;
    state.counters["file_MiB"] = double(st.st_size) / (1 << 20);
}

int measureLoadMemory(const char* folder) {
    if (::chdir(folder) != 0)
        return 1;
    const long before = statusKiB("VmRSS:");
    TData d;
    if (d.Load().status != TLoadResult::Status::Loaded)
        return 1;
    std::printf("%ld\n", statusKiB("VmHWM:") - before);
    return 0;
}

void counts(benchmark::internal::Benchmark* b) {
    b->Arg(1000)->Arg(100000)->Arg(1000000)->UseManualTime()->Unit(benchmark::kMillisecond);
}

} // namespace

BENCHMARK(BM_Load)->Apply(counts)->MinTime(2);
BENCHMARK(BM_Save)->Apply(counts)->MinTime(2);
BENCHMARK(BM_FindNote)->Apply(counts)->MinTime(1);
BENCHMARK(BM_LoadMemory)->Arg(100000)->Arg(1000000)->UseManualTime()->Iterations(1);

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], "--load-memory") == 0)
        return measureLoadMemory(argv[2]);
    return bench::run(argc, argv);
}
