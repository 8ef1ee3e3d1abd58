#include "display/recolor.h"

#include "model/workspace.h"
#include "display/renderer.h"
#include "model/number_text.h"

#include <cmath>

namespace korvix {
namespace {

bool takesPart(const MoveRecord& r) {
    return r.kind != kKindStartPoint && r.motion != kMotionRapid;
}

double keyOf(const MoveRecord& r, RecolorKey key) {
    return key == RecolorKey::FeedRate ? static_cast<double>(r.feed)
                                       : static_cast<double>(static_cast<float>(r.tool));
}

} // namespace

int findColorEntry(const ColorTable& table, double key) {
    for (int i = 0; i < table.count; ++i)
        if (std::fabs(static_cast<double>(table.entries[static_cast<std::size_t>(i)].key) - key) <=
            ColorTable::kKeyTolerance)
            return i;
    return -1;
}

namespace {

// Consecutive moves mostly share their key; the entry found for the same exact value is the
// same entry, so the search runs only when the value changes.
class CachedLookup {
public:
    explicit CachedLookup(const ColorTable& table) : m_table(table) {}
    int find(double value) {
        if (!m_valid || value != m_value) {
            m_value = value;
            m_index = findColorEntry(m_table, value);
            m_valid = true;
        }
        return m_index;
    }
    void forget() { m_valid = false; }

private:
    const ColorTable& m_table;
    double m_value = 0;
    int m_index = -1;
    bool m_valid = false;
};

} // namespace

int buildColorTable(const GraphicsDatabase& database, RecolorKey key, ColorTable& table) {
    table.count = 0;
    table.currentIndex = 1;
    table.overflow = false;
    CachedLookup lookup(table);
    for (const MoveRecord* r = database.first(); r != nullptr; r = r->next) {
        if (!takesPart(*r))
            continue;
        const double value = keyOf(*r, key);
        if (lookup.find(value) >= 0)
            continue;
        if (table.count == ColorTable::kMaxEntries) {
            table.overflow = true;
            continue;
        }
        lookup.forget(); // the new entry is found from now on
        table.entries[static_cast<std::size_t>(table.count++)] = {static_cast<float>(value),
                                                                  r->color};
    }
    return table.count;
}

int applyColorTable(GraphicsDatabase& database, RecolorKey key, const ColorTable& table) {
    int recoloured = 0;
    CachedLookup lookup(table);
    for (MoveRecord* r = database.first(); r != nullptr; r = r->next) {
        if (!takesPart(*r))
            continue;
        const int index = lookup.find(keyOf(*r, key));
        if (index < 0)
            continue;
        r->color = table.entries[static_cast<std::size_t>(index)].color;
        ++recoloured;
    }
    return recoloured;
}

RecolorDialogTexts recolorDialogTexts(RecolorKey key) {
    if (key == RecolorKey::FeedRate)
        return {"Modify color for each FEED RATE", "Feed rate:"};
    return {"Modify color for each TOOL NUMBER", "Tool num:"};
}

std::string colorKeyText(double key, std::string_view label) {
    return fixed7(key, upperAscii(label) == "TOOL NUM:" ? 0 : 2);
}

std::string_view colorTableOverflowStatus(RecolorKey key) {
    if (key == RecolorKey::FeedRate)
        return "Only the first 255 feed rates can be given new colors...";
    return "Only the first 255 tool numbers can be given new colors...";
}

bool beginRecolorCommand(Workspace& ws, RecolorKey key, ColorTable& table) {
    table = ColorTable{};
    if (!ws.database.databaseAllocated())
        return false;
    buildColorTable(ws.database, key, table);
    if (table.overflow)
        ws.report().status(colorTableOverflowStatus(key));
    return true;
}

void finishRecolorCommand(Workspace& ws, Canvas& canvas, RecolorKey key, const ColorTable& table) {
    applyColorTable(ws.database, key, table);
    fullRedraw(ws, canvas);
}

} // namespace korvix
