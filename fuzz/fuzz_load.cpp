// Load over arbitrary bytes must never crash, hang or over-allocate; whatever it keeps must save
// as a whole file that loads back as the same store.

#include "store/data.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {
bool sameNotes(const TData& a, const TData& b) {
    if (a.Notes.size() != b.Notes.size())
        return false;
    for (std::size_t i = 0; i < a.Notes.size(); ++i) {
        const TNote& x = a.Notes[i];
        const TNote& y = b.Notes[i];
        if (x.Id != y.Id || x.Title != y.Title || x.Category != y.Category || x.Date != y.Date ||
            x.Body != y.Body || x.Closed != y.Closed)
            return false;
    }
    return true;
}

void removeDamagedCopies() {
    std::remove("Quillbox.dat.damaged");
}

std::string scratch;

void removeScratch() {
    std::remove(TData::FileName);
    removeDamagedCopies();
    rmdir(scratch.c_str());
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // A memory-backed scratch folder, so the saves' syncs cost nothing. Inputs and artifacts are
    // named by absolute paths, since this changes the current directory.
    char shm[] = "/dev/shm/quillbox-fuzz-XXXXXX";
    char tmp[] = "/tmp/quillbox-fuzz-XXXXXX";
    const char* dir = mkdtemp(shm);
    if (!dir)
        dir = mkdtemp(tmp);
    if (!dir || chdir(dir) != 0)
        std::abort();
    scratch = dir;
    std::atexit(removeScratch);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FILE* f = std::fopen(TData::FileName, "wb");
    if (!f || std::fwrite(data, 1, size, f) != size || std::fclose(f) != 0)
        std::abort();

    TData loaded;
    const TLoadResult r = loaded.Load();
    if (r.status == TLoadResult::Status::Missing || r.status == TLoadResult::Status::Unreadable)
        std::abort();
    if (std::size_t(r.notesRead) != loaded.Notes.size() ||
        std::size_t(r.categoriesRead) != loaded.Categories.size())
        std::abort();
    if ((r.status == TLoadResult::Status::Damaged) != !r.problem.empty())
        std::abort();
    if (r.status == TLoadResult::Status::Damaged && r.keptCopy.empty())
        std::abort();
    if (r.notesRead > 0 && loaded.FindNote(loaded.Notes[0].Id) == nullptr)
        std::abort();

    if (!loaded.Save().ok)
        std::abort();
    TData again;
    const TLoadResult back = again.Load();
    if (back.status != TLoadResult::Status::Loaded || again.Categories != loaded.Categories ||
        !sameNotes(again, loaded) || again.LastId != loaded.LastId)
        std::abort();

    removeDamagedCopies();
    return 0;
}
