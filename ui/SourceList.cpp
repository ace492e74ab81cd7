// The source list's commands: Add probes the chosen files into new rows,
// Remove takes the selected rows out; the records behind the rows follow
// every change, a header sort included.
#include "ui/ConverterDlg.h"

#include "app/AppServices.h"
#include "res/resource.h"
#include "ui/NoticeDlgs.h"
#include "ui/SourceRecords.h"

#include <commdlg.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

static_assert(MAX_MEDIA_ITEMS == MEDIA_LIST_CAPACITY, "one record per row");

namespace {

// Pairs of description and pattern, as the file dialog is meant to show them.
const char FILE_FILTER[] =
    "All Files (*.*)|*.*|QuickTime (*.mov) | *.mov|MP4 (*.mp4) | *.mp4|3GP (*.3gp) | *.3gp|"
    "mpg (*.mpg) | *.mpg;*.mpeg|avi (*.avi) | *.avi|wmv (*.wmv)| *.wmv|asf (*.asf) | *.asf |"
    "JPEG (*.jpg)|*.jpg|Bitmap (*.bmp)|*.bmp|Gif (*.gif)|*.gif||";

constexpr DWORD SELECTION_CHARS = 1024;
constexpr COLORREF ROW_IMAGE_MASK = RGB(255, 0, 255);

// The filter with its separators turned into the zeros the dialog expects.
std::string DialogFilter()
{
    std::string filter = FILE_FILTER;
    for (char& c : filter)
        if (c == '|')
            c = '\0';
    return filter;
}

void ShowInfo(HWND owner, const char* text) { MessageBoxA(owner, text, "Info", MB_OK); }

void ShowListFull(HWND owner, int refused)
{
    char text[200];
    snprintf(text, sizeof text,
             "The list holds at most %d media files. %d file(s) were not added; "
             "remove some rows to make room for them.",
             MEDIA_LIST_CAPACITY, refused);
    ShowInfo(owner, text);
}

}  // namespace

void CConverterDlg::SetUpSourceList()
{
    m_listSources.SetColumns("Source Media, 400; Duration, 150;");
    m_listSources.SetSmallImages(IDB_ROW_IMAGES, ROW_IMAGE_MASK);
    m_listSources.SetGridLines(true);
    m_listSources.SetEditable(false);
}

void CConverterDlg::OnAdd()
{
    const int rowsBefore = m_listSources.CountRows(ROW_ALL);
    if (RowsThatFit(rowsBefore, 1) == 0) {
        ShowListFull(m_hWnd, 1);
        return;
    }
    std::unique_ptr<char[]> selection(new (std::nothrow) char[SELECTION_CHARS]);
    if (!selection) {
        ShowInfo(m_hWnd, "There is a internal error! Please restart it to try again.");
        return;
    }
    memset(selection.get(), 0, SELECTION_CHARS);
    const std::string filter = DialogFilter();
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = m_hWnd;
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = selection.get();
    dialog.nMaxFile = SELECTION_CHARS;
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT | OFN_NOCHANGEDIR | OFN_ENABLESIZING | OFN_EXPLORER;
    if (!GetOpenFileNameA(&dialog)) {
        // Cancelling says nothing; a selection too long for the buffer would otherwise vanish silently.
        if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL)
            ShowInfo(m_hWnd, "Too many files were chosen at once. Please add them in smaller groups.");
        return;
    }
    UpdateWindow(m_hWnd);
    m_btnStop.EnableWindow(FALSE);

    const std::vector<std::string> paths = SelectedPaths(selection.get());
    const int fitting = RowsThatFit(rowsBefore, static_cast<int>(paths.size()));
    for (int i = 0; i < fitting; ++i)
        if (!AddSource(paths[i]))
            return;
    if (fitting < static_cast<int>(paths.size()))
        ShowListFull(m_hWnd, static_cast<int>(paths.size()) - fitting);
}

bool CConverterDlg::AddSource(const std::string& path)
{
    m_listSources.AppendRow(path.c_str());
    const int rows = m_listSources.CountRows(ROW_ALL);
    if (rows <= 0) {
        ShowInfo(m_hWnd, "There are not Media file.");
        return false;
    }
    UpdateWindow(m_hWnd);
    const int row = rows - 1;
    MediaItem& item = m_items[row];
    memset(&item, 0, sizeof item);
    if (m_mediaCntl.bGetMediaFileContent(path.c_str(), &item) != 1) {
        memset(&item, 0, sizeof item);
        m_listSources.DeleteRows(ROW_SELECTED | ROW_FOCUSED);
        CCodecNoticeDlg notice;
        notice.DoModal(m_hWnd);
        return false;
    }
    snprintf(item.m_szSourcePath, sizeof item.m_szSourcePath, "%s", path.c_str());
    char duration[100] = {};
    FormatDuration(WholeSeconds(item.m_dDuration), duration);
    m_listSources.SetCellText(row, 1, duration);
    m_listSources.SetCellImage(row, 0, ROW_IMAGE_ADDED);
    EnableOptionControls(true);
    UpdateWindow(m_hWnd);
    return true;
}

void CConverterDlg::OnRemove()
{
    std::vector<int> selected;
    for (int row = m_listSources.FindNextRow(ROW_SELECTED, -1); row >= 0;
         row = m_listSources.FindNextRow(ROW_SELECTED, row))
        selected.push_back(row);
    if (selected.empty() || selected.front() >= MAX_MEDIA_ITEMS) {
        ShowInfo(m_hWnd, "There is not selected media file ");
        return;
    }
    RemoveRecords(m_items, m_listSources.CountRows(ROW_ALL), selected);
    m_listSources.DeleteRows(ROW_SELECTED);
}

LRESULT CConverterDlg::OnSourcesSorted()
{
    std::vector<RowIdentity> rows;
    const int count = m_listSources.CountRows(ROW_ALL);
    for (int row = 0; row < count; ++row)
        rows.push_back({m_listSources.GetItemText(row, 0),
                        m_listSources.GetCellImage(row, 0) == ROW_IMAGE_CONVERTED});
    if (!MatchRecordsToRows(m_items, rows))
        LogEvent(EVENTLOG_ERROR_TYPE, EVENT_ID_ERROR, "The source list and its records differ after sorting");
    return 0;
}
