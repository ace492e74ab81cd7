#include "framework/StandardControls.h"

std::string CComboBoxWnd::GetItemText(int index) const
{
    const LRESULT length = SendMessage(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length == CB_ERR)
        return std::string();
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied = SendMessage(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied == CB_ERR ? 0 : static_cast<size_t>(copied));
    return text;
}

bool CListViewWnd::SetItemState(int row, UINT state, UINT mask)
{
    LVITEMA item{};
    item.state = state;
    item.stateMask = mask;
    return SendMessage(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) != 0;
}

std::string CListViewWnd::GetItemText(int row, int column) const
{
    // The list answers with the copied length; grow until the text fits.
    std::string text(256, '\0');
    for (;;) {
        LVITEMA item{};
        item.iSubItem = column;
        item.pszText = &text[0];
        item.cchTextMax = static_cast<int>(text.size());
        const auto length = static_cast<size_t>(SendMessage(LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
        if (length + 1 < text.size()) {
            text.resize(length);
            return text;
        }
        text.assign(text.size() * 2, '\0');
    }
}

bool CListViewWnd::SetItemText(int row, int column, const char* text)
{
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text);
    return SendMessage(LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) != 0;
}

LPARAM CListViewWnd::GetItemData(int row) const
{
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    return SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) ? item.lParam : 0;
}

bool CListViewWnd::SetItemData(int row, LPARAM data)
{
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = data;
    return SendMessage(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)) != 0;
}

bool CToolTipWnd::CreateFor(HWND hwndOwner)
{
    if (m_hWnd)
        return true;
    HWND hwnd = ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                  CW_USEDEFAULT, hwndOwner, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    if (hwnd && !SubclassWindow(hwnd))
        ::DestroyWindow(hwnd);
    return m_hWnd != nullptr;
}

bool CToolTipWnd::AddTool(HWND hwndTool, UINT toolId, const RECT& rect, const char* text)
{
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = hwndTool;
    tool.uId = toolId;
    tool.rect = rect;
    tool.lpszText = const_cast<char*>(text);
    return SendMessage(TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != 0;
}

bool CToolTipWnd::CreateCovering(HWND hwndOwner, const char* text)
{
    RECT client;
    return CreateFor(hwndOwner) && ::GetClientRect(hwndOwner, &client) && AddTool(hwndOwner, 1, client, text);
}

void CToolTipWnd::UpdateTipText(HWND hwndTool, UINT toolId, const char* text)
{
    TOOLINFOA tool{};
    tool.cbSize = TTTOOLINFOA_V2_SIZE;
    tool.hwnd = hwndTool;
    tool.uId = toolId;
    tool.lpszText = const_cast<char*>(text);
    SendMessage(TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

bool COwnedImageList::LoadBitmap(UINT bitmapId, int width, int growBy, COLORREF maskColour)
{
    Destroy();
    m_hImages = ImageList_LoadImageA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId), width, growBy,
                                     maskColour, IMAGE_BITMAP, LR_CREATEDIBSECTION);
    return m_hImages != nullptr;
}

void COwnedImageList::Destroy()
{
    if (m_hImages)
        ImageList_Destroy(m_hImages);
    m_hImages = nullptr;
}
