// Writes a sample data file (Quillbox.dat) of 30 notes in five categories into the folder
// given, through the note store, for trying the program and for screenshots.
#include "store/data.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>
#include <string>

namespace {
struct Sample {
    const char* category;
    const char* title;
    bool closed;
    const char* body;
};

const Sample samples[] = {
    {"Work", "Quarterly report outline", false,
     "Sections: summary, figures, risks.\r\nAsk Dana for the sales table."},
    {"Home", "Fix the kitchen tap", true, "Washer size 1/2 inch.\r\nHardware shop closes at six."},
    {"Ideas", "Garden planner app", false, "Grid of beds, what grows where, watering reminders."},
    {"Reading", "Finish \"The Long Way\"", false,
     "Chapter 12 onwards.\r\nNote the map on page 200."},
    {"Travel", "Lisbon in May", false,
     "Flights around the 14th.\r\nTram 28 early in the morning.\r\nBelém on a weekday."},
    {"Work", "Team meeting agenda", true,
     "1. Release dates\r\n2. Holidays\r\n3. Any other business"},
    {"Home", "Renew car insurance", false, "Policy ends on the 30th. Compare three quotes."},
    {"Ideas", "Short story: the lighthouse", false, "A keeper who counts ships that never arrive."},
    {"Reading", "Articles on typography", true, "Line length, leading, and why 66 characters."},
    {"Travel", "Packing list", false, "Adapter, charger, raincoat, walking shoes."},
    {"Work", "Expense claims for March", false,
     "Train tickets, hotel, two dinners.\r\nReceipts in the blue folder."},
    {"Home", "Paint the spare room", false, "Pale green or warm white? Two coats."},
    {"Ideas", "Weekend workshop on bread", true, "Sourdough starter, baskets, a hot oven."},
    {"Reading", "Poetry anthology", false, "Mark the ones to read aloud."},
    {"Travel", "Train times to the coast", false, "Fast train at 08:12, slow one at 09:40."},
    {"Work", "Review the style guide", false, "Headings, dates, numbers in tables."},
    {"Home", "Birthday present for Sam", false, "Something for the new bicycle: lights?"},
    {"Ideas", "Photo book of the year", false, "One picture per week, captions short."},
    {"Reading", "Library books due", true, "Return by Friday to avoid fines."},
    {"Travel", "Museum passes", false, "Check whether the city card includes them."},
    {"Work", "Call the printer supplier", false, "Toner for the third floor, order two."},
    {"Home", "Dentist appointment", true, "Tuesday 10:30. Bring the forms."},
    {"Ideas", "Board game rules draft", false, "Two to four players, thirty minutes, no dice."},
    {"Reading", "Café menu translations", false,
     "Crème brûlée, naïve café, piñata: check the accents."},
    {"Travel", "Hotel confirmation", false, "Booking reference in the e-mail from April."},
    {"Work", "Onboarding checklist", false, "Laptop, badge, accounts, first-week lunch."},
    {"Home", "Clean the gutters", false, "Before the autumn rain. Borrow the long ladder."},
    {"Ideas", "Podcast on local history", false, "Interview the oldest shopkeeper on the street."},
    {"Reading", "Cookbook: slow suppers", false, "Try the lentil stew first."},
    {"Work", "Year plan draft", false, "Three goals, one page, review in June."},
};
} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: sampledata FOLDER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder) || !QDir::setCurrent(folder)) {
        std::fprintf(stderr, "sampledata: cannot use the folder %s\n", argv[1]);
        return 1;
    }
    TData data;
    for (const char* name : {"Work", "Home", "Ideas", "Reading", "Travel"})
        data.AddCategory(TCategory(name));
    for (const Sample& s : samples)
        data.AddNote(s.title, s.category, s.closed ? 1 : 0, s.body);
    const TSaveResult saved = data.Save();
    if (!saved.ok) {
        std::fprintf(stderr, "sampledata: %s: %s\n", saved.path.c_str(), saved.error.c_str());
        return 1;
    }
    std::printf("%s\n", saved.path.c_str());
    return 0;
}
