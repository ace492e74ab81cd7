#include "ui/BatchLoop.h"

#include "app/AppServices.h"
#include "ui/OutputNaming.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

enum class RowOutcome { Converted, Stopped, Failed };

void LogBatchError(const char* format, const char* path)
{
    char text[MEDIA_PATH_CHARS + 128];
    snprintf(text, sizeof text, format, BATCH_MODULE_ID, path);
    LogEvent(EVENTLOG_ERROR_TYPE, EVENT_ID_ERROR, text);
}

bool SourceFileExists(const char* path)
{
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A cut path would write the output somewhere the user never chose.
bool StoreOutputBase(IBatchHost& host, MediaItem& item)
{
    const std::string base = ComposeOutputBase(host.OutputDirectoryText(), item.m_szSourcePath);
    if (!OutputPathFits(base, MEDIA_PATH_CHARS))
        return false;
    memcpy(item.m_szOutputPath, base.c_str(), base.size() + 1);
    return true;
}

void ShowPathTooLong(IBatchHost& host, const MediaItem& item)
{
    LogBatchError("Module ID:%x Output path too long for :%s", item.m_szSourcePath);
    char text[MEDIA_PATH_CHARS + 256];
    snprintf(text, sizeof text,
             "The output file for \"%s\" would not fit in %d characters. "
             "Please choose a shorter output directory.",
             item.m_szSourcePath, MEDIA_PATH_CHARS);
    host.ShowMessage(text);
}

// After the engine: only a file that really holds data makes the row converted.
RowOutcome SettleRow(IBatchHost& host, int row, MediaItem& item, int result)
{
    const bool stopped = host.StopRequested();
    host.ClearStopRequest();
    const bool made = result == 1 && OutputFileMade(item.m_szOutputPath);
    if (made) {
        item.m_bConverted = 1;
        host.ShowRowConverted(row);
    }
    if (stopped)
        return made ? RowOutcome::Stopped : RowOutcome::Failed;
    if (made)
        return RowOutcome::Converted;
    if (result == 1)
        LogBatchError("Module ID:%x Can not convert file :%s ", item.m_szOutputPath);
    else
        LogBatchError("Module ID:%x 123Can not convert file :%s", item.m_szOutputPath);
    host.ShowConvertNotice();
    return RowOutcome::Failed;
}

int EndFailed(IBatchHost& host)
{
    host.EnableCommands(true);
    return 0;
}

int Complete(IBatchHost& host)
{
    if (host.ShutdownWanted()) {
        host.ShutdownComputer();
        return 1;
    }
    host.ShowMessage(MSG_BATCH_DONE);
    host.EnableCommands(true);
    return 1;
}

}  // namespace

bool OutputFileMade(const char* path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data))
        return false;
    return !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && (data.nFileSizeLow || data.nFileSizeHigh);
}

void BeginBatch(IBatchHost& host)
{
    host.ClearStopRequest();
    host.EnableCommands(false);
}

int RunBatchLoop(IBatchHost& host)
{
    const int rows = host.RowCount();
    if (rows <= 0) {
        host.ShowMessage(MSG_EMPTY_LIST);
        return EndFailed(host);
    }
    bool convertedAny = false;
    for (int row = 0; row < rows; ++row) {
        MediaItem& item = host.Item(row);
        if (item.m_bConverted == 1)
            continue;
        // Stop clicked between two rows: the next one never starts.
        if (host.StopRequested()) {
            host.ClearStopRequest();
            return convertedAny ? Complete(host) : EndFailed(host);
        }
        host.MarkRowActive(row);
        if (!SourceFileExists(item.m_szSourcePath)) {
            LogBatchError("Module ID:%x Can not find file :%s", item.m_szSourcePath);
            host.ShowMessage(MSG_MISSING_SOURCE);
            return EndFailed(host);
        }
        if (!StoreOutputBase(host, item)) {
            ShowPathTooLong(host, item);
            return EndFailed(host);
        }
        if (!host.FillItemSettings(item))
            return EndFailed(host);
        switch (SettleRow(host, row, item, host.Convert(item))) {
        case RowOutcome::Converted:
            convertedAny = true;
            break;
        case RowOutcome::Stopped:
            return Complete(host);
        case RowOutcome::Failed:
            return EndFailed(host);
        }
    }
    return Complete(host);
}
