#include "model/ui/numeric_field.h"

#include "model/number_text.h"

#include <QList>

namespace korvix::ui {

std::vector<std::string> nonNumericMessages(const QString& text) {
    std::vector<std::string> messages;
    for (const auto code : text.toUcs4()) {
        const auto c = static_cast<char32_t>(code);
        if (c < 0x80) {
            if (!isNumericFieldChar(static_cast<char>(c)))
                messages.push_back(nonNumericMessage(static_cast<char>(c)));
            continue;
        }
        // The shared message names one byte; put the whole character in its place.
        std::string message = nonNumericMessage('#');
        const std::string typed = QString::fromUcs4(&c, 1).toStdString();
        message.replace(message.find("\"#\"") + 1, 1, typed);
        messages.push_back(std::move(message));
    }
    return messages;
}

} // namespace korvix::ui
