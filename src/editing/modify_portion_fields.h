#pragma once

#include "editing/modify_all_texts.h"
#include "editing/modify_portion.h"
#include "model/graphics_database.h"

#include <span>
#include <string>
#include <string_view>

namespace korvix {

// What the window needs to know about each page of the Modify Selected Geometry dialog.
struct ModifyPortionPageInfo {
    ModifyPortionPage page;
    std::string_view caption;   // the tab's text
    std::string_view component; // the tab sheet's object name
    std::string_view status;    // the dialog's status text while the page is active
    bool previewEnabled;        // "&Preview" when the user turns to the page
};

// The five pages in the dialog's order.
std::span<const ModifyPortionPageInfo> modifyPortionPages();
const ModifyPortionPageInfo& modifyPortionPageInfo(ModifyPortionPage page);

// The dialog's fields as typed. The relocation offsets keep their texts from one command to
// the next; the start point fields are filled in from the path at the start of each command.
struct ModifyPortionFields {
    std::string relocateX{kCoordinateFieldDefault};
    std::string relocateY{kCoordinateFieldDefault};
    std::string relocateZ{kCoordinateFieldDefault};
    std::string startX, startY, startZ;
    int optionalStopIndex = 0; // 0 disable, 1 enable
};

// The three start point texts of the path's first record (empty without data).
struct StartPointTexts {
    std::string x, y, z;
};
StartPointTexts startPointTexts(const GraphicsDatabase& database);

struct ModifyPortionFieldsInput {
    ModifyPortionRequest request;
    std::string problem; // the error box to show (and the dialog again); empty when usable
    bool ok() const { return problem.empty(); }
};

// Converts the fields of `page` (the other pages' fields are not looked at), with the same
// messages as the Modify all fields: the first non-numeric character, then the conversion.
ModifyPortionFieldsInput parseModifyPortionFields(ModifyPortionPage page,
                                                  const ModifyPortionFields& fields);

} // namespace korvix
