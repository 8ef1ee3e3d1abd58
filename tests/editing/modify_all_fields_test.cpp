#include "editing/modify_all_fields.h"
#include "editing/modify_all_texts.h"

#include <gtest/gtest.h>
#include <string>

namespace korvix::test {
namespace {

TEST(ModifyAllFields, PagesInDialogOrderWithTheirStatusTexts) {
    const auto pages = modifyAllPages();
    ASSERT_EQ(pages.size(), 5u);
    const char* statuses[] = {
        "Press \"OK\" to MIRROR geometry..", "Press \"OK\" to MODIFY feed rates..",
        "Press \"OK\" to RELOCATE geometry..", "Press \"OK\" to ROTATE geometry..",
        "Press \"OK\" to SCALE geometry.."};
    for (std::size_t i = 0; i < pages.size(); ++i) {
        EXPECT_EQ(static_cast<std::size_t>(pages[i].page), i);
        EXPECT_EQ(pages[i].status, statuses[i]);
        // Only the feed rate page has nothing to preview.
        EXPECT_EQ(pages[i].previewEnabled, pages[i].page != ModifyAllPage::FeedRates);
        EXPECT_EQ(&modifyAllPageInfo(pages[i].page), &pages[i]);
    }
    EXPECT_EQ(modifyAllPageInfo(kModifyAllDesignPage).component, "RelocateGeometryTabSheet");
}

TEST(ModifyAllFields, DefaultsConvertToTheIdentity) {
    const ModifyAllFields fields;
    for (const ModifyAllPageInfo& info : modifyAllPages()) {
        const ModifyAllFieldsInput input = parseModifyAllFields(info.page, fields);
        ASSERT_TRUE(input.ok()) << input.problem;
        EXPECT_EQ(input.request.page, info.page);
    }
    const ModifyAllRequest scale = parseModifyAllFields(ModifyAllPage::Scale, fields).request;
    EXPECT_EQ(scale.scale.factor, 1);
    const ModifyAllRequest relocate = parseModifyAllFields(ModifyAllPage::Relocate, fields).request;
    EXPECT_EQ(relocate.relocate.dx, 0);
    EXPECT_EQ(relocate.relocate.copies, 0);
    EXPECT_EQ(fields.relocateX, "0.000");
    EXPECT_EQ(fields.relocationCopies, "0");
    EXPECT_EQ(fields.scaleFactor, "1.000");
}

TEST(ModifyAllFields, ValuesOfTheActivePageOnly) {
    ModifyAllFields fields;
    fields.rotationAngle = "-22.5";
    fields.rotationX = "+3";
    fields.rotationY = ".5";
    fields.rotationCopies = "4";
    fields.scaleFactor = "abc"; // another page: not looked at
    const ModifyAllFieldsInput input = parseModifyAllFields(ModifyAllPage::Rotate, fields);
    ASSERT_TRUE(input.ok()) << input.problem;
    EXPECT_EQ(input.request.rotate.angle, -22.5);
    EXPECT_EQ(input.request.rotate.aboutX, 3);
    EXPECT_EQ(input.request.rotate.aboutY, 0.5);
    EXPECT_EQ(input.request.rotate.copies, 4);

    fields.mirrorY = true;
    fields.copy = true;
    const ModifyAllRequest mirror = parseModifyAllFields(ModifyAllPage::Mirror, fields).request;
    EXPECT_FALSE(mirror.mirror.mirrorX);
    EXPECT_TRUE(mirror.mirror.mirrorY);
    EXPECT_TRUE(mirror.mirror.copy);
}

TEST(ModifyAllFields, TheFirstProblemIsReported) {
    struct Case {
        ModifyAllPage page;
        std::string ModifyAllFields::*field;
        const char* text;
        const char* problem;
    };
    const Case cases[] = {
        {ModifyAllPage::Relocate, &ModifyAllFields::relocateY, "1,5",
         "Non-numeric charactor found in input data \",\"..."},
        {ModifyAllPage::Relocate, &ModifyAllFields::relocateZ, "1.2.3",
         "'1.2.3' is not a valid floating point value"},
        {ModifyAllPage::Relocate, &ModifyAllFields::relocationCopies, "2.5",
         "'2.5' is not a valid integer value"},
        {ModifyAllPage::Rotate, &ModifyAllFields::rotationX, "",
         "'' is not a valid floating "
         "point value"},
        {ModifyAllPage::Scale, &ModifyAllFields::scaleFactor,
         "1000000000000000000000000000000000000000", "Range check error"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ModifyAllFields fields;
        fields.*c.field = c.text;
        fields.rotationCopies = "x"; // reported only when nothing before it was wrong
        const ModifyAllFieldsInput input = parseModifyAllFields(c.page, fields);
        EXPECT_EQ(input.problem, c.problem);
    }
}

TEST(ModifyAllFields, FeedPageShowsAndStoresTheCurrentEntry) {
    FeedRateTable table;
    FeedPageView view = feedPageView(table);
    EXPECT_EQ(view.oldFeedText, "");
    EXPECT_FALSE(view.previousEnabled);
    EXPECT_FALSE(view.nextEnabled);
    EXPECT_EQ(storeNewFeedRate(table, "12"), ""); // nothing to store into, no harm

    table.add(100, kWhite);
    table.add(1234.567, makeRgb(1, 2, 3));
    table.setCurrent(2);
    activateFeedPage(table);
    view = feedPageView(table);
    EXPECT_EQ(view.oldFeedText, "100.00");
    EXPECT_FALSE(view.previousEnabled);
    EXPECT_TRUE(view.nextEnabled);
    table.stepForward();
    view = feedPageView(table);
    EXPECT_EQ(view.oldFeedText, "1234.57");
    EXPECT_EQ(view.color, makeRgb(1, 2, 3));
    EXPECT_TRUE(view.previousEnabled);
    EXPECT_FALSE(view.nextEnabled);

    struct Store {
        const char* text;
        const char* problem;
    };
    const Store stores[] = {
        {"12a5", "Non-numeric charactor found in input data \"a\"..."},
        {"1..2", "'1..2' is not a valid floating point value"},
        {"-5", "Range check error"},
    };
    for (const Store& s : stores) {
        EXPECT_EQ(storeNewFeedRate(table, s.text), s.problem);
        EXPECT_EQ(table.entry(2).newFeed, 1234.567f) << "nothing stored for " << s.text;
    }
    EXPECT_EQ(storeNewFeedRate(table, "750.5"), "");
    EXPECT_EQ(table.entry(2).newFeed, 750.5f);
    EXPECT_EQ(feedPageView(table).newFeedText, "750.50");
    EXPECT_EQ(table.entry(1).newFeed, 100);
    changeFeedColor(table, kBlack);
    EXPECT_EQ(table.entry(2).color, kBlack);
}

} // namespace
} // namespace korvix::test
