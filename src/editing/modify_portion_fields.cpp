#include "editing/modify_portion_fields.h"

#include "editing/field_reader.h"
#include "model/number_text.h"

#include <array>
#include <optional>

namespace korvix {
namespace {

constexpr std::array<ModifyPortionPageInfo, 5> kPages = {{
    {ModifyPortionPage::Delete, "Delete Geometry", "DeleteGeometryTabSheet",
     "Press \"OK\" to DELETE selected geometry..", true},
    {ModifyPortionPage::FeedRates, "Modify Feed Rates", "ModifyFeedRateTabSheet",
     "Press \"OK\" to MODIFY selected feed rates..", false},
    {ModifyPortionPage::Relocate, "Relocate Geometry", "RelocateGeometryTabSheet",
     "Press \"OK\" to RELOCATE selected geometry..", true},
    {ModifyPortionPage::StartPoint, "Relocate Start Point", "RelocateStartPointTabSheet",
     "Press \"OK\" to RELOCATE starting point..", false},
    {ModifyPortionPage::OptionalStop, "Optional Stop", "OptionalStopTabSheet",
     "Press \"OK\" to modify OPTIONAL STOP points..", false},
}};

} // namespace

std::span<const ModifyPortionPageInfo> modifyPortionPages() {
    return kPages;
}

const ModifyPortionPageInfo& modifyPortionPageInfo(ModifyPortionPage page) {
    return kPages[static_cast<std::size_t>(page)];
}

StartPointTexts startPointTexts(const GraphicsDatabase& database) {
    if (!database.databaseAllocated())
        return {};
    const MoveRecord& first = *database.first();
    return {startPointFieldText(first.x), startPointFieldText(first.y),
            startPointFieldText(first.z)};
}

ModifyPortionFieldsInput parseModifyPortionFields(ModifyPortionPage page,
                                                  const ModifyPortionFields& fields) {
    ModifyPortionFieldsInput input;
    ModifyPortionRequest& request = input.request;
    request.page = page;
    FieldReader read;
    switch (page) {
    case ModifyPortionPage::Relocate:
        request.dx = read.real(fields.relocateX);
        request.dy = read.real(fields.relocateY);
        request.dz = read.real(fields.relocateZ);
        break;
    case ModifyPortionPage::StartPoint:
        request.startX = read.real(fields.startX);
        request.startY = read.real(fields.startY);
        request.startZ = read.real(fields.startZ);
        break;
    case ModifyPortionPage::OptionalStop:
        request.enableOptionalStops = fields.optionalStopIndex == 1;
        break;
    case ModifyPortionPage::Delete:
    case ModifyPortionPage::FeedRates:
        break;
    }
    input.problem = read.problem();
    return input;
}

} // namespace korvix
