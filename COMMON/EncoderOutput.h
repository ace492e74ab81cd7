// Reading the encoder's console output: assembling lines from pipe chunks and
// parsing progress lines and probe answers. Needs no window.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <vector>

// Splits a byte stream into lines ended by a line feed, dropping a carriage
// return directly before it. Lines may arrive split over any number of
// chunks; a double-byte character of the code page is never taken apart.
class LineAssembler {
public:
    explicit LineAssembler(UINT codePage = CP_ACP) : m_codePage(codePage) {}

    // Appends a chunk and returns the lines it completed, in order.
    std::vector<std::string> Feed(const char* data, size_t size);

    // Text received after the last line feed.
    const std::string& Pending() const { return m_pending; }
    std::string TakePending();

private:
    UINT m_codePage;
    std::string m_pending;
    bool m_bTrailByteDue = false;  // the previous chunk ended on a lead byte
};

// Reads the whole seconds of a progress line: six blank-separated words, then
// a word "time=<seconds>". Returns 1 and stores the value, or 0 when the line
// has any other form (`seconds` is then 0).
int ParseProgressSeconds(const char* line, int* seconds);

// Seconds as a whole percentage of the duration, truncated toward zero; 0
// for a duration that is not positive.
int ProgressPercent(int seconds, double duration);

// Reads "Duration:%d Width:%d Height:%d" from the start of one chunk of the
// encoder's "-info" answer. Fields that do not match keep their values.
void ParseProbeChunk(const char* chunk, int* duration, int* width, int* height);
