#include "ui/SourceList.h"

#include "services/AppServices.h"
#include "res/resource.h"
#include "ui/IncomingFiles.h"
#include "ui/MediaFilter.h"
#include "ui/NoticeDlgs.h"
#include "ui/SourceRecords.h"

#include <commdlg.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

static_assert(MAX_MEDIA_ITEMS == MEDIA_LIST_CAPACITY, "one record per row");

namespace {

constexpr DWORD SELECTION_CHARS = 1024;
constexpr COLORREF ROW_IMAGE_MASK = RGB(255, 0, 255);

// The filter with its separators turned into the zeros the dialog expects.
std::string DialogFilter()
{
    std::string filter = MEDIA_FILE_FILTER;
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

// `heading`, then each path on a line of its own; nothing when there are none.
void ShowLeftOut(HWND owner, const char* heading, const std::vector<std::string>& paths)
{
    if (paths.empty())
        return;
    std::string text = heading;
    for (const std::string& path : paths)
        text += "\n" + path;
    ShowInfo(owner, text.c_str());
}

bool FileExists(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Marks an Add under way for as long as it lasts.
class AddingScope {
public:
    explicit AddingScope(bool& adding) : m_adding(adding) { m_adding = true; }
    ~AddingScope() { m_adding = false; }
    AddingScope(const AddingScope&) = delete;
    AddingScope& operator=(const AddingScope&) = delete;

private:
    bool& m_adding;
};

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
    if (RowsThatFit(RowCount(), 1) == 0) {
        ShowListFull(Owner(), 1);
        return;
    }
    std::unique_ptr<wchar_t[]> selection(new (std::nothrow) wchar_t[SELECTION_CHARS]);
    if (!selection) {
        ShowInfo(Owner(), "There is a internal error! Please restart it to try again.");
        return;
    }
    memset(selection.get(), 0, SELECTION_CHARS * sizeof(wchar_t));
    // The filter is plain ASCII. The dialog is asked in wide characters so
    // that a name outside the code page arrives whole, to be given a name the
    // program's ANSI calls can open.
    const std::string narrowFilter = DialogFilter();
    const std::wstring filter(narrowFilter.begin(), narrowFilter.end());
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = Owner();
    dialog.lpstrFilter = filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = selection.get();
    dialog.nMaxFile = SELECTION_CHARS;
    dialog.Flags = OFN_FILEMUSTEXIST | OFN_ALLOWMULTISELECT | OFN_NOCHANGEDIR | OFN_ENABLESIZING | OFN_EXPLORER;
    if (!GetOpenFileNameW(&dialog)) {
        // Cancelling says nothing; a selection too long for the buffer would otherwise vanish silently.
        if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL)
            ShowInfo(Owner(), "Too many files were chosen at once. Please add them in smaller groups.");
        return;
    }
    UpdateWindow(Owner());
    std::vector<std::string> paths;
    for (const std::wstring& path : SelectedPaths(selection.get()))
        paths.push_back(AnsiPath(path));
    AddFiles(paths);
}

// Files that cannot be found are left out with a message (the open-file
// dialog lets none through; a command line or a hand-over can name them),
// and so are paths too long for the program's calls that have no short name
// to go by.
void CSourceList::AddFiles(const std::vector<std::string>& paths)
{
    const AddingScope adding(m_bAdding);
    std::vector<std::string> found, missing, tooLong;
    for (const std::string& path : paths)
        (path.size() >= MAX_PATH ? tooLong : FileExists(path) ? found : missing).push_back(path);
    ShowLeftOut(Owner(), "These paths are too long for the program and were not added:", tooLong);
    ShowLeftOut(Owner(), "These files cannot be found and were not added:", missing);
    if (found.empty())
        return;
    m_owner.OnProbingStarts();
    const int fitting = RowsThatFit(RowCount(), static_cast<int>(found.size()));
    for (int i = 0; i < fitting; ++i)
        if (!AddSource(found[i]))
            return;
    if (fitting < static_cast<int>(found.size()))
        ShowListFull(Owner(), static_cast<int>(found.size()) - fitting);
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
