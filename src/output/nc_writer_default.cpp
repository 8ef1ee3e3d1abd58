// The built-in "Default" dialect: every block numbered from 1, words without spaces,
// coordinates with 4 decimals, absolute arc centres, no program end block.

#include "model/number_text.h"
#include "output/nc_arc_geometry.h"
#include "output/nc_writer_internal.h"

#include <string>

namespace korvix::ncout {
namespace {

constexpr int kFirstBlockNumber = 1;
constexpr int kLastBlockNumber = 32767;

class DefaultProgramWriter {
public:
    explicit DefaultProgramWriter(LineSink& sink) : m_sink(sink) { m_block.reserve(128); }

    void programNumber(double number) {
        m_block = "O";
        m_block += formatGeneralPlain(number);
        emit();
    }

    // Opens a block with the current number; finish() writes it and moves the counter on.
    void begin() {
        m_block = "N";
        m_block += std::to_string(m_counter);
    }
    void finish() {
        emit();
        m_counter = m_counter >= kLastBlockNumber ? kFirstBlockNumber : m_counter + 1;
    }
    // Writes the block without moving the counter (the connecting move shares its number
    // with the arc that follows).
    void emit() {
        m_sink.writeLine(m_block);
        ++m_lines;
    }

    void text(const char* piece) { m_block += piece; }
    void coordinate(char letter, double value) {
        m_block += letter;
        m_block += formatFixedPlain(value, 7, 4);
    }
    void point(const Point3& p) {
        coordinate('X', p.x);
        coordinate('Y', p.y);
        coordinate('Z', p.z);
    }
    void feed(double value) {
        m_block += 'F';
        m_block += formatFixedPlain(value, 7, 1);
    }
    void toolWords(const ToolEntry& tool) {
        m_block += 'S';
        m_block += std::to_string(tool.spindleSpeed);
        m_block += 'T';
        m_block += std::to_string(tool.toolNumber);
        m_block += 'H';
        m_block += std::to_string(tool.compNumber);
    }
    void motion(std::uint8_t code) {
        m_block += "G0";
        m_block += static_cast<char>('0' + code);
    }

    std::size_t lines() const { return m_lines; }

private:
    LineSink& m_sink;
    std::string m_block;
    int m_counter = kFirstBlockNumber;
    std::size_t m_lines = 0;
};

// The arc is written between its circle's two points, so that a control finds both ends at
// the radius of its centre words. Where the arc's own start or end lies off the circle, a
// straight move joins them: the one before the arc shares its block number, the one after it
// is a block of its own.
void writeArc(DefaultProgramWriter& out, const ArcGroup& arc) {
    const MoveRecord& first = *arc.first;
    const Point3 circleStart = circleStartPoint(arc);
    if (distance3D(circleStart, arcStartPoint(arc)) > kMotionTolerance) {
        out.begin();
        out.text("G01");
        out.point(circleStart);
        out.feed(first.feed);
        out.emit();
    }
    out.begin();
    out.text(first.plane == kPlaneXZ ? "G18" : first.plane == kPlaneYZ ? "G19" : "G17");
    out.motion(arcMotion(first));
    const Point3 circleEnd = circleEndPoint(arc);
    out.point(circleEnd);
    if (first.plane != kPlaneYZ)
        out.coordinate('I', first.centerX);
    if (first.plane != kPlaneXZ)
        out.coordinate('J', first.centerY);
    if (first.plane != kPlaneXY)
        out.coordinate('K', first.centerZ);
    out.feed(first.feed);
    out.finish();
    const Point3 end = arcEndPoint(arc);
    if (distance3D(circleEnd, end) > kMotionTolerance) {
        out.begin();
        out.text("G01");
        out.point(end);
        out.feed(first.feed);
        out.finish();
    }
}

} // namespace

std::size_t writeDefaultProgram(const GraphicsDatabase& database, const ToolTable& tools,
                                double programNumber, LineSink& sink, MessagePump& pump) {
    DefaultProgramWriter out(sink);
    if (programNumber != 0)
        out.programNumber(programNumber);

    const MoveRecord* start = database.first();
    const MoveRecord* firstMove = start->next;
    int currentTool = firstMove->tool;
    if (currentTool == 0) {
        out.begin();
        out.text("G00");
        out.coordinate('Z', start->z);
        out.finish();
        out.begin();
        out.text("G00");
        out.coordinate('X', start->x);
        out.coordinate('Y', start->y);
        out.finish();
    } else {
        out.begin();
        out.point(endPointOf(*start));
        if (const ToolEntry* tool = findToolEntry(tools, currentTool))
            out.toolWords(*tool);
        out.finish();
    }

    for (const MoveRecord* record = firstMove; record != nullptr && !sink.failed();) {
        pump.pump();
        if (record->tool != currentTool) {
            currentTool = record->tool;
            out.begin();
            if (const ToolEntry* tool = findToolEntry(tools, currentTool))
                out.toolWords(*tool);
            out.finish();
        }
        bool optionalStop = record->optionalStop != 0;
        if (isArcPiece(*record)) {
            const ArcGroup arc = arcGroupAt(record);
            writeArc(out, arc);
            optionalStop = arc.optionalStop;
            record = arc.last->next;
        } else {
            const std::uint8_t motion = straightMotion(*record);
            out.begin();
            out.motion(motion);
            out.point(endPointOf(*record));
            if (motion != kMotionRapid)
                out.feed(record->feed);
            out.finish();
            record = record->next;
        }
        if (optionalStop) {
            out.begin();
            out.text("M01");
            out.finish();
        }
    }
    return out.lines();
}

} // namespace korvix::ncout
