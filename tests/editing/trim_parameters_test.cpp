#include "editing/trim_parameters.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace korvix::test {
namespace {

DatabaseStatus statusWithExtents() {
    DatabaseStatus status;
    // True Y from -3 to 7, held in screen orientation.
    status.extents = {-1.25, 4.5, -3, 7, -2.5, 1.75};
    status.extents.negateY();
    return status;
}

TEST(TrimParameters, DrawnBoxIsNormalisedAndWrittenBack) {
    TrimDialogFields fields;
    writeDrawnBoxToFields(fields, 5.5, -1, -2.25, 3.123456);
    EXPECT_EQ(fields.left, "-2.2500");
    EXPECT_EQ(fields.right, "5.5000");
    EXPECT_EQ(fields.bottom, "-1.0000");
    EXPECT_EQ(fields.top, "3.1235");

    // A click (no larger than the motion tolerance either way) keeps the window typed before.
    writeDrawnBoxToFields(fields, 1, 1, 1.0002, 0.9999);
    EXPECT_EQ(fields.left, "-2.2500");
    // Thin in one direction is still a box.
    writeDrawnBoxToFields(fields, 1, 1, 1.0001, 8);
    EXPECT_EQ(fields.left, "1.0000");
    EXPECT_EQ(fields.top, "8.0000");

    writePolygonWindowFields(fields);
    for (const std::string* text : {&fields.left, &fields.top, &fields.right, &fields.bottom})
        EXPECT_EQ(*text, "0.0");
}

TEST(TrimParameters, TypedReversedBoxIsPutInOrderInTheFields) {
    TrimDialogFields fields;
    fields.primaryRapidPlane = fields.secondaryRapidPlane = "1";
    fields.left = "10";
    fields.right = "-4.5";
    fields.top = "2";
    fields.bottom = "3";
    const TrimParametersInput input = readTrimParameters(fields, false);
    ASSERT_TRUE(input.ok()) << input.problem;
    EXPECT_EQ(input.parameters.box.left, -4.5);
    EXPECT_EQ(input.parameters.box.right, 10);
    EXPECT_EQ(input.parameters.box.bottom, 2);
    EXPECT_EQ(input.parameters.box.top, 3);
    EXPECT_EQ(fields.left, "-4.5");
    EXPECT_EQ(fields.right, "10");
    EXPECT_EQ(fields.bottom, "2");
    EXPECT_EQ(fields.top, "3");
}

TEST(TrimParameters, EmptyFieldsTakeTheirDefaultsFromThePath) {
    const DatabaseStatus status = statusWithExtents();
    {
        TrimDialogFields fields;
        fields.primaryRapidPlane = "5";
        fields.absoluteSecondaryPlane = false;
        fillEmptyTrimFields(fields, status);
        // One empty plane resets both, absolute.
        EXPECT_EQ(fields.primaryRapidPlane, "1.7500");
        EXPECT_EQ(fields.secondaryRapidPlane, "1.7500");
        EXPECT_TRUE(fields.absoluteSecondaryPlane);
        EXPECT_EQ(fields.deepestZValue, "-2.6000");
    }
    {
        TrimDialogFields fields;
        fields.primaryRapidPlane = "5";
        fields.secondaryRapidPlane = "0.1";
        fields.absoluteSecondaryPlane = false;
        fields.deepestZValue = "-9";
        fillEmptyTrimFields(fields, status);
        EXPECT_EQ(fields.primaryRapidPlane, "5");
        EXPECT_EQ(fields.secondaryRapidPlane, "0.1");
        EXPECT_FALSE(fields.absoluteSecondaryPlane);
        EXPECT_EQ(fields.deepestZValue, "-9");
    }
}

TEST(TrimParameters, ExtentsButtonFillsPlanesWindowAndDeepestZ) {
    TrimDialogFields fields;
    fillTrimFieldsFromExtents(fields, statusWithExtents());
    EXPECT_EQ(fields.primaryRapidPlane, "1.7500");
    EXPECT_EQ(fields.secondaryRapidPlane, "1.7500");
    EXPECT_EQ(fields.left, "-1.3500");
    EXPECT_EQ(fields.right, "4.6000");
    EXPECT_EQ(fields.top, "7.1000");
    EXPECT_EQ(fields.bottom, "-3.1000");
    EXPECT_EQ(fields.deepestZValue, "-2.6000");
}

TEST(TrimParameters, FieldsThatCannotBeUsedNameTheProblem) {
    struct Case {
        const char* name;
        void (*edit)(TrimDialogFields&);
        bool polygon;
        std::string problem; // empty: usable
    };
    const std::vector<Case> cases = {
        {"all good", [](TrimDialogFields&) {}, false, ""},
        {"primary", [](TrimDialogFields& f) { f.primaryRapidPlane = "1,5"; }, false,
         "'1,5' is not a valid floating point value"},
        {"first bad field wins",
         [](TrimDialogFields& f) {
             f.secondaryRapidPlane = "x";
             f.plungeFeedRate = "y";
         },
         false, "'x' is not a valid floating point value"},
        {"empty window field", [](TrimDialogFields& f) { f.bottom.clear(); }, false,
         "'' is not a valid floating point value"},
        {"a polygon ignores the window", [](TrimDialogFields& f) { f.bottom.clear(); }, true, ""},
        {"beyond single precision", [](TrimDialogFields& f) { f.top = "1" + std::string(40, '0'); },
         false, "Range check error"},
        {"deepest unused", [](TrimDialogFields& f) { f.deepestZValue = "-"; }, false, ""},
        {"deepest used",
         [](TrimDialogFields& f) {
             f.deepestZValue = "-";
             f.limitZTravel = true;
         },
         false, "'-' is not a valid floating point value"},
        {"plunge feed 0", [](TrimDialogFields& f) { f.plungeFeedRate = "0"; }, false,
         "Plunge feed rate must be a number greater than 0..."},
        {"tolerance 0", [](TrimDialogFields& f) { f.arcTolerance = "0.0"; }, false,
         "Chordal deviation tolerance must be a number greater than 0..."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TrimDialogFields fields;
        fields.primaryRapidPlane = "10";
        fields.secondaryRapidPlane = "0.1";
        fields.left = "0";
        fields.right = "1";
        fields.top = "1";
        fields.bottom = "0";
        fields.deepestZValue = "-1";
        c.edit(fields);
        const TrimParametersInput input = readTrimParameters(fields, c.polygon);
        EXPECT_EQ(input.problem, c.problem);
    }
}

TEST(TrimParameters, UsableFieldsBecomeTheParameters) {
    TrimDialogFields fields;
    fields.primaryRapidPlane = "12.5";
    fields.secondaryRapidPlane = ".25";
    fields.absoluteSecondaryPlane = false;
    fields.left = "-1";
    fields.right = "2";
    fields.top = "3";
    fields.bottom = "-4";
    fields.stayInsideTrimWindow = false;
    fields.deepestZValue = "-0.5";
    fields.limitZTravel = true;
    fields.removeWastedMoves = true;
    fields.plungeFeedRate = "80";
    fields.useRapidTraverse = false;
    fields.arcTolerance = "0.01";
    const TrimParametersInput input = readTrimParameters(fields, false);
    ASSERT_TRUE(input.ok()) << input.problem;
    const TrimParameters& p = input.parameters;
    EXPECT_EQ(p.primaryPlane, 12.5);
    EXPECT_EQ(p.secondaryPlane, 0.25);
    EXPECT_FALSE(p.absoluteSecondaryPlane);
    EXPECT_EQ(p.box.left, -1);
    EXPECT_EQ(p.box.bottom, -4);
    EXPECT_EQ(p.box.right, 2);
    EXPECT_EQ(p.box.top, 3);
    EXPECT_FALSE(p.keepInside);
    EXPECT_EQ(p.deepestZ, -0.5);
    EXPECT_TRUE(p.limitZTravel);
    EXPECT_TRUE(p.removeWastedMoves);
    EXPECT_EQ(p.plungeFeed, 80);
    EXPECT_FALSE(p.rapidPositioning);
    EXPECT_EQ(p.arcTolerance, 0.01);
}

} // namespace
} // namespace korvix::test
