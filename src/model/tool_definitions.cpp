#include "model/tool_definitions.h"

#include "model/number_text.h"

#include <array>
#include <optional>

namespace korvix {
namespace {

struct IntegerRange {
    std::int32_t low;
    std::int32_t high;
};

// The range of an integer field; nothing for the real ones.
std::optional<IntegerRange> integerRange(ToolField field) {
    switch (field) {
    case ToolField::ToolNumber:
    case ToolField::CompNumber:
    case ToolField::NumberOfSections:
        return IntegerRange{0, 255};
    case ToolField::SpindleRpm:
        return IntegerRange{-32768, 32767};
    default:
        return std::nullopt;
    }
}

// The member of a real field; nullptr for the integer ones.
float ToolEntry::*realMember(ToolField field) {
    switch (field) {
    case ToolField::Diameter:
        return &ToolEntry::diameter;
    case ToolField::Radius:
        return &ToolEntry::radius;
    case ToolField::Length:
        return &ToolEntry::length;
    case ToolField::AngleToX:
        return &ToolEntry::angleToX;
    case ToolField::AngleToY:
        return &ToolEntry::angleToY;
    case ToolField::AngleToZ:
        return &ToolEntry::angleToZ;
    case ToolField::ArcResolution:
        return &ToolEntry::arcResolution;
    default:
        return nullptr;
    }
}

void storeInteger(ToolEntry& entry, ToolField field, std::int32_t value) {
    switch (field) {
    case ToolField::ToolNumber:
        entry.toolNumber = static_cast<std::uint8_t>(value);
        break;
    case ToolField::CompNumber:
        entry.compNumber = static_cast<std::uint8_t>(value);
        break;
    case ToolField::NumberOfSections:
        entry.numberOfSections = static_cast<std::uint8_t>(value);
        break;
    case ToolField::SpindleRpm:
        entry.spindleSpeed = static_cast<std::int16_t>(value);
        break;
    default:
        break;
    }
}

std::string expectation(ToolField field) {
    if (const auto range = integerRange(field))
        return "enter a whole number from " + std::to_string(range->low) + " to " +
               std::to_string(range->high) + "...";
    return "enter a number...";
}

} // namespace

const char* toolFieldCaption(ToolField field) {
    static constexpr std::array<const char*, kToolFieldCount> kCaptions = {
        "Tool number",       "Diameter",        "Radius",      "Length",      "Angle to X axis",
        "Angle to Y axis",   "Angle to Z axis", "Tool comp #", "Spindle RPM", "Arc resolution",
        "Number of sections"};
    return kCaptions[static_cast<std::size_t>(field)];
}

std::string toolFieldText(const ToolEntry& entry, ToolField field) {
    switch (field) {
    case ToolField::ToolNumber:
        return std::to_string(entry.toolNumber);
    case ToolField::CompNumber:
        return std::to_string(entry.compNumber);
    case ToolField::NumberOfSections:
        return std::to_string(entry.numberOfSections);
    case ToolField::SpindleRpm:
        return std::to_string(entry.spindleSpeed);
    default:
        return fixed7(entry.*realMember(field), 4);
    }
}

std::string storeToolField(ToolEntry& entry, ToolField field, std::string_view text) {
    if (const auto bad = firstNonNumericChar(text))
        return nonNumericMessage(*bad);
    const std::string caption = toolFieldCaption(field);
    if (text.empty())
        return caption + " is empty: " + expectation(field);
    const std::string refused =
        caption + " \"" + std::string(text) + "\" is not valid: " + expectation(field);

    if (const auto range = integerRange(field)) {
        const IntegerConversion value = convertIntegerInRange(text, range->low, range->high);
        if (!value.ok())
            return refused;
        storeInteger(entry, field, value.value);
        return {};
    }
    const RealConversion value = convertFloat32(text);
    if (!value.ok())
        return refused;
    entry.*realMember(field) = static_cast<float>(value.value);
    return {};
}

void renumberToolMoves(GraphicsDatabase& database, std::span<const std::uint8_t> oldNumbers,
                       const ToolTable& tools) {
    // Tool numbers are bytes: one lookup table maps every old number at once.
    std::array<int, 256> newNumber{};
    newNumber.fill(-1);
    bool anyChange = false;
    for (std::size_t i = 0; i < oldNumbers.size() && i < tools.entries.size(); ++i) {
        const std::uint8_t before = oldNumbers[i];
        const std::uint8_t after = tools.entries[i].toolNumber;
        if (before != after && newNumber[before] < 0) {
            newNumber[before] = after;
            anyChange = true;
        }
    }
    if (!anyChange)
        return;
    for (MoveRecord* r = database.first(); r != nullptr; r = r->next)
        if (newNumber[r->tool] >= 0)
            r->tool = static_cast<std::uint8_t>(newNumber[r->tool]);
}

} // namespace korvix
