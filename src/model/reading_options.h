#pragma once

namespace korvix {

// How NC programs are read, as the Options menu sets it for every later Open.
struct ReadingOptions {
    // Read g1x5 as G1 X5. Off by default: lower-case letters are no words.
    bool lowerCaseWords = false;
};

} // namespace korvix
