#include "store/data.h"

#include "platform/screen.h"
#include "store/stream.h"

#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

std::string errorText(int error) {
    return std::strerror(error);
}

// The file is always opened by its bare name, relative to the current directory; the full path
// is for messages and for recognising the same file later. A current directory that has been
// removed still has a name, which the kernel reports with " (deleted)" after it.
std::string fullDataPath() {
    char buffer[PATH_MAX];
    std::string dir;
    if (::getcwd(buffer, sizeof buffer)) {
        dir = buffer;
    } else {
        const ssize_t n = ::readlink("/proc/self/cwd", buffer, sizeof buffer - 1);
        if (n > 0)
            dir.assign(buffer, std::size_t(n));
    }
    if (dir.empty() || dir.back() != '/')
        dir += '/';
    return dir + TData::FileName;
}

bool currentDirectoryExists() {
    struct stat st;
    return ::stat(".", &st) == 0 && st.st_nlink > 0;
}

std::string count(int64_t n, const char* one, const char* many) {
    return std::to_string(n) + ' ' + (n == 1 ? one : many);
}

std::string describeFault(const TReader& in, const std::string& where) {
    const std::string at = " at byte " + std::to_string(in.offset());
    switch (in.fault()) {
    case TReader::Fault::End:
        return "the file ends inside " + where + at;
    case TReader::Fault::ZeroCount:
        return where + at + " holds a text whose length is given as 0";
    case TReader::Fault::NoTerminator:
        return where + at + " holds a text with no closing zero byte";
    case TReader::Fault::Io:
        return "reading " + where + at + " failed: " + in.ioError();
    case TReader::Fault::None:
        break;
    }
    return {};
}

void appendProblem(std::string& problems, const std::string& problem) {
    if (!problems.empty())
        problems += "; ";
    problems += problem;
}

bool copyFile(int from, int to, std::string& error) {
    struct stat st;
    const uint64_t size = ::fstat(from, &st) == 0 ? uint64_t(st.st_size) : 0;
    std::string buffer(std::size_t(std::clamp<uint64_t>(size + 1, 4096, TReader::BufferSize)),
                       '\0');
    for (;;) {
        const ssize_t got = ::read(from, buffer.data(), buffer.size());
        if (got == 0)
            break;
        if (got < 0) {
            if (errno == EINTR)
                continue;
            error = "reading it failed: " + errorText(errno);
            return false;
        }
        for (ssize_t done = 0; done < got;) {
            const ssize_t put = ::write(to, buffer.data() + done, std::size_t(got - done));
            if (put < 0) {
                if (errno == EINTR)
                    continue;
                error = "writing the copy failed: " + errorText(errno);
                return false;
            }
            done += put;
        }
    }
    if (::fsync(to) != 0) {
        error = "writing the copy failed: " + errorText(errno);
        return false;
    }
    return true;
}

} // namespace

TLoadResult TData::Load() {
    THourGlass hourGlass;
    TLoadResult result;
    result.path = fullDataPath();

    // A file that is there but could not be read whole must not be replaced by the next save
    // until a copy of it is kept.
    const auto protectOriginal = [&] {
        m_damagedOriginalPending = true;
        m_damagedPath = result.path;
        std::string error;
        if (keepDamagedOriginal(error))
            result.keptCopy = m_keptCopy;
        else
            appendProblem(result.problem, "no copy of the file could be kept: " + error);
        return result;
    };
    const auto unreadable = [&](std::string problem) {
        result.status = TLoadResult::Status::Unreadable;
        result.problem = std::move(problem);
        return protectOriginal();
    };

    const FileDescriptor file(::open(FileName, O_RDONLY | O_CLOEXEC));
    if (file.get() < 0)
        return errno == ENOENT ? result : unreadable(errorText(errno));
    struct stat st;
    if (::fstat(file.get(), &st) != 0)
        return unreadable(errorText(errno));
    if (!S_ISREG(st.st_mode))
        return unreadable(S_ISDIR(st.st_mode) ? "it is a folder, not a file"
                                              : "it is not an ordinary file");

    // Counts come from the file and are not trusted: nothing is reserved by them, and reading
    // stops at the first fault, so memory follows the bytes actually there.
    TReader in(file.get(), uint64_t(st.st_size));
    std::string problems;
    Header.Read(in);
    if (!in.ok())
        appendProblem(problems, describeFault(in, "the 12-byte header"));

    const int32_t categories = in.ok() ? Header.CategoryCount : 0;
    const int32_t notes = in.ok() ? Header.NoteCount : 0;
    if (categories < 0)
        appendProblem(problems, "the header gives a negative number of categories (" +
                                    std::to_string(categories) + ")");
    if (notes < 0)
        appendProblem(problems, "the header gives a negative number of notes (" +
                                    std::to_string(notes) + ")");

    for (int32_t i = 0; i < categories && in.ok(); ++i) {
        TCategory category;
        category.Read(in);
        if (!in.ok()) {
            appendProblem(problems, describeFault(in, "category " + std::to_string(i + 1) + " of " +
                                                          std::to_string(categories)));
            break;
        }
        Categories.push_back(std::move(category));
        ++result.categoriesRead;
    }
    TNote note(0);
    for (int32_t i = 0; i < notes && in.ok(); ++i) {
        note.Read(in);
        if (!in.ok()) {
            appendProblem(problems, describeFault(in, "note " + std::to_string(i + 1) + " of " +
                                                          std::to_string(notes)));
            break;
        }
        if (note.Id > LastId)
            LastId = note.Id;
        Notes.push_back(std::move(note));
        ++result.notesRead;
    }
    if (in.ok()) {
        const uint64_t extra = in.drainRemaining();
        if (extra > 0)
            appendProblem(problems, count(int64_t(extra), "byte follows", "bytes follow") +
                                        " the last record");
    }

    SortNotes();

    if (in.fault() == TReader::Fault::Io)
        result.status = TLoadResult::Status::Unreadable;
    else if (!problems.empty())
        result.status = TLoadResult::Status::Damaged;
    else
        result.status = TLoadResult::Status::Loaded;
    result.problem = problems;

    return result.status == TLoadResult::Status::Loaded ? result : protectOriginal();
}

