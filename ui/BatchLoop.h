// The batch conversion run without its windows: which rows it converts, in
// which order, what it checks and how it ends. The main dialog is the host
// that carries the decisions out on its controls.
#pragma once

#include "COMMON/MediaItem.h"

#include <string>

// Module id of the batch run's event-log entries.
constexpr unsigned BATCH_MODULE_ID = 0xFF0001;

// User messages of the run (caption "Info").
#define MSG_EMPTY_LIST "Please add media file ...."
#define MSG_MISSING_SOURCE " There is a internal error !Please restart the apllication to try again! "
#define MSG_BATCH_DONE " Media file has been generated."
// Names the output directory that refused a file.
#define MSG_OUTPUT_DIR_REFUSED "The output directory \"%s\" cannot be written. Please choose another output directory."

class IBatchHost {
public:
    virtual ~IBatchHost() = default;

    virtual int RowCount() = 0;
    virtual MediaItem& Item(int row) = 0;
    // Selects the row and gives it the focus; rows selected before stay so.
    virtual void MarkRowActive(int row) = 0;
    virtual void ShowRowConverted(int row) = 0;
    virtual std::string OutputDirectoryText() = 0;
    // Copies the settings panel into the item; false when no family is chosen.
    virtual bool FillItemSettings(MediaItem& item) = 0;
    // Runs the engine on the item: 1 for a run without error lines. With
    // `anotherFollows` the engine readies the next row's encoder meanwhile.
    virtual int Convert(MediaItem& item, bool anotherFollows) = 0;
    // The run ends: the engine lets go of an encoder readied for a next row.
    virtual void EndConversions() = 0;
    virtual bool StopRequested() = 0;
    virtual void ClearStopRequest() = 0;
    virtual void ShowMessage(const char* text) = 0;
    virtual void ShowConvertNotice() = 0;
    virtual bool ShutdownWanted() = 0;
    // A completed run with the shut-down option: the computer shuts down
    // unless the user stops it in time, which brings the commands back.
    virtual void OfferShutdown() = 0;
    virtual void EnableCommands(bool idle) = 0;
};

// Convert, on the user-interface thread before the worker starts. An output
// directory that takes no file is named in a message and nothing starts
// (false): no row is touched, and every row stays as it was. Otherwise a
// stop request left from before (Stop clicked while nothing ran) must not
// end the new run, and the controls switch to the running state (true).
bool BeginBatch(IBatchHost& host);

// The run itself, on the worker. 1 when it completed (every row done), 0
// when it ended on an error, a failure or a stop; only a completed run
// reports its end or offers to shut the computer down.
int RunBatchLoop(IBatchHost& host);

// True when `path` names an existing file (not a folder) that holds data.
bool OutputFileMade(const char* path);
