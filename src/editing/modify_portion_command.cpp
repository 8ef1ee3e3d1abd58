#include "editing/modify_portion_command.h"

#include "editing/modify_all_preview.h"
#include "editing/modify_all_texts.h"
#include "editing/modify_portion_texts.h"

#include <utility>

namespace korvix {
namespace {

void reportFailure(Reporter& reporter, ModifyAllStatus status) {
    if (status == ModifyAllStatus::OutOfMemory) {
        reporter.status(kModifyPortionOutOfMemoryStatus);
        return;
    }
    const ModifyAllFailureMessage message = modifyAllFailureMessage(status);
    if (message.text.empty())
        return;
    if (message.errorBox)
        reporter.error(message.text);
    else
        reporter.status(message.text);
}

void callRedraw(const std::function<void()>& redraw) {
    if (redraw)
        redraw();
}

} // namespace

bool beginModifyPortion(GraphicsDatabase& database, FeedRateTable& table, Reporter& reporter) {
    reporter.status("");
    if (!database.databaseAllocated() || !database.status.ncLoaded)
        return false;
    deselectPartialArcs(database);
    buildFeedRateTable(database, table, FeedRateMoves::SelectedOnly);
    if (table.overflow())
        reporter.status(kFeedRateTableFullStatus);
    return true;
}

void cancelModifyPortion(Reporter& reporter) {
    reporter.status(kModifyPortionCanceledStatus);
}

ModifyPortionResult okModifyPortion(GraphicsDatabase& database, const ModifyPortionRequest& request,
                                    const FeedRateTable& table, Reporter& reporter,
                                    MessagePump& pump) {
    pump.pumpNow();
    const ModifyPortionResult result = applyModifyPortion(database, request, table, &pump);
    reportFailure(reporter, result.status);
    return result;
}

PreviewOutcome previewModifyPortion(GraphicsDatabase& database, const ModifyPortionRequest& request,
                                    const FeedRateTable& table, Reporter& reporter,
                                    MessagePump& pump, const std::function<void()>& redraw,
                                    ChunkAllocator allocator) {
    if (!modifyPortionBuildsPreview(request.page)) {
        if (request.page == ModifyPortionPage::FeedRates)
            reporter.status(kModifyAllFeedPreviewStatus);
        if (!reporter.confirm(kKeepModificationQuestion))
            return PreviewOutcome::Discarded;
        const ModifyPortionResult result = applyModifyPortion(database, request, table, &pump);
        if (!result.ok()) {
            reportFailure(reporter, result.status);
            return PreviewOutcome::Failed;
        }
        callRedraw(redraw);
        return PreviewOutcome::Kept;
    }
    pump.pumpNow();
    ModifyAllPreviewBuild build = buildModifyPortionPreview(database, request, &pump, allocator);
    if (!build.ok()) {
        reportFailure(reporter, build.status);
        return PreviewOutcome::Failed;
    }
    return askAboutPreview(database, std::move(build.preview), reporter, redraw)
               ? PreviewOutcome::Kept
               : PreviewOutcome::Discarded;
}

} // namespace korvix
