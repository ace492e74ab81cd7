#include "controls/SortListCtrl.h"

#include "skin/SkinEngine.h"
#include "win/GdiScope.h"

#include <mbstring.h>
#include <oleauto.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <numeric>
#include <vector>

namespace {

// Locks the window against redrawing while several rows go.
class CUpdateLock {
public:
    explicit CUpdateLock(HWND hwnd) : m_bLocked(::LockWindowUpdate(hwnd) != FALSE) {}
    ~CUpdateLock()
    {
        if (m_bLocked)
            ::LockWindowUpdate(nullptr);
    }
    CUpdateLock(const CUpdateLock&) = delete;
    CUpdateLock& operator=(const CUpdateLock&) = delete;

private:
    bool m_bLocked;  // this object holds the one window lock
};

std::vector<std::string> SplitDroppingEmpty(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(separator, start);
        if (end == std::string::npos)
            end = text.size();
        if (end > start)
            parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

int ColumnFormat(const std::vector<std::string>& fields)
{
    if (fields.size() < 3)
        return LVCFMT_LEFT;
    switch (std::atoi(fields[2].c_str())) {
    case 1: return LVCFMT_CENTER;
    case 2: return LVCFMT_RIGHT;
    default: return LVCFMT_LEFT;
    }
}

// A colour as a 32-bit DIB holds it (blue in the low byte).
uint32_t DibPixel(COLORREF colour)
{
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

int Brightness(COLORREF colour)
{
    return (GetRValue(colour) * 30 + GetGValue(colour) * 59 + GetBValue(colour) * 11) / 100;
}

// `from` moved a fifth of the way to `to`: a line that shows on `from` but
// does not stand out.
COLORREF SubtleToward(COLORREF from, COLORREF to)
{
    auto step = [](int a, int b) { return a + (b - a) / 5; };
    return RGB(step(GetRValue(from), GetRValue(to)), step(GetGValue(from), GetGValue(to)),
               step(GetBValue(from), GetBValue(to)));
}

// Gives the grid lines the system drew in `drawn` across `area` the colour
// `wanted`. A line is a single row or column of pixels more than half in
// `drawn`: images, text and bands of that colour (the selection while another
// window has the focus) keep their pixels.
void RecolourGridLines(HDC dc, const RECT& area, COLORREF drawn, COLORREF wanted)
{
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0)
        return;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    CBitmapObject copy(::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    CMemoryDC memory(dc);
    if (!copy || !memory)
        return;
    CSelectObject select(memory.Get(), copy.Get());
    ::BitBlt(memory.Get(), 0, 0, width, height, dc, area.left, area.top, SRCCOPY);
    ::GdiFlush();
    auto* pixels = static_cast<uint32_t*>(bits);
    const uint32_t line = DibPixel(drawn);
    auto isLine = [&](int x, int y) { return (pixels[static_cast<size_t>(y) * width + x] & 0xFFFFFF) == line; };
    std::vector<int> inRow(static_cast<size_t>(height)), inColumn(static_cast<size_t>(width));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (isLine(x, y))
                ++inRow[y], ++inColumn[x];
    auto thinLine = [](const std::vector<int>& counts, int length, int i) {
        auto full = [&](int j) { return j >= 0 && j < static_cast<int>(counts.size()) && counts[j] * 2 > length; };
        return full(i) && !full(i - 1) && !full(i + 1);
    };
    bool changed = false;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (isLine(x, y) && (thinLine(inRow, width, y) || thinLine(inColumn, height, x))) {
                pixels[static_cast<size_t>(y) * width + x] = DibPixel(wanted);
                changed = true;
            }
    if (changed)
        ::BitBlt(dc, area.left, area.top, width, height, memory.Get(), 0, 0, SRCCOPY);
}

template <typename T>
int Order(T a, T b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

bool ReadHexadecimal(const std::string& text, unsigned long& value)
{
    char* end = nullptr;
    value = std::strtoul(text.c_str(), &end, 16);
    return !text.empty() && end != text.c_str() && *end == '\0';
}

// A decimal number, optionally followed by a per-cent sign as its last character.
bool ReadDecimal(const std::string& text, double& value)
{
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && end != text.c_str() && (*end == '\0' || (end[0] == '%' && end[1] == '\0'));
}

bool ReadDateTime(const std::string& text, DATE& value)
{
    std::wstring wide(text.size() + 1, L'\0');
    if (!::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], static_cast<int>(wide.size())))
        return false;
    return SUCCEEDED(::VarDateFromStr(&wide[0], LANG_USER_DEFAULT, 0, &value));
}

// The first reading that both cells pass decides: hexadecimal, decimal,
// date and time, else the bytes.
int CompareCells(const std::string& a, const std::string& b)
{
    unsigned long hexA = 0, hexB = 0;
    if (ReadHexadecimal(a, hexA) && ReadHexadecimal(b, hexB))
        return Order(hexA, hexB);
    double decimalA = 0, decimalB = 0;
    if (ReadDecimal(a, decimalA) && ReadDecimal(b, decimalB))
        return Order(decimalA, decimalB);
    DATE dateA = 0, dateB = 0;
    if (ReadDateTime(a, dateA) && ReadDateTime(b, dateB))
        return Order(dateA, dateB);
    const int bytes = ::_mbscmp(reinterpret_cast<const unsigned char*>(a.c_str()),
                                reinterpret_cast<const unsigned char*>(b.c_str()));
    return Order(bytes, 0);
}

}  // namespace

LRESULT CSortListCtrl::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_DESTROY: return OnDestroy();
    case WM_NOTIFY: return OnHeaderNotify(reinterpret_cast<const NMHEADERA*>(lp));
    case WM_REFLECT + WM_NOTIFY: return OnReflectedNotify(reinterpret_cast<const NMHDR*>(lp));
    default: return CListViewWnd::WindowProc(msg, wp, lp);
    }
}

