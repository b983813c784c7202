#pragma once

// What the shoot_* tools share: the command line, letting the windows settle, and drawing a
// window to a PNG file in the output folder.

#include <QApplication>
#include <QDir>
#include <QString>
#include <QWidget>

#include <cstdio>

namespace shots {

inline const char* tool = "shoot";
inline QDir output;
inline bool ok = true;

inline void settle() {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
        QApplication::sendPostedEvents();
    }
}

// Draws `w` to `name` in the output folder; a failure is told and makes the tool fail.
inline void shoot(QWidget* w, const char* name) {
    settle();
    const QString path = output.filePath(QString::fromLatin1(name));
    if (!w->grab().save(path)) {
        std::fprintf(stderr, "%s: cannot write %s\n", tool, qPrintable(path));
        ok = false;
    }
}

// Reads OUTPUT_FOLDER and, when `sample`, SAMPLE_FOLDER from the command line, makes the
// output folder and the sample folder current. Returns 0 to go on, else the exit code.
inline int begin(int argc, char* argv[], const char* name, bool sample) {
    tool = name;
    if (argc < (sample ? 3 : 2)) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER%s\n", name, sample ? " SAMPLE_FOLDER" : "");
        return 2;
    }
    output = QDir(QString::fromLocal8Bit(argv[1]));
    output.mkpath(QStringLiteral("."));
    output.makeAbsolute();
    if (sample && !QDir::setCurrent(QString::fromLocal8Bit(argv[2]))) {
        std::fprintf(stderr, "%s: no sample folder %s\n", name, argv[2]);
        return 1;
    }
    return 0;
}

} // namespace shots
