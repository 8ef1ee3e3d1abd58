#pragma once

#include "editing/modify_all.h"
#include "editing/modify_all_texts.h"
#include "model/feed_rate_table.h"
#include "model/move_record.h"

#include <span>
#include <string>
#include <string_view>

namespace korvix {

// What the window needs to know about each page of the Modify all dialog.
struct ModifyAllPageInfo {
    ModifyAllPage page;
    std::string_view caption;   // the tab's text
    std::string_view component; // the tab sheet's object name
    std::string_view status;    // the dialog's status text while the page is active
    bool previewEnabled;        // "&Preview" when the user turns to the page
};

// The five pages in the dialog's order.
std::span<const ModifyAllPageInfo> modifyAllPages();
const ModifyAllPageInfo& modifyAllPageInfo(ModifyAllPage page);
// The page active when the dialog is first shown.
inline constexpr ModifyAllPage kModifyAllDesignPage = ModifyAllPage::Relocate;

// The dialog's fields as typed, with their design-time defaults. The dialog keeps its texts
// from one command to the next; the values are read when the command runs.
struct ModifyAllFields {
    bool mirrorX = false;
    bool mirrorY = false;
    bool copy = false;
    std::string relocateX{kCoordinateFieldDefault};
    std::string relocateY{kCoordinateFieldDefault};
    std::string relocateZ{kCoordinateFieldDefault};
    std::string relocationCopies{kCopiesFieldDefault};
    std::string rotationAngle{kCoordinateFieldDefault};
    std::string rotationX{kCoordinateFieldDefault};
    std::string rotationY{kCoordinateFieldDefault};
    std::string rotationCopies{kCopiesFieldDefault};
    std::string scaleFactor{kScaleFactorFieldDefault};
};

struct ModifyAllFieldsInput {
    ModifyAllRequest request;
    std::string problem; // the error box to show (and the dialog again); empty when usable
    bool ok() const { return problem.empty(); }
};

// Converts the fields of `page` (the other pages' fields are not looked at). A field with a
// character that is not "+", "-", "." or a digit gives the non-numeric message of the first
// one; then the conversion messages ("'1.2.3' is not a valid floating point value",
// "'x' is not a valid integer value", "Range check error").
ModifyAllFieldsInput parseModifyAllFields(ModifyAllPage page, const ModifyAllFields& fields);

// The feed rate page's view of the current entry: old and new feed with two decimals and
// the entry's colour; empty texts when the table is empty.
struct FeedPageView {
    std::string oldFeedText;
    std::string newFeedText;
    Rgb color = kBlack;
    bool previousEnabled = false;
    bool nextEnabled = false;
};
FeedPageView feedPageView(const FeedRateTable& table);

// FormActivate: the first entry becomes current.
void activateFeedPage(FeedRateTable& table);

// NewFeedRateEditExit: stores the text as the current entry's new feed. Returns the error to
// show, and stores nothing, when the text has a non-numeric character (the first one is
// named), does not convert, or is negative ("Range check error"); empty when stored (or when
// there is no entry to store into).
std::string storeNewFeedRate(FeedRateTable& table, std::string_view text);

// ChangeColorButtonClick after the colour dialog was accepted.
void changeFeedColor(FeedRateTable& table, Rgb color);

} // namespace korvix