DWORD CSortListCtrl::ForcedStyle(DWORD style)
{
    // The list shares its image list: this object owns it and destroys it.
    style &= ~(LVS_EDITLABELS | LVS_NOSCROLL | LVS_SMALLICON);
    return style | WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | LVS_REPORT | LVS_SHAREIMAGELISTS;
}

void CSortListCtrl::PreSubclassWindow()
{
    ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(ForcedStyle(GetStyle())));
    SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES);
}

void CSortListCtrl::PreCreateWindow(CREATESTRUCTA& cs)
{
    cs.style = static_cast<LONG>(ForcedStyle(static_cast<DWORD>(cs.style)));
}

LRESULT CSortListCtrl::OnDestroy()
{
    DeleteRows(ROW_ALL);
    if (m_images.GetHandle())
        ImageList_RemoveAll(m_images.GetHandle());
    return DefaultProc(WM_DESTROY, 0, 0);
}

// Header clicks come to the list itself, so sorting needs nothing of the parent.
LRESULT CSortListCtrl::OnHeaderNotify(const NMHEADERA* header)
{
    const LRESULT result = DefaultProc(WM_NOTIFY, header->hdr.idFrom, reinterpret_cast<LPARAM>(header));
    if (header->hdr.code == HDN_ITEMCLICKA || header->hdr.code == HDN_ITEMCLICKW) {
        const int column = header->iItem;
        SortByColumn(column, column == m_nSortColumn ? !m_bSortAscending : true);
    }
    return result;
}

LRESULT CSortListCtrl::OnReflectedNotify(const NMHDR* header)
{
    if (header->code != NM_CUSTOMDRAW)
        return 0;
    return OnCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW*>(const_cast<NMHDR*>(header)));
}

