#pragma once

// Helpers shared by the store's tests: a scratch current directory per test, data files built
// byte by byte, and checks run in a forked child.

#include "store/data.h"
#include "support/files.h"

#include <QByteArray>
#include <QString>

#include <csignal>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using support::readAll;
using support::writeAll;

// A scratch current directory whose files default to the data file.
class ScratchDir : public support::ScratchDir {
public:
    QString file(const QString& name = TData::FileName) const { return filePath(name); }
};

// The ids of the store's notes, in order.
inline std::vector<int> ids(const TData& d) {
    std::vector<int> out;
    for (const TNote& n : d.Notes)
        out.push_back(n.Id);
    return out;
}

inline QByteArray fixture(const char* name) {
    return readAll(QStringLiteral(QUILLBOX_FIXTURES "/") + name);
}

// Data file pieces, written the long way so the tests do not lean on the code they check.
inline QByteArray i32(int32_t v) {
    const auto u = uint32_t(v);
    const char b[4] = {char(u & 0xFF), char(u >> 8 & 0xFF), char(u >> 16 & 0xFF),
                       char(u >> 24 & 0xFF)};
    return QByteArray(b, 4);
}

inline QByteArray counted(const QByteArray& text) {
    const auto n = uint16_t(text.size() + 1);
    const char b[2] = {char(n & 0xFF), char(n >> 8)};
    return QByteArray(b, 2) + text + QByteArray(1, '\0');
}

inline QByteArray header(int32_t notes, int32_t categories, int32_t version = 13) {
    return i32(version) + i32(notes) + i32(categories);
}

inline QByteArray noteRecord(int32_t id, const QByteArray& title,
                             const QByteArray& category = "Work", uint8_t closed = 0,
                             const QByteArray& body = "") {
    return i32(id) + counted(title) + counted(category) + counted("1/2/2000") +
           QByteArray(1, char(closed)) + counted(body);
}

inline std::string toStd(const QString& s) {
    return s.toStdString();
}

// Runs body in a forked child; empty on success, else what the child reported went wrong.
// The child never returns into the test framework.
inline QString inChild(const std::function<std::string()>& body) {
    int fds[2];
    if (::pipe(fds) != 0)
        return QStringLiteral("pipe failed");
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        std::string failure;
        try {
            failure = body();
        } catch (...) {
            failure = "the child threw";
        }
        if (!failure.empty() && ::write(fds[1], failure.data(), failure.size()) < 0)
            ::_exit(2);
        ::_exit(failure.empty() ? 0 : 1);
    }
    ::close(fds[1]);
    std::string message;
    char buffer[512];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;)
        message.append(buffer, std::size_t(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status))
        return QStringLiteral("the child died with signal %1").arg(WTERMSIG(status));
    if (WEXITSTATUS(status) != 0 && message.empty())
        return QStringLiteral("the child exited with %1").arg(WEXITSTATUS(status));
    return QString::fromStdString(message);
}

#define CHILD_CHECK(cond)                                                                          \
    do {                                                                                           \
        if (!(cond))                                                                               \
            return std::string(#cond " failed at line ") + std::to_string(__LINE__);               \
    } while (false)
