#include "input/ui/background_read.h"

#include "ui/main_window.h"
#include "ui/wait_while.h"

#include <QCoreApplication>
#include <QTimer>

namespace korvix::ui {
namespace {

// How often the window looks at the read: often enough for a smooth bar and a prompt
// Cancel, rare enough to cost nothing.
constexpr int kPollMilliseconds = 40;

} // namespace

std::unique_ptr<NcReadJob> readInBackground(Tf& window, const QString& fileName,
                                            const NcReadOptions& options) {
    Workspace& ws = window.workspace();
    auto job = std::make_unique<NcReadJob>(ws.database, ws.tools, fileName.toStdString(), options);
    window.beginProgress();
    ws.pump.clearCancel();

    QTimer poll;
    poll.setInterval(kPollMilliseconds);
    QObject::connect(&poll, &QTimer::timeout, [&ws, &window, &job] {
        ws.pump.setProgress(job->bytesRead(), job->fileSize());
        window.refreshProgress();
        // Esc and Cancel ask through the window's pump; the request stands until the read
        // has seen it.
        if (ws.pump.cancelRequested())
            job->requestCancel();
    });
    poll.start();
    // The event loop sleeps between events; the end of the read is one, so that the
    // window goes on without waiting for the next poll.
    job->start([] {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [] {}, Qt::QueuedConnection);
    });
    waitWhile([&job] { return !job->done(); });
    poll.stop();
    // A request the read came too late to see still counts: the user asked for nothing.
    if (ws.pump.cancelRequested())
        job->requestCancel();
    ws.pump.clearCancel();
    return job;
}

} // namespace korvix::ui