bool TData::keepDamagedOriginal(std::string& error) {
    const FileDescriptor original(::open(m_damagedPath.c_str(), O_RDONLY | O_CLOEXEC));
    if (original.get() < 0) {
        if (errno == ENOENT) {
            // Gone since it was read: there is nothing left to protect.
            m_damagedOriginalPending = false;
            return true;
        }
        error = m_damagedPath + ": " + errorText(errno);
        return false;
    }
    // Never overwrite an earlier copy: each damaged original gets the first free name.
    for (int n = 1; n <= 10000; ++n) {
        std::string name = m_damagedPath + ".damaged";
        if (n > 1)
            name += '-' + std::to_string(n);
        const FileDescriptor copy(
            ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
        if (copy.get() < 0) {
            if (errno == EEXIST)
                continue;
            error = name + ": " + errorText(errno);
            return false;
        }
        if (!copyFile(original.get(), copy.get(), error)) {
            ::unlink(name.c_str());
            error = name + ": " + error;
            return false;
        }
        m_keptCopy = std::move(name);
        m_damagedOriginalPending = false;
        return true;
    }
    error = "every name from " + m_damagedPath + ".damaged to .damaged-10000 is taken";
    return false;
}

TSaveResult TData::Save() {
    THourGlass hourGlass;
    TSaveResult result;
    result.path = fullDataPath();

    if (!currentDirectoryExists()) {
        result.ok = false;
        result.error = "the folder it belongs in no longer exists";
        return result;
    }
    if (m_damagedOriginalPending && result.path == m_damagedPath) {
        std::string error;
        if (!keepDamagedOriginal(error)) {
            result.ok = false;
            result.error =
                "the file could not be read whole when it was loaded, and it is kept as it is "
                "until a copy of it can be made (" +
                error + ")";
            return result;
        }
    }

    // Written beside the old file and renamed over it only once complete and on disk, so a
    // failure or a crash at any moment leaves either the old file or the new one.
    QSaveFile file(QString::fromUtf8(FileName));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        result.ok = false;
        result.error = file.errorString().toStdString();
        return result;
    }
    Header.Version = 13;
    Header.NoteCount = int32_t(Notes.size());
    Header.CategoryCount = int32_t(Categories.size());
    TWriter out(file.handle());
    Header.Write(out);
    for (const TCategory& category : Categories)
        category.Write(out);
    for (const TNote& note : Notes)
        note.Write(out);
    if (!out.flush()) {
        result.ok = false;
        result.error = out.error();
        file.cancelWriting();
        return result;
    }
    if (::fsync(file.handle()) != 0) {
        result.ok = false;
        result.error = errorText(errno);
        file.cancelWriting();
        return result;
    }
    if (!file.commit()) {
        result.ok = false;
        result.error = file.errorString().toStdString();
        return result;
    }
    // The rename is only durable once the directory itself is on disk.
    const FileDescriptor dir(::open(".", O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
    return result;
}
