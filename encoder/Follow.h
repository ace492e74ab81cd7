// Follows one FFmpeg encoding to its end: turns its progress into the
// converter's progress lines, keeps the converter informed while FFmpeg is
// quiet, and passes a quit on to FFmpeg.
#pragma once

#include "encoder/ToolHost.h"

#include <atomic>
#include <functional>
#include <string>

// The longest silence toward the converter while FFmpeg works. The converter
// is promised a line at least every 0.4 s; the rest is the margin for a late
// wake-up on a busy machine.
const unsigned long QUIET_MILLISECONDS = 250;

struct FollowOutcome {
    int exitCode = 0;
    bool quit = false;  // the converter stopped the encoding
};

using LinePrinter = std::function<void(const std::string&)>;
using MillisecondClock = std::function<unsigned long()>;

// Prints progress lines through `print` until FFmpeg ends; once
// `quitRequested` is set, asks FFmpeg to finish (again after a while if it
// does not) and prints nothing more.
FollowOutcome FollowEncoding(EncodingRun& run, const std::atomic<bool>& quitRequested, const LinePrinter& print,
                             const MillisecondClock& now);