LRESULT CSortListCtrl::OnCustomDraw(NMLVCUSTOMDRAW* draw) const
{
    switch (draw->nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYSUBITEMDRAW | (IsSkinDrawn(m_hWnd) ? CDRF_NOTIFYPOSTPAINT : 0);
    case CDDS_ITEMPREPAINT:
        return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_POSTPAINT:
        FitGridToSkin(draw->nmcd.hdc);
        return CDRF_DODEFAULT;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        const auto* colours = reinterpret_cast<const ListRowColours*>(draw->nmcd.lItemlParam);
        const auto column = static_cast<size_t>(draw->iSubItem);
        if (colours && column < colours->text.size()) {
            // On a skin the list's own colours are the skin's: a cell that
            // still has the system's colour shows the list's instead.
            const bool skinned = IsSkinDrawn(m_hWnd);
            if (!skinned || colours->text[column] != ::GetSysColor(COLOR_WINDOWTEXT))
                draw->clrText = colours->text[column];
            if (!skinned || colours->background[column] != ::GetSysColor(COLOR_WINDOW))
                draw->clrTextBk = colours->background[column];
        }
        return CDRF_DODEFAULT;
    }
    default:
        return CDRF_DODEFAULT;
    }
}

// The system draws grid lines in its face colour, made for light lists; on
// a skinned list that colour may glare, and a colour of the list's own
// takes its place: CLR_INVALID where the system's suits the list.
COLORREF CSortListCtrl::SkinnedFaceColour() const
{
    if (!IsSkinDrawn(m_hWnd))
        return CLR_INVALID;
    const auto background = static_cast<COLORREF>(SendMessage(LVM_GETBKCOLOR));
    constexpr int GLARING = 96;  // brightness levels between the face colour and the list
    if (background == CLR_NONE || std::abs(Brightness(::GetSysColor(COLOR_3DFACE)) - Brightness(background)) <= GLARING)
        return CLR_INVALID;
    return SubtleToward(background, static_cast<COLORREF>(SendMessage(LVM_GETTEXTCOLOR)));
}

void CSortListCtrl::FitGridToSkin(HDC dc) const
{
    const COLORREF face = SkinnedFaceColour();
    if (!(GetExtendedStyle() & LVS_EX_GRIDLINES) || face == CLR_INVALID)
        return;
    RECT client, clip, area;
    ::GetClientRect(m_hWnd, &client);
    if (::GetClipBox(dc, &clip) == ERROR || !::IntersectRect(&area, &clip, &client))
        return;
    RecolourGridLines(dc, area, ::GetSysColor(COLOR_3DFACE), face);
}

bool CSortListCtrl::PreTranslateMessage(MSG* msg)
{
    // The space bar would toggle the focused row's selection; the list ignores it.
    const bool spaceKey = (msg->message == WM_KEYDOWN || msg->message == WM_KEYUP) && msg->wParam == VK_SPACE;
    const bool spaceChar = msg->message == WM_CHAR && msg->wParam == ' ';
    return msg->hwnd == m_hWnd && (spaceKey || spaceChar);
}

bool CSortListCtrl::SetColumns(const char* columns)
{
    DeleteRows(ROW_ALL);
    while (ColumnCount() > 0)
        DeleteColumn(0);
    bool inserted = false;
    for (const std::string& piece : SplitDroppingEmpty(columns ? columns : "", ';')) {
        const std::vector<std::string> fields = SplitDroppingEmpty(piece, ',');
        if (fields.empty())
            continue;
        const int width = fields.size() > 1 ? std::atoi(fields[1].c_str()) : 100;
        inserted |= InsertColumn(ColumnCount(), fields[0], width, ColumnFormat(fields));
    }
    return inserted;
}

bool CSortListCtrl::InsertColumn(int column, const std::string& heading, int width, int format)
{
    LVCOLUMNA item{};
    item.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    item.fmt = format;
    item.cx = width;
    item.pszText = const_cast<char*>(heading.c_str());
    const int index = static_cast<int>(SendMessage(LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item)));
    if (index < 0)
        return false;
    for (const auto& colours : m_rowColours) {
        colours->text.insert(colours->text.begin() + index, ::GetSysColor(COLOR_WINDOWTEXT));
        colours->background.insert(colours->background.begin() + index, ::GetSysColor(COLOR_WINDOW));
    }
    return true;
}

void CSortListCtrl::DeleteColumn(int column)
{
    if (!SendMessage(LVM_DELETECOLUMN, static_cast<WPARAM>(column)))
        return;
    for (const auto& colours : m_rowColours) {
        colours->text.erase(colours->text.begin() + column);
        colours->background.erase(colours->background.begin() + column);
    }
}

