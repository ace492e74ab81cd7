// Where the time of a conversion goes, for bench/convert_ratio.sh: when the
// environment variable VEC_STAGE_TIMES names a file, the converter and vec.exe
// note the end of each stage of a run and append them to that file when the
// run ends, one line "<stage> <microseconds>" each, on the clock of
// NowMicroseconds. The converter notes its start-up the same way for
// bench/startup_ratio.sh. Without the variable nothing is noted or written.
// Any thread may mark.
#pragma once

#include <string>

struct _FILETIME;

// The system clock in microseconds (since 1601), as precise as the system
// offers: the same clock in every process of the machine.
long long NowMicroseconds();

// A FILETIME (a point on that clock, or a duration) in microseconds.
long long FileTimeMicroseconds(const _FILETIME& time);

// Notes that `stage` ends now (or at `atMicroseconds`).
void MarkStage(const std::string& stage);
void MarkStageAt(const std::string& stage, long long atMicroseconds);

// Notes a measured value that is not a point in time (for example a processor
// time in microseconds); the bench tells such names from stages.
void NoteStageValue(const std::string& name, long long value);

// The processor time (user and system) of a host shell's children in
// microseconds, from the output of its `times` builtin within `text` (the
// last line of the form "XmY.YYYs XmY.YYYs"); -1 when there is none.
long long ChildProcessorMicroseconds(const std::string& text);

// Notes the creation time of this process as the stage "created".
void MarkProcessCreated();

// Appends the noted stages to the file and forgets them.
void WriteStageTimes();

// True when stages are noted.
bool StageTimesWanted();
