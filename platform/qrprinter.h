#pragma once

#include <functional>

// The report engine's printer object. When OnPreview is set, previewing a prepared report
// calls it instead of showing a preview of its own.
class TQRPrinter {
public:
    std::function<void()> OnPreview;
};

extern TQRPrinter* QRPrinter;
