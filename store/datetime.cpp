#include "store/datetime.h"

#include <array>

std::function<std::time_t()> Clock;

namespace {
std::string format(const char* pattern, const std::tm& local) {
    std::array<char, 256> buffer{};
    const std::size_t n = std::strftime(buffer.data(), buffer.size(), pattern, &local);
    return std::string(buffer.data(), n);
}
} // namespace

std::string DateTimeText(const std::tm& local) {
    std::string text = format("%x", local);
    if (local.tm_hour != 0 || local.tm_min != 0 || local.tm_sec != 0) {
        text += ' ';
        text += format("%X", local);
    }
    return text;
}

std::string CurrentDateTimeText() {
    const std::time_t now = Clock ? Clock() : std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return DateTimeText(local);
}
