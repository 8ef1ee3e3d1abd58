#include "input/nc_word_value.h"

namespace korvix::nc {

std::string realWordText(std::string_view run, int impliedDecimals) {
    std::string text(run);
    for (char& c : text)
        if (c == ',')
            c = '.';
    if (text.find('.') != std::string::npos)
        return text;
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.erase(0, 1);
    }
    const std::size_t width = static_cast<std::size_t>(impliedDecimals) + 1;
    if (text.size() < width)
        text.insert(0, width - text.size(), '0');
    text.insert(text.size() - static_cast<std::size_t>(impliedDecimals), 1, '.');
    if (negative)
        text.insert(0, 1, '-');
    return text;
}

std::string integerWordText(std::string_view run, bool commaIsPoint) {
    std::string text(run);
    if (commaIsPoint)
        for (char& c : text)
            if (c == ',')
                c = '.';
    return text;
}

} // namespace korvix::nc
