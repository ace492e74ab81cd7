#include "ui/BatchLoop.h"

#include "services/AppServices.h"
#include "ui/OutputNaming.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace {

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

void ShowOutputDirectoryRefused(IBatchHost& host, const std::string& folder)
{
    LogBatchError("Module ID:%x Can not write to directory :%s", folder.c_str());
    char text[MEDIA_PATH_CHARS + 256];
    snprintf(text, sizeof text, MSG_OUTPUT_DIR_REFUSED, folder.c_str());
    host.ShowMessage(text);
}

// After the engine: a row is converted only when it ran to its end and its
// file really holds data. A stopped encoder leaves a partial file under the
// usual name; the row stays unconverted, so the next Convert redoes it. An
// item the engine refused keeps the bare base as its path: a file of that
// name (the source itself, when it has no extension and lies in the output
// folder) is none of this run's.
bool SettleRow(IBatchHost& host, int row, MediaItem& item, int result, const std::string& base)
{
    const bool stopped = host.StopRequested();
    host.ClearStopRequest();
    if (stopped)
        return false;
    if (result == 1 && base != item.m_szOutputPath && OutputFileMade(item.m_szOutputPath)) {
        item.m_bConverted = 1;
        host.ShowRowConverted(row);
        return true;
    }
    if (result == 1)
        LogBatchError("Module ID:%x Can not convert file :%s ", item.m_szOutputPath);
    else
        LogBatchError("Module ID:%x 123Can not convert file :%s", item.m_szOutputPath);
    host.ShowConvertNotice();
    return false;
}

// A later row the run will reach, unless it ends first.
bool RowToConvertAfter(IBatchHost& host, int row, int rows)
{
    for (int next = row + 1; next < rows; ++next)
        if (host.Item(next).m_bConverted != 1)
            return true;
    return false;
}

// Errors, failures and stops: no completion message and no shut-down.
int EndUnfinished(IBatchHost& host)
{
    host.EndConversions();
    host.EnableCommands(true);
    return 0;
}

int Complete(IBatchHost& host)
{
    host.EndConversions();
    if (host.ShutdownWanted()) {
        host.OfferShutdown();
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

bool BeginBatch(IBatchHost& host)
{
    const std::string folder = host.OutputDirectoryText();
    if (!FolderAcceptsFiles(folder)) {
        ShowOutputDirectoryRefused(host, folder);
        return false;
    }
    host.ClearStopRequest();
    host.EnableCommands(false);
    return true;
}

int RunBatchLoop(IBatchHost& host)
{
    const int rows = host.RowCount();
    if (rows <= 0) {
        host.ShowMessage(MSG_EMPTY_LIST);
        return EndUnfinished(host);
    }
    for (int row = 0; row < rows; ++row) {
        MediaItem& item = host.Item(row);
        if (item.m_bConverted == 1)
            continue;
        // Stop clicked between two rows: the next one never starts.
        if (host.StopRequested()) {
            host.ClearStopRequest();
            return EndUnfinished(host);
        }
        host.MarkRowActive(row);
        if (!SourceFileExists(item.m_szSourcePath)) {
            LogBatchError("Module ID:%x Can not find file :%s", item.m_szSourcePath);
            host.ShowMessage(MSG_MISSING_SOURCE);
            return EndUnfinished(host);
        }
        if (!StoreOutputBase(host, item)) {
            ShowPathTooLong(host, item);
            return EndUnfinished(host);
        }
        if (!host.FillItemSettings(item))
            return EndUnfinished(host);
        const std::string base = item.m_szOutputPath;
        if (!SettleRow(host, row, item, host.Convert(item, RowToConvertAfter(host, row, rows)), base))
            return EndUnfinished(host);
    }
    return Complete(host);
}
