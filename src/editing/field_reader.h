#pragma once

#include "model/number_text.h"

#include <optional>
#include <string>
#include <string_view>

namespace korvix {

// Converts the numeric fields of a dialog field after field; the first problem is kept and
// the fields after it are skipped (they read as 0).
class FieldReader {
public:
    double real(std::string_view text) {
        if (!m_problem.empty())
            return 0;
        if (const std::optional<char> bad = firstNonNumericChar(text)) {
            m_problem = nonNumericMessage(*bad);
            return 0;
        }
        const RealConversion converted = convertFloat32(text);
        if (!converted.ok()) {
            m_problem = conversionMessage(converted.error, text);
            return 0;
        }
        return converted.value;
    }
    int integer(std::string_view text) {
        if (!m_problem.empty())
            return 0;
        if (const std::optional<char> bad = firstNonNumericChar(text)) {
            m_problem = nonNumericMessage(*bad);
            return 0;
        }
        const IntegerConversion converted = convertInteger(text);
        if (!converted.ok()) {
            m_problem = conversionMessage(converted.error, text);
            return 0;
        }
        return converted.value;
    }
    std::string problem() const { return m_problem; }

private:
    std::string m_problem;
};

} // namespace korvix
