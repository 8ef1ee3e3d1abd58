#include "editing/modify_all_command.h"

#include "editing/modify_all_preview.h"
#include "editing/modify_all_texts.h"

#include <utility>

namespace korvix {
namespace {

void reportFailure(Reporter& reporter, ModifyAllStatus status) {
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

bool beginModifyAll(const GraphicsDatabase& database, FeedRateTable& table, Reporter& reporter) {
    reporter.status("");
    if (!database.databaseAllocated() || !database.status.ncLoaded)
        return false;
    buildFeedRateTable(database, table);
    if (table.overflow())
        reporter.status(kFeedRateTableFullStatus);
    return true;
}

void cancelModifyAll(Reporter& reporter) {
    reporter.status(kModifyAllCanceledStatus);
}

ModifyAllResult okModifyAll(GraphicsDatabase& database, const ModifyAllRequest& request,
                            const FeedRateTable& table, Reporter& reporter, MessagePump& pump) {
    pump.pumpNow();
    const ModifyAllResult result = applyModifyAll(database, request, table, &pump);
    reportFailure(reporter, result.status);
    return result;
}

PreviewOutcome previewModifyAll(GraphicsDatabase& database, const ModifyAllRequest& request,
                                const FeedRateTable& table, Reporter& reporter, MessagePump& pump,
                                const std::function<void()>& redraw, ChunkAllocator allocator) {
    if (request.page == ModifyAllPage::FeedRates) {
        reporter.status(kModifyAllFeedPreviewStatus);
        if (!reporter.confirm(kKeepModificationQuestion))
            return PreviewOutcome::Discarded;
        // Keeping what was previewed is keeping the feed changes.
        applyFeedRateChange(database, table);
        callRedraw(redraw);
        return PreviewOutcome::Kept;
    }
    pump.pumpNow();
    ModifyAllPreviewBuild build = buildModifyAllPreview(database, request, &pump, allocator);
    if (!build.ok()) {
        reportFailure(reporter, build.status);
        return PreviewOutcome::Failed;
    }
    return askAboutPreview(database, std::move(build.preview), reporter, redraw)
               ? PreviewOutcome::Kept
               : PreviewOutcome::Discarded;
}

} // namespace korvix
