// Writes the fuzzer's seed corpus: small data files made by Save, one per kind of content.

#include "store/data.h"

#include <QDir>
#include <QFile>

#include <cstdio>
#include <string>

namespace {
bool saveAs(TData& d, const QString& folder, const QString& name) {
    if (!d.Save().ok)
        return false;
    QFile::remove(folder + '/' + name);
    return QFile::rename(TData::FileName, folder + '/' + name);
}
} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <corpus folder>\n", argv[0]);
        return 2;
    }
    const QString folder = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir::setCurrent(QDir::tempPath());
    bool ok = true;

    TData empty;
    ok &= saveAs(empty, folder, "empty");

    TData example;
    example.AddCategory(TCategory("Work"));
    example.AddNote("A", "Work", 0, "");
    example.Notes.back().Date = "1/2/2000";
    ok &= saveAs(example, folder, "one-note");

    TData mixed;
    for (const char* name : {"Work", "Home", "work", "", "Caf\xc3\xa9"})
        mixed.AddCategory(TCategory(name));
    mixed.AddNote("Shopping", "Home", 0, "milk\r\nbread\r\n");
    mixed.AddNote("Zebra", "Work", 1, "closed note");
    mixed.AddNote("apple", "None", 0, "Windows-1252: caf\xe9");
    mixed.AddNote("", "", 0, "");
    mixed.Notes.back().Closed = 7;
    mixed.Notes.push_back(TNote(-3, "negative id", "Work", 0, "body"));
    mixed.Notes.push_back(TNote(2, "repeated id", "Work", 0, "body"));
    ok &= saveAs(mixed, folder, "mixed");

    TData longText;
    longText.AddNote(std::string(300, 'T'), "Work", 0, std::string(65534, 'b'));
    ok &= saveAs(longText, folder, "long-text");

    TData many;
    for (int i = 0; i < 20; ++i)
        many.AddCategory(TCategory("Category " + std::to_string(i)));
    for (int i = 0; i < 200; ++i)
        many.AddNote("Note title " + std::to_string(i), "Category " + std::to_string(i % 20),
                     uint8_t(i % 3 == 0), "Line one\r\nLine two of note " + std::to_string(i));
    ok &= saveAs(many, folder, "many");

    return ok ? 0 : 1;
}