int CSortListCtrl::ColumnCount() const
{
    HWND header = GetHeader();
    return header ? static_cast<int>(::SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
}

bool CSortListCtrl::SetSmallImages(UINT bitmapId, COLORREF maskColour)
{
    SetSmallImageList(nullptr);
    const bool loaded = m_images.LoadBitmap(bitmapId, 16, 4, maskColour);
    SetSmallImageList(m_images.GetHandle());
    return loaded;
}

void CSortListCtrl::SetGridLines(bool on)
{
    SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_SUBITEMIMAGES | (on ? LVS_EX_GRIDLINES : 0));
}

ListRowColours* CSortListCtrl::NewRowColours()
{
    auto colours = std::make_unique<ListRowColours>();
    const auto columns = static_cast<size_t>(ColumnCount());
    colours->text.assign(columns, ::GetSysColor(COLOR_WINDOWTEXT));
    colours->background.assign(columns, ::GetSysColor(COLOR_WINDOW));
    m_rowColours.push_back(std::move(colours));
    return m_rowColours.back().get();
}

ListRowColours* CSortListCtrl::RowColours(int row) const
{
    auto* colours = reinterpret_cast<ListRowColours*>(GetItemData(row));
    for (const auto& owned : m_rowColours)
        if (owned.get() == colours)
            return colours;
    return nullptr;  // a row this control did not insert
}

void CSortListCtrl::FreeRowColours(int row)
{
    ListRowColours* colours = RowColours(row);
    if (!colours)
        return;
    SetItemData(row, colours->previousData);
    m_rowColours.erase(std::find_if(m_rowColours.begin(), m_rowColours.end(),
                                    [colours](const auto& owned) { return owned.get() == colours; }));
}

int CSortListCtrl::InsertRow(int row, const char* text)
{
    ListRowColours* colours = NewRowColours();
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = row;
    item.pszText = const_cast<char*>(text);
    item.lParam = reinterpret_cast<LPARAM>(colours);
    const int index = static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (index < 0)
        m_rowColours.pop_back();
    ForgetSort();
    return index;
}

bool CSortListCtrl::SetCellText(int row, int column, const char* text)
{
    ForgetSort();
    return SetItemText(row, column, text);
}

bool CSortListCtrl::SetCellImage(int row, int column, int image)
{
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iSubItem = column;
    item.iImage = image;
    return SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}

int CSortListCtrl::GetCellImage(int row, int column) const
{
    LVITEMA item{};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iSubItem = column;
    return SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) ? item.iImage : -1;
}

UINT CSortListCtrl::GetRowState(int row) const
{
    const UINT state = GetItemState(row, LVIS_SELECTED | LVIS_FOCUSED | LVIS_STATEIMAGEMASK);
    const int checkState = static_cast<int>((state & LVIS_STATEIMAGEMASK) >> 12) - 1;
    return ((state & LVIS_SELECTED) ? ROW_SELECTED : ROW_NOT_SELECTED) |
           (checkState > 0 ? ROW_CHECKED : ROW_NOT_CHECKED) |
           ((state & LVIS_FOCUSED) ? ROW_FOCUSED : ROW_NOT_FOCUSED);
}

bool CSortListCtrl::SetRowState(int row, UINT action)
{
    static const struct {
        UINT bit;
        UINT state;
        UINT mask;
    } steps[] = {
        {ROW_SELECTED, LVIS_SELECTED, LVIS_SELECTED},
        {ROW_NOT_SELECTED, 0, LVIS_SELECTED},
        {ROW_CHECKED, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK},
        {ROW_NOT_CHECKED, INDEXTOSTATEIMAGEMASK(1), LVIS_STATEIMAGEMASK},
        {ROW_FOCUSED, LVIS_FOCUSED, LVIS_FOCUSED},
        {ROW_NOT_FOCUSED, 0, LVIS_FOCUSED},
    };
    bool acted = false, allSucceeded = true;
    for (const auto& step : steps) {
        if (!(action & step.bit))
            continue;
        acted = true;
        allSucceeded &= SetItemState(row, step.state, step.mask);
    }
    return acted && allSucceeded;
}

