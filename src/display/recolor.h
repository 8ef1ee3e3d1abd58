#pragma once

#include "model/canvas.h"
#include "model/graphics_database.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvix {

struct Workspace;

// What the recolouring commands group the moves by.
enum class RecolorKey : std::uint8_t { FeedRate, ToolNumber };

struct ColorTableEntry {
    float key = 0;
    Rgb color = kBlack;
};

// The distinct feed rates (or tool numbers) of the path with a colour each, in order of
// first appearance. Two keys within 0.0002 are one entry.
struct ColorTable {
    static constexpr int kMaxEntries = 255;
    static constexpr double kKeyTolerance = 0.0002;
    std::array<ColorTableEntry, kMaxEntries> entries{};
    int count = 0;
    int currentIndex = 1; // 1-based position of the colour dialog
    // Set by the build when the path has more distinct keys than the table holds; moves
    // whose key has no entry keep their colour.
    bool overflow = false;
};

// Index (0-based) of the first entry whose key is within 0.0002 of `key`, or -1.
int findColorEntry(const ColorTable& table, double key);

// Empties the table and fills it from the path: every move that is not a start point or a
// rapid adds its key with its current colour unless an entry has it already. Keys beyond
// the 255th are not added (table.overflow is set). Returns the number of entries.
int buildColorTable(const GraphicsDatabase& database, RecolorKey key, ColorTable& table);

// Gives every move that is not a start point or a rapid the colour of its key's entry.
// Returns the number of records recoloured.
int applyColorTable(GraphicsDatabase& database, RecolorKey key, const ColorTable& table);

// The colour dialog's caption and label for each kind of key.
struct RecolorDialogTexts {
    std::string_view caption;
    std::string_view label;
};
RecolorDialogTexts recolorDialogTexts(RecolorKey key);

// The dialog's key display: no decimals when the label is "Tool num:" (in any case),
// else 2 decimals.
std::string colorKeyText(double key, std::string_view label);

// Status text when the path had more keys than the table holds.
std::string_view colorTableOverflowStatus(RecolorKey key);

// ModifyCOLORSbyFEEDrate1Click / ModifyCOLORSbyTOOLnumber1Click, the part before the
// dialog: builds the table (false, table empty, when no NC data is loaded) and writes the
// overflow status text when keys were left out.
bool beginRecolorCommand(Workspace& ws, RecolorKey key, ColorTable& table);
// On OK in the dialog: recolours and redraws (without erasing first).
void finishRecolorCommand(Workspace& ws, Canvas& canvas, RecolorKey key, const ColorTable& table);

} // namespace korvix
