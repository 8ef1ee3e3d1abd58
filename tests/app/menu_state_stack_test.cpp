#include "app/menu_state_stack.h"

#include <gtest/gtest.h>

namespace korvix {
namespace {

MenuStates statesNumbered(int n) {
    MenuStates states{};
    for (int bit = 0; bit < kMenuStateItems; ++bit)
        states[static_cast<std::size_t>(bit)] = ((n >> (bit % 5)) & 1) != 0;
    states[12] = n % 2 == 0;
    return states;
}

TEST(MenuStateStack, ElevenPushesOverwriteTheTenthSet) {
    MenuStateStack stack;
    for (int push = 1; push <= 11; ++push)
        stack.push(statesNumbered(push));
    EXPECT_EQ(stack.depth(), 10);
    // The first pop returns what the eleventh push saved; the tenth push's set is gone.
    EXPECT_EQ(stack.pop(), statesNumbered(11));
    for (int push = 9; push >= 1; --push)
        EXPECT_EQ(stack.pop(), statesNumbered(push));
    EXPECT_EQ(stack.depth(), 0);
    EXPECT_FALSE(stack.pop()); // the eleventh pop does nothing
}

} // namespace
} // namespace korvix