bool CSortListCtrl::RowMatches(int row, UINT mask) const
{
    return mask != 0 && ((mask & ROW_ALL) || (GetRowState(row) & mask) == mask);
}

int CSortListCtrl::SetRowsState(UINT mask, UINT action)
{
    if (!mask || !action)
        return 0;
    int acted = 0;
    for (int row = 0; row < GetItemCount(); ++row) {
        if (RowMatches(row, mask)) {
            SetRowState(row, action);
            ++acted;
        }
    }
    return acted;
}

int CSortListCtrl::CountRows(UINT mask) const
{
    if (mask & ROW_ALL)
        return GetItemCount();
    int count = 0;
    for (int row = 0; row < GetItemCount(); ++row)
        count += RowMatches(row, mask) ? 1 : 0;
    return count;
}

int CSortListCtrl::FindNextRow(UINT mask, int start) const
{
    for (int row = std::max(start, -1) + 1; row < GetItemCount(); ++row)
        if (RowMatches(row, mask))
            return row;
    return -1;
}

int CSortListCtrl::DeleteRows(UINT mask)
{
    CUpdateLock lock(m_hWnd);
    if (mask & ROW_ALL) {
        const int count = GetItemCount();
        for (int row = 0; row < count; ++row)
            FreeRowColours(row);
        SendMessage(LVM_DELETEALLITEMS);
        return count;
    }
    int deleted = 0;
    for (int row = 0; row < GetItemCount();) {
        if (!RowMatches(row, mask)) {
            ++row;
            continue;
        }
        FreeRowColours(row);
        DeleteItem(row);
        ++deleted;
    }
    return deleted;
}

bool CSortListCtrl::IsSortable(int column) const
{
    const DWORD style = GetStyle();
    return column >= 0 && column < ColumnCount() && GetHeader() && !(style & (LVS_NOCOLUMNHEADER | LVS_NOSORTHEADER));
}

void CSortListCtrl::SortByColumn(int column, bool ascending)
{
    if (!IsSortable(column) || (column == m_nSortColumn && (m_bSortAscending != FALSE) == ascending))
        return;
    m_nSortColumn = column;
    m_bSortAscending = ascending;

    const int count = GetItemCount();
    if (count >= 2) {
        std::vector<int> order(static_cast<size_t>(count));
        std::iota(order.begin(), order.end(), 0);
        std::stable_sort(order.begin(), order.end(), [this](int a, int b) { return CompareRows(a, b) < 0; });
        std::vector<RowSnapshot> snapshots;
        for (int row : order)
            snapshots.push_back(Snapshot(row));
        for (int row = 0; row < count; ++row)
            Restore(row, snapshots[static_cast<size_t>(row)]);
    }
    ::SendMessageA(GetParent(), UWM_LIST_SORTED, static_cast<WPARAM>(column), m_bSortAscending ? 1 : 0);
}

int CSortListCtrl::CompareRows(int a, int b) const
{
    const std::string textA = GetItemText(a, m_nSortColumn);
    const std::string textB = GetItemText(b, m_nSortColumn);
    return m_bSortAscending ? CompareCells(textA, textB) : CompareCells(textB, textA);
}

CSortListCtrl::RowSnapshot CSortListCtrl::Snapshot(int row) const
{
    RowSnapshot snapshot{GetRowState(row), RowColours(row), {}, {}};
    for (int column = 0; column < ColumnCount(); ++column) {
        snapshot.images.push_back(GetCellImage(row, column));
        snapshot.texts.push_back(GetItemText(row, column));
    }
    return snapshot;
}

void CSortListCtrl::Restore(int row, const RowSnapshot& snapshot)
{
    SetRowState(row, snapshot.state);
    SetItemData(row, reinterpret_cast<LPARAM>(snapshot.colours));
    for (size_t column = 0; column < snapshot.texts.size(); ++column) {
        SetCellImage(row, static_cast<int>(column), snapshot.images[column]);
        SetItemText(row, static_cast<int>(column), snapshot.texts[column].c_str());
    }
}

void CSortListCtrl::ForgetSort()
{
    m_nSortColumn = -1;
    m_bSortAscending = TRUE;
}
