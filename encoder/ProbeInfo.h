// The "-info" answer: duration, frame width and frame height of a media file.
#pragma once

#include <string>
#include <vector>

// The ffprobe arguments whose output ParseProbeOutput reads.
std::vector<std::string> ProbeArguments(const std::string& path);

struct MediaFacts {
    double duration = 0.0;  // seconds, 0 when unknown
    int seconds = 0;        // whole seconds, at least 1 for any positive duration
    int width = 0;    // 0 when the file has no picture
    int height = 0;
};

// Reads ffprobe's "flat" output: the duration of the file and the size of its
// first video stream that is not an attached cover picture.
MediaFacts ParseProbeOutput(const std::string& output);

// "Duration:%d Width:%d Height:%d" and a line feed.
std::string FormatMediaFacts(const MediaFacts& facts);
