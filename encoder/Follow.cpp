#include "encoder/Follow.h"

#include "encoder/Progress.h"

#include <algorithm>

namespace {

// How often FFmpeg's progress is looked at while it works; its end is seen at once.
const unsigned long POLL_MILLISECONDS = 50;
// How long FFmpeg gets to finish its file after a quit before being asked again.
const unsigned long QUIT_REPEAT_MILLISECONDS = 2000;
const int QUIT_SENDS = 3;

}  // namespace

FollowOutcome FollowEncoding(EncodingRun& run, const std::atomic<bool>& quitRequested, const LinePrinter& print,
                             const MillisecondClock& now)
{
    ProgressReporter reporter(print);
    FollowOutcome outcome;
    unsigned long quitSentAt = 0;
    int sends = 0;
    for (;;) {
        // After a quit nobody reads our output any more: print nothing, so
        // that a full pipe can never hold the encoder back from exiting.
        std::string progress = run.TakeProgress();
        if (!outcome.quit)
            reporter.Feed(progress, now());
        if (run.HasEnded(outcome.exitCode))
            break;
        if (quitRequested && sends < QUIT_SENDS && (sends == 0 || now() - quitSentAt >= QUIT_REPEAT_MILLISECONDS)) {
            run.RequestQuit();
            quitSentAt = now();
            ++sends;
            outcome.quit = true;
        }
        unsigned long wait = POLL_MILLISECONDS;
        if (!outcome.quit) {
            // Never sleeps past the moment the next keep-alive line is due.
            reporter.KeepAlive(now(), QUIET_MILLISECONDS);
            wait = std::min(wait, reporter.MillisecondsToKeepAlive(now(), QUIET_MILLISECONDS));
        }
        run.WaitForEnd(wait);
    }
    std::string lastProgress = run.TakeProgress();
    if (!outcome.quit)
        reporter.Feed(lastProgress, now());
    return outcome;
}
