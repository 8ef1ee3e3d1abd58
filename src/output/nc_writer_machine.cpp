// Walks the toolpath and writes it with a machine format: program start lines, one block
// (or one per quadrant) per move or arc, tool change lines, program end lines.

#include "output/nc_arc_geometry.h"
#include "output/nc_arc_split.h"
#include "output/nc_block_formatter.h"
#include "output/nc_writer_internal.h"

#include <cmath>

namespace korvix::ncout {
namespace {

class MachineProgramWriter {
public:
    MachineProgramWriter(const ToolTable& tools, MachineFormat& format, LineSink& sink,
                         std::vector<FormatMessage>& messages)
        : m_tools(tools), m_format(format), m_blocks(format, sink, messages) {}

    MachineBlockFormatter& blocks() { return m_blocks; }

    // H, S and T of a tool found in the table; a tool that is not there leaves them be.
    void setToolRegisters(int tool) {
        const ToolEntry* entry = findToolEntry(m_tools, tool);
        if (entry == nullptr)
            return;
        m_blocks.set(Reg::H, entry->compNumber);
        m_blocks.set(Reg::S, m_blocks.limitedSpindleSpeed(entry->spindleSpeed));
        m_blocks.set(Reg::T, entry->toolNumber);
    }

    // The tool change lines carry the move's tool and the point they bring it to.
    void toolChange(const MoveRecord& move, const Point3& point) {
        if (straightMotion(move) != kMotionRapid || isArcPiece(move))
            m_blocks.set(Reg::F, move.feed); // no MAXFEEDRATE here: the lines state it as is
        m_blocks.set(Reg::X, point.x);
        m_blocks.set(Reg::Y, point.y);
        m_blocks.set(Reg::Z, point.z);
        m_currentTool = move.tool;
        setToolRegisters(move.tool);
        m_blocks.writeTextLines(LineList::ToolChange);
    }

    void straight(const MoveRecord& move) {
        BlockMove block;
        block.motion = straightMotion(move);
        block.end = endPointOf(move);
        block.feed = move.feed;
        block.blockNumber = move.blockNumber;
        if (move.tool != m_currentTool) {
            // The tool change lines bring the tool to the move's end point.
            toolChange(move, block.end);
        } else {
            m_blocks.writeMove(block);
        }
        if (move.optionalStop)
            m_blocks.writeOptionalStop(move.blockNumber);
    }

    // The arc is written between its circle's two points; where its own start or end lies
    // off the circle, a straight feed move joins them.
    void arc(const ArcGroup& arc) {
        const MoveRecord& first = *arc.first;
        const Point3 circleStart = circleStartPoint(arc);
        if (first.tool != m_currentTool) {
            // The tool change lines bring the new tool to the arc's start; the arc itself
            // still has to be cut.
            toolChange(first, circleStart);
        } else if (distance3D(circleStart, arcStartPoint(arc)) > kMotionTolerance) {
            writeConnection(first, circleStart); // no optional stop: that belongs after the arc
        }
        writeArcBlocks(arc);
        const Point3 end = arcEndPoint(arc);
        if (distance3D(circleEndPoint(arc), end) > kMotionTolerance)
            writeConnection(first, end);
        if (arc.optionalStop)
            m_blocks.writeOptionalStop(first.blockNumber);
    }

    void setCurrentTool(int tool) { m_currentTool = tool; }

private:
    void writeConnection(const MoveRecord& arc, const Point3& to) {
        BlockMove connect;
        connect.end = to;
        connect.feed = arc.feed;
        connect.blockNumber = arc.blockNumber;
        m_blocks.writeMove(connect);
    }

    void writeArcBlocks(const ArcGroup& arc) {
        const MoveRecord& first = *arc.first;
        BlockMove block;
        block.arc = true;
        block.motion = arcMotion(first);
        block.plane = first.plane;
        block.centre = {first.centerX, first.centerY, first.centerZ};
        block.radius = std::fabs(static_cast<double>(first.radius));
        block.feed = first.feed;
        block.blockNumber = first.blockNumber;
        block.writeThirdAxis = isHelical(arc);

        QuadrantCuts cuts;
        if (m_format.splitArcs)
            cuts = quadrantCuts(first.startAngle, first.endAngle, first.radius < 0);
        block.start = circleStartPoint(arc);
        for (std::size_t i = 0; i < cuts.count; ++i) {
            const QuadrantCut& cut = cuts.cuts[i];
            // A helix moves its third axis evenly with the angle travelled.
            block.end = arcPointAt(arc, cut.angle, cut.fraction);
            m_blocks.writeMove(block);
            block.start = block.end;
        }
        block.end = circleEndPoint(arc);
        block.longArc =
            cuts.count == 0 && arcSweep(first.startAngle, first.endAngle, first.radius) > 180.0;
        m_blocks.writeMove(block);
    }

    const ToolTable& m_tools;
    MachineFormat& m_format;
    MachineBlockFormatter m_blocks;
    int m_currentTool = 0;
};

} // namespace

std::uint8_t straightMotion(const MoveRecord& record) {
    if (record.kind == kKindStartPoint || record.motion == kMotionRapid)
        return kMotionRapid;
    return kMotionLinear;
}

MachineProgramCounts writeMachineProgram(const GraphicsDatabase& database, const ToolTable& tools,
                                         MachineFormat& format, const NcWriteOptions& options,
                                         LineSink& sink, std::vector<FormatMessage>& messages,
                                         MessagePump& pump) {
    MachineProgramWriter writer(tools, format, sink, messages);
    MachineBlockFormatter& blocks = writer.blocks();
    blocks.startProgram(options.programNumber);
    if (!options.startingText.empty())
        blocks.writeRawLine(options.startingText);

    const MoveRecord* start = database.first();
    const MoveRecord* firstMove = start->next;
    if (straightMotion(*firstMove) != kMotionRapid || isArcPiece(*firstMove))
        blocks.set(Reg::F, firstMove->feed);
    blocks.set(Reg::X, start->x);
    blocks.set(Reg::Y, start->y);
    blocks.set(Reg::Z, start->z);
    writer.setCurrentTool(firstMove->tool);
    writer.setToolRegisters(firstMove->tool);
    blocks.writeTextLines(LineList::ProgramStart);

    for (const MoveRecord* record = firstMove; record != nullptr && !sink.failed();) {
        pump.pump();
        if (isArcPiece(*record)) {
            const ArcGroup arc = arcGroupAt(record);
            writer.arc(arc);
            record = arc.last->next;
        } else {
            writer.straight(*record);
            record = record->next;
        }
    }
    blocks.writeTextLines(LineList::ProgramEnd);
    return {blocks.linesWritten(), blocks.movesWritten()};
}

} // namespace korvix::ncout
