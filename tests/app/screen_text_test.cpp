#include "app/screen_text.h"

#include <gtest/gtest.h>

namespace korvix::test {
namespace {

TEST(ScreenText, TheFirstTextOffersTheFileNameInUpperCase) {
    for (const char* path :
         {"/home/cam/jobs/part1.nc", "C:\\NC\\part1.nc", "part1.nc", "../Part1.Nc"}) {
        ScreenTexts texts;
        ASSERT_TRUE(beginScreenText(texts));
        const auto first = placeScreenText(texts, {100, 50}, 700, path);
        ASSERT_TRUE(first.has_value());
        EXPECT_EQ(first->initialText, "PART1.NC") << path;
        EXPECT_EQ(first->at, (PixelPoint{100, 50}));
        EXPECT_EQ(first->width, 600);
        EXPECT_EQ(texts.entries[0].x, 100);
        EXPECT_EQ(texts.entries[0].y, 50);
        ASSERT_TRUE(beginScreenText(texts));
        EXPECT_EQ(placeScreenText(texts, {3, 4}, 700, path)->initialText, "")
            << "only the first text is offered the name";
    }
}

TEST(ScreenText, AtMostAHundredTexts) {
    ScreenTexts texts;
    for (int i = 0; i < ScreenTexts::kMaxTexts; ++i)
        ASSERT_TRUE(beginScreenText(texts));
    EXPECT_FALSE(beginScreenText(texts));
    EXPECT_EQ(texts.entries.size(), 100u);
}

TEST(ScreenText, NoTextBegunNothingPlaced) {
    ScreenTexts texts;
    EXPECT_FALSE(placeScreenText(texts, {1, 2}, 700, "a.nc").has_value());
    finishScreenText(texts, "lost", FontSpec{});
    EXPECT_TRUE(texts.entries.empty());
}

TEST(ScreenText, FinishingCutsLongTextsAtACharacter) {
    const FontSpec font{"Serif", 20, false, true, kWhite};
    const struct {
        std::string typed;
        std::size_t kept;
    } cases[] = {
        {"PART1.NC", 8},
        {std::string(300, 'x'), 255},
        // 254 ASCII bytes and a two-byte character: the character does not fit whole.
        {std::string(254, 'x') + "\xC3\xA9", 254},
        {std::string(253, 'x') + "\xC3\xA9", 255},
    };
    for (const auto& c : cases) {
        ScreenTexts texts;
        beginScreenText(texts);
        finishScreenText(texts, c.typed, font);
        EXPECT_EQ(texts.entries.back().text, c.typed.substr(0, c.kept));
        EXPECT_EQ(texts.font, font);
    }
}

} // namespace
} // namespace korvix::test
