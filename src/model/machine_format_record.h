#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvix {

// The built-in control of the NC writer, which needs no machine format file; the
// control-type list offers it before the files.
inline constexpr std::string_view kDefaultControlName = "Default";

// The address letters a machine format can describe, in the order of its registers.
enum class Reg : std::uint8_t { F, G, H, I, J, K, L, M, N, O, R, S, T, X, Y, Z };
inline constexpr int kRegisterCount = 16;
inline constexpr std::string_view kRegisterLetters = "FGHIJKLMNORSTXYZ";

// The register of an upper-case address letter, or -1 when there is none.
int registerIndex(char letter);

// How one address letter is written. `value`, `lastWritten` and `isSet` belong to the writer
// while it runs; the rest comes from the machine format file.
struct MachineRegister {
    double value = 0;
    double scale = 1;
    double lastWritten = 0;
    char letter = '\0'; // '\0': the register is never written
    std::uint8_t digits = 0;
    std::uint8_t decimals = 0;
    bool isSet = false;
    bool modal = false;

    bool hasLetter() const { return letter != '\0'; }
};

// Texts that replace or accompany the words of a block.
enum class MoveTemplate : std::uint8_t { Rapid, Linear, ArcCw, ArcCcw, Prefix, Suffix, OpStop };
inline constexpr int kMoveTemplateCount = 7;
// The names the moves section uses ("RAPID", "LINEAR", ...), in MoveTemplate order.
std::string_view moveTemplateName(MoveTemplate which);

// The four line lists. The spare list is read and kept, but nothing writes it.
enum class LineList : std::uint8_t { ProgramStart, ToolChange, ProgramEnd, Spare };
inline constexpr int kLineListCount = 4;
// "PROGRAM START", "TOOL CHANGE", "PROGRAM END", "SPARE": how messages name the lists.
std::string_view lineListName(LineList which);

inline constexpr std::size_t kMaxTemplateLength = 20;
inline constexpr std::size_t kMaxListLines = 20;
inline constexpr std::size_t kMaxSectionLineLength = 40;

// A machine control's dialect, read from a .DNC file. One program-wide instance lives in
// the Workspace; every load (input/machine_format.h) overwrites it (see resetMachineFormat
// for what survives).
struct MachineFormat {
    std::array<MachineRegister, kRegisterCount> registers{};
    std::array<std::string, kMoveTemplateCount> templates{};
    std::array<std::vector<std::string>, kLineListCount> lineLists{};

    bool renumber = false;
    bool splitArcs = false;
    bool addSpaces = false;
    std::int32_t minBlockNumber = 0;
    std::int32_t maxBlockNumber = 0;
    double maxFeedRate = 0;
    std::int32_t maxRpm = 0;
    std::int32_t radiusType =
        0; // 1 incremental, 3 radius word, 4 unsigned incremental, else absolute

    MachineRegister& reg(Reg r) { return registers[static_cast<std::size_t>(r)]; }
    const MachineRegister& reg(Reg r) const { return registers[static_cast<std::size_t>(r)]; }
    std::string& moveTemplate(MoveTemplate t) { return templates[static_cast<std::size_t>(t)]; }
    const std::string& moveTemplate(MoveTemplate t) const {
        return templates[static_cast<std::size_t>(t)];
    }
    std::vector<std::string>& lines(LineList l) { return lineLists[static_cast<std::size_t>(l)]; }
    const std::vector<std::string>& lines(LineList l) const {
        return lineLists[static_cast<std::size_t>(l)];
    }
};

// The reset at the start of every load: registers, templates, line lists, SPLITARCS and
// ADDSPACES. RENUMBER, MINBLKNUM, MAXBLKNUM, MAXFEEDRATE, MAXRPM and RADIUSTYPE keep the
// values of the format loaded before, so a format that leaves one out inherits it.
void resetMachineFormat(MachineFormat& format);

// One message box worth of text from loading a format (or writing with it).
struct FormatMessage {
    enum class Kind : std::uint8_t { Warning, Error };
    Kind kind = Kind::Error;
    std::string text;
};

} // namespace korvix
