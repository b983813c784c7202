#pragma once

#include <functional>

// The screen-wide mouse cursor. The store sets it around file work and must not depend on
// widgets, so the widget layer installs how a cursor reaches the display (Apply).
enum TCursor { crDefault = 0, crHourGlass = -11, crVSplit = -15 };

class TScreen {
public:
    TCursor Cursor() const { return m_cursor; }
    void setCursor(TCursor cursor);

    std::function<void(TCursor)> Apply;

private:
    TCursor m_cursor = crDefault;
};

extern TScreen* Screen;

// Shows the hourglass for its lifetime and puts the default cursor back on every path out.
class THourGlass {
public:
    THourGlass() { Screen->setCursor(crHourGlass); }
    ~THourGlass() { Screen->setCursor(crDefault); }
    THourGlass(const THourGlass&) = delete;
    THourGlass& operator=(const THourGlass&) = delete;
};
