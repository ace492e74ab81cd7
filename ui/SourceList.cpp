#include "ui/SourceList.h"

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

CSourceList::CSourceList(CDialogBase& dialog, CVodrixMediaCntl& media, ISourceListOwner& owner)
    : m_dialog(dialog), m_media(media), m_owner(owner), m_items()
{
}

void CSourceList::Bind() { m_dialog.BindItem(IDC_SOURCE_LIST, m_list); }

void CSourceList::SetUp()
{
    m_list.SetColumns("Source Media, 400; Duration, 150;");
    m_list.SetSmallImages(IDB_ROW_IMAGES, ROW_IMAGE_MASK);
    m_list.SetGridLines(true);
    m_list.SetEditable(false);
}

void CSourceList::OnAdd()
{
    const int rowsBefore = RowCount();
    if (RowsThatFit(rowsBefore, 1) == 0) {
        ShowListFull(Owner(), 1);
        return;
    }
    std::unique_ptr<char[]> selection(new (std::nothrow) char[SELECTION_CHARS]);
    if (!selection) {
        ShowInfo(Owner(), "There is a internal error! Please restart it to try again.");
        return;
    }
    memset(selection.get(), 0, SELECTION_CHARS);
    const std::string filter = DialogFilter();
    OPENFILENAMEA dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Owner();
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = selection.get();
    dialog.nMaxFile = SELECTION_CHARS;
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT | OFN_NOCHANGEDIR | OFN_ENABLESIZING | OFN_EXPLORER;
    if (!GetOpenFileNameA(&dialog)) {
        // Cancelling says nothing; a selection too long for the buffer would otherwise vanish silently.
        if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL)
            ShowInfo(Owner(), "Too many files were chosen at once. Please add them in smaller groups.");
        return;
    }
    UpdateWindow(Owner());
    m_owner.OnProbingStarts();

    const std::vector<std::string> paths = SelectedPaths(selection.get());
    const int fitting = RowsThatFit(rowsBefore, static_cast<int>(paths.size()));
    for (int i = 0; i < fitting; ++i)
        if (!AddSource(paths[i]))
            return;
    if (fitting < static_cast<int>(paths.size()))
        ShowListFull(Owner(), static_cast<int>(paths.size()) - fitting);
}

bool CSourceList::AddSource(const std::string& path)
{
    m_list.AppendRow(path.c_str());
    const int rows = RowCount();
    if (rows <= 0) {
        ShowInfo(Owner(), "There are not Media file.");
        return false;
    }
    UpdateWindow(Owner());
    const int row = rows - 1;
    MediaItem& item = m_items[row];
    memset(&item, 0, sizeof item);
    if (m_media.bGetMediaFileContent(path.c_str(), &item) != 1) {
        memset(&item, 0, sizeof item);
        m_list.DeleteRows(ROW_SELECTED | ROW_FOCUSED);
        CCodecNoticeDlg notice;
        notice.DoModal(Owner());
        return false;
    }
    snprintf(item.m_szSourcePath, sizeof item.m_szSourcePath, "%s", path.c_str());
    char duration[100] = {};
    FormatDuration(WholeSeconds(item.m_dDuration), duration);
    m_list.SetCellText(row, 1, duration);
    m_list.SetCellImage(row, 0, ROW_IMAGE_ADDED);
    m_owner.OnSourceProbed();
    UpdateWindow(Owner());
    return true;
}

void CSourceList::OnRemove()
{
    std::vector<int> selected;
    for (int row = m_list.FindNextRow(ROW_SELECTED, -1); row >= 0;
         row = m_list.FindNextRow(ROW_SELECTED, row))
        selected.push_back(row);
    if (selected.empty() || selected.front() >= MAX_MEDIA_ITEMS) {
        ShowInfo(Owner(), "There is not selected media file ");
        return;
    }
    RemoveRecords(m_items, RowCount(), selected);
    m_list.DeleteRows(ROW_SELECTED);
}

void CSourceList::OnSorted()
{
    std::vector<RowIdentity> rows;
    const int count = RowCount();
    for (int row = 0; row < count; ++row)
        rows.push_back({m_list.GetItemText(row, 0),
                        m_list.GetCellImage(row, 0) == ROW_IMAGE_CONVERTED});
    if (!MatchRecordsToRows(m_items, rows))
        LogEvent(EVENTLOG_ERROR_TYPE, EVENT_ID_ERROR, "The source list and its records differ after sorting");
}

void CSourceList::EnableSorting(bool on) { ::EnableWindow(m_list.GetHeader(), on ? TRUE : FALSE); }

int CSourceList::RowCount() const { return m_list.CountRows(ROW_ALL); }

void CSourceList::MarkRowActive(int row) { m_list.SetRowState(row, ROW_SELECTED | ROW_FOCUSED); }

void CSourceList::ShowRowConverted(int row) { m_list.SetCellImage(row, 0, ROW_IMAGE_CONVERTED); }
