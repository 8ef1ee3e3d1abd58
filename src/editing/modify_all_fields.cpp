#include "editing/modify_all_fields.h"

#include "editing/field_reader.h"
#include "model/number_text.h"

#include <array>
#include <optional>

namespace korvix {
namespace {

constexpr std::array<ModifyAllPageInfo, 5> kPages = {{
    {ModifyAllPage::Mirror, "Mirror Geometry", "MirrorGeometryTabSheet",
     "Press \"OK\" to MIRROR geometry..", true},
    {ModifyAllPage::FeedRates, "Modify Feed Rates", "ModifyFeedRateTabSheet",
     "Press \"OK\" to MODIFY feed rates..", false},
    {ModifyAllPage::Relocate, "Relocate Geometry", "RelocateGeometryTabSheet",
     "Press \"OK\" to RELOCATE geometry..", true},
    {ModifyAllPage::Rotate, "Rotate Geometry", "RotateGeometryTabSheet",
     "Press \"OK\" to ROTATE geometry..", true},
    {ModifyAllPage::Scale, "Scale Geometry", "ScaleGeometryTabSheet",
     "Press \"OK\" to SCALE geometry..", true},
}};

} // namespace

std::span<const ModifyAllPageInfo> modifyAllPages() {
    return kPages;
}

const ModifyAllPageInfo& modifyAllPageInfo(ModifyAllPage page) {
    return kPages[static_cast<std::size_t>(page)];
}

ModifyAllFieldsInput parseModifyAllFields(ModifyAllPage page, const ModifyAllFields& fields) {
    ModifyAllFieldsInput input;
    ModifyAllRequest& request = input.request;
    request.page = page;
    FieldReader read;
    switch (page) {
    case ModifyAllPage::Mirror:
        request.mirror = {fields.mirrorX, fields.mirrorY, fields.copy};
        break;
    case ModifyAllPage::FeedRates:
        break;
    case ModifyAllPage::Relocate:
        request.relocate.dx = read.real(fields.relocateX);
        request.relocate.dy = read.real(fields.relocateY);
        request.relocate.dz = read.real(fields.relocateZ);
        request.relocate.copies = read.integer(fields.relocationCopies);
        break;
    case ModifyAllPage::Rotate:
        request.rotate.angle = read.real(fields.rotationAngle);
        request.rotate.aboutX = read.real(fields.rotationX);
        request.rotate.aboutY = read.real(fields.rotationY);
        request.rotate.copies = read.integer(fields.rotationCopies);
        break;
    case ModifyAllPage::Scale:
        request.scale.factor = read.real(fields.scaleFactor);
        break;
    }
    input.problem = read.problem();
    return input;
}

FeedPageView feedPageView(const FeedRateTable& table) {
    FeedPageView view;
    view.previousEnabled = table.canStepBack();
    view.nextEnabled = table.canStepForward();
    if (const FeedRateEntry* entry = table.currentEntry()) {
        view.oldFeedText = fixed7(entry->oldFeed, 2);
        view.newFeedText = fixed7(entry->newFeed, 2);
        view.color = entry->color;
    }
    return view;
}

void activateFeedPage(FeedRateTable& table) {
    table.setCurrent(1);
}

std::string storeNewFeedRate(FeedRateTable& table, std::string_view text) {
    if (const std::optional<char> bad = firstNonNumericChar(text))
        return nonNumericMessage(*bad);
    const RealConversion converted = convertFloat32(text);
    if (!converted.ok())
        return conversionMessage(converted.error, text);
    // A negative feed would run the cutting time backwards and no control takes it.
    if (converted.value < 0)
        return conversionMessage(ConversionError::Range, text);
    if (FeedRateEntry* entry = table.currentEntry())
        entry->newFeed = static_cast<float>(converted.value);
    return {};
}

void changeFeedColor(FeedRateTable& table, Rgb color) {
    if (FeedRateEntry* entry = table.currentEntry())
        entry->color = color;
}

} // namespace korvix
