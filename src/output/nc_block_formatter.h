#pragma once

#include "input/machine_format_loader.h"
#include "model/geometry.h"
#include "model/move_record.h"
#include "output/nc_writer.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvix::ncout {

// One block's motion as the machine-format writer hands it over: a straight move, the
// connecting move before an arc, a whole arc or one quadrant piece of it.
struct BlockMove {
    std::uint8_t motion = kMotionLinear;
    std::uint8_t plane = kPlaneXY;
    bool arc = false;
    Point3 end{};
    // Where the move really begins; incremental centres take it for an axis that has not
    // been written yet in this run.
    Point3 start{};
    bool writeThirdAxis = false; // a helical arc also moves off its plane
    Point3 centre{};
    double radius = 0;    // absolute
    bool longArc = false; // over 180 degrees: a radius word must be negative
    double feed = 0;
    std::uint16_t blockNumber = 0;
};

// `lastWritten` of a register that has not been written in this run.
inline constexpr double kNeverWritten = -987.12345;

// Formats blocks and text lines with a machine format. The format's registers hold the
// writer's state (value, lastWritten, isSet) for one run; the formatter adds the block
// counter and the plane code last written.
class MachineBlockFormatter {
public:
    MachineBlockFormatter(MachineFormat& format, LineSink& sink,
                          std::vector<FormatMessage>& messages);

    // Starts a run: every register unwritten and unset, O := program number, the counter
    // at MINBLKNUM.
    void startProgram(double programNumber);

    // A register given a value worth writing.
    void set(Reg r, double value);
    double limitedFeed(double feed) const;
    double limitedSpindleSpeed(double speed) const;

    // One block; dropped when it holds no word (the counter has advanced all the same).
    void writeMove(const BlockMove& move);
    // The OP_STOP block, when the format has one.
    void writeOptionalStop(std::uint16_t blockNumber);
    // Every line of the list, expanded, with SUFFIX.
    void writeTextLines(LineList list);
    // A text line with its <R> variables replaced by register words.
    std::string expandTextLine(std::string_view line);
    // A line as it stands (the starting text).
    void writeRawLine(std::string_view line);

    std::size_t linesWritten() const { return m_linesWritten; }
    // Move blocks and tool change lines (which carry a move) written so far.
    std::size_t movesWritten() const { return m_movesWritten; }

private:
    MachineRegister& reg(Reg r) { return m_format.reg(r); }
    void advanceCounter();
    void startBlockNumber(std::uint16_t blockNumber);
    void append(std::string_view item);
    bool writeWord(Reg r);
    std::string word(Reg r) const;
    void appendVariable(std::string_view name, std::string& out);
    void emitBlock();

    MachineFormat& m_format;
    LineSink& m_sink;
    std::vector<FormatMessage>& m_messages;
    std::int64_t m_counter = 0;
    std::uint8_t m_planeWritten = 0; // none yet
    std::string m_block;
    std::size_t m_linesWritten = 0;
    std::size_t m_movesWritten = 0;
};

} // namespace korvix::ncout
