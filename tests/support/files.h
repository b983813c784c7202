#pragma once

// Files and folders for tests: whole-file reads and writes, and a scratch current directory.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace support {

// The file's bytes; empty when it cannot be read.
inline QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

inline bool writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// Makes a fresh temporary directory current for its lifetime and restores the old one after.
class ScratchDir {
public:
    ScratchDir() : m_previous(QDir::currentPath()), m_entered(QDir::setCurrent(m_dir.path())) {}
    ~ScratchDir() { QDir::setCurrent(m_previous); }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    // Whether the directory was made and made current.
    bool entered() const { return m_dir.isValid() && m_entered; }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString& name) const { return m_dir.filePath(name); }

private:
    QString m_previous;
    QTemporaryDir m_dir;
    bool m_entered;
};

} // namespace support
