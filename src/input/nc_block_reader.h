#pragma once

#include "input/nc_arc.h"
#include "input/nc_reader.h"
#include "model/graphics_database.h"
#include "model/tool_table.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace korvix::nc {

// Interprets the blocks of one NC program, line by line, with the reader's modal state, and
// appends their moves to the graphics database. Reading the file and splitting it into lines
// is the caller's job (nc_reader.cpp).
//
// The status block is worked on in a copy: a program that never defines its start point
// leaves an empty database and its status untouched.
class NcBlockReader {
public:
    NcBlockReader(const NcReadTarget& target, const NcReadOptions& options);

    // Interprets one block: at most 80 characters, blanks and NULs already removed. Returns
    // false when the database could not grow; the read must then stop (see abandon).
    bool readBlock(const char* text, std::size_t length);

    // Completes the read: the Y extents back to screen orientation, `ncLoaded`, and the
    // status block stored. Returns the number of position-defining blocks of this read.
    int finish();

    // Undoes the read after a failed allocation or a cancel: the records it appended are
    // released and the database and tool table are as they were before it.
    void rollBack();

    bool databaseAllocated() const { return m_records.allocated(); }
    const CentreCheck& centres() const { return m_centres; }
    // True when readBlock failed because the read reached the database's record budget,
    // not because memory ran out.
    bool overBudget() const { return m_overBudget; }

private:
    // The values a block starts from (copies of the modal ones) and changes.
    struct Block {
        double x, y, z;
        double i, j, k, r;
        bool optionalStop;
        bool comment;
        bool centreWordGiven;  // an I, J or K word in this block
        bool radiusWordGiven;  // an R word in this block
        bool axisWordGiven;    // an X, Y or Z word in this block
        bool outOfRange;       // a position beyond the float range: the block is ignored
        bool lowerCaseSkipped; // a lower-case word letter outside a comment
        std::uint16_t blockNumber;
        std::uint32_t sourceLine;
    };

    void applyWord(char letter, const char* run, std::size_t length, Block& block);
    bool realWord(char letter, const char* run, std::size_t length, int impliedDecimals,
                  double& value);
    bool integerWord(char letter, const char* run, std::size_t length, std::int32_t low,
                     std::int32_t high, std::int32_t& value);
    void logWord(std::string_view message, char letter, std::string_view text);
    bool axisWord(double value, double& current, double& blockValue) const;
    void positionWord(char letter, const char* run, std::size_t length, double& current,
                      double& blockValue, Block& block);
    void noteLowerCase(const Block& block, const char* text, std::size_t length);
    void reportUnreadProgram();

    bool endOfBlock(const Block& block);
    bool storeStartPoint(const Block& block);
    bool storeStraightMove(const Block& block, std::uint8_t motion);
    bool storeArc(const Block& block);
    bool storeFullTurn(const Block& block, double centreH, double centreV);
    bool appendArc(const ArcShape& arc, const Block& block, bool optionalStop, double third);
    void testCentres(const Block& block, const PlanePoint& start, const PlanePoint& end);
    template <std::uint8_t Plane>
    bool appendArcPieces(const ArcShape& arc, const MoveRecord& proto, double third);
    MoveRecord* appendRecord();
    bool withinBudget();
    void widenExtents(double x, double y, double z);

    GraphicsDatabase& m_database;
    NodeList<MoveRecord>& m_records;
    ToolTable& m_tools;
    ParseLog& m_log;
    DatabaseStatus m_status;
    const NcReadTarget m_target;
    const bool m_absoluteCenters;
    const bool m_lowerCaseWords;
    const Rgb m_drawColor;

    MoveRecord* m_tail = nullptr; // the record the next one is appended to
    const NcReadCheckpoint m_before;
    CentreCheck m_centres;
    // The first block whose lower-case word letters were skipped: its number and text.
    int m_lowerCaseBlock = -1;
    std::string m_lowerCaseText;
    int m_positionCount = 0;
    int m_positionCountAtStart = 0;
    std::size_t m_recordsLeft; // of the database's budget for one read
    bool m_overBudget = false;

    // Modal state, afresh for every file.
    double m_x = kUndefined, m_y = kUndefined, m_z = kUndefined;
    double m_i = kUndefined, m_j = kUndefined, m_k = kUndefined, m_r = kUndefined;
    std::uint8_t m_motion = kMotionRapid;
    std::uint8_t m_plane = kPlaneXY;
    bool m_absolute = true;
    double m_feed = 0;
    int m_blockCounter = 1;
    std::uint32_t m_nextSourceLine; // of the next line read; kNoSourceLine: not numbered
    bool m_startDefined = false;
    ToolWordState m_toolWords;
};

} // namespace korvix::nc
