#include "platform/screen.h"

namespace {
TScreen screenObject;
}

TScreen* Screen = &screenObject;

void TScreen::setCursor(TCursor cursor) {
    m_cursor = cursor;
    if (Apply)
        Apply(cursor);
}
