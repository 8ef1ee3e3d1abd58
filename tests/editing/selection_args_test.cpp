#include "cli/selection_args.h"
#include "selection_test_path.h"

#include <gtest/gtest.h>

namespace korvix::test {
namespace {

using cli::UsageError;

std::string usageMessage(const std::string& blocks) {
    try {
        cli::parseBlockRange(blocks);
    } catch (const UsageError& e) {
        return e.what();
    }
    return "(accepted)";
}

TEST(SelectionArgs, BlockRanges) {
    const struct {
        const char* text;
        int first, last;
    } good[] = {{"120-340", 120, 340}, {"7", 7, 7}, {"0-65535", 0, 65535}, {"5-5", 5, 5}};
    for (const auto& c : good) {
        const cli::BlockRange range = cli::parseBlockRange(c.text);
        EXPECT_EQ(range.first, c.first) << c.text;
        EXPECT_EQ(range.last, c.last) << c.text;
    }

    const struct {
        const char* text;
        const char* message;
    } bad[] = {
        {"340-120", "--blocks: the range \"340-120\" is empty (the first block number is above "
                    "the last)"},
        {"120-", "--blocks: '' is not a valid integer value"},
        {"", "--blocks: '' is not a valid integer value"},
        {"a-b", "--blocks: 'a' is not a valid integer value"},
        {"1-2-3", "--blocks: '2-3' is not a valid integer value"},
        {"-5-10", "--blocks: Range check error \"-5\" (0 to 65535)"},
        {"1-70000", "--blocks: Range check error \"70000\" (0 to 65535)"},
    };
    for (const auto& c : bad)
        EXPECT_EQ(usageMessage(c.text), c.message) << c.text;
}

TEST(SelectionArgs, ToolOption) {
    EXPECT_EQ(cli::parseToolOption("3"), 3);
    EXPECT_EQ(cli::parseToolOption("0"), 0);
    EXPECT_THROW(cli::parseToolOption("256"), UsageError);
    EXPECT_THROW(cli::parseToolOption("3.0"), UsageError);
}

TEST(SelectionArgs, FromTheCommandLineToTheSelectedRecords) {
    cli::OptionSpec options;
    options.withValue.insert("-o");
    cli::addSelectionOptions(options);

    GraphicsDatabase database;
    PixelPath path(database);
    path.straightRun(6); // block numbers 0..6
    for (int i : {2, 3, 5})
        path.at(i).tool = 4;

    const cli::ParsedArgs none({"in.nc", "-o", "out.nc"}, options);
    EXPECT_FALSE(cli::selectionArgs(none).given());
    setSelectionFlags(database, "1111111");
    EXPECT_EQ(cli::applySelection(database, cli::selectionArgs(none)), 0u);
    EXPECT_EQ(selectionFlags(database), "0000000") << "an earlier selection never leaks in";

    const cli::ParsedArgs blocks({"--blocks", "1-3", "in.nc"}, options);
    EXPECT_EQ(cli::applySelection(database, cli::selectionArgs(blocks)), 3u);
    EXPECT_EQ(selectionFlags(database), "0111000");

    const cli::ParsedArgs tool({"--tool", "4", "in.nc"}, options);
    EXPECT_EQ(cli::applySelection(database, cli::selectionArgs(tool)), 3u);
    EXPECT_EQ(selectionFlags(database), "0011010");

    const cli::ParsedArgs both({"in.nc", "--tool", "4", "--blocks", "3-6"}, options);
    EXPECT_EQ(cli::applySelection(database, cli::selectionArgs(both)), 2u);
    EXPECT_EQ(selectionFlags(database), "0001010") << "tool 4 within blocks 3 to 6";

    const cli::ParsedArgs badTool({"--tool", "x"}, options);
    EXPECT_THROW(cli::selectionArgs(badTool), UsageError);
}

} // namespace
} // namespace korvix::test
