// Thin wrappers for the standard controls the program uses: each sends the
// control's own messages, nothing more.
#pragma once

#include "framework/Window.h"

#include <commctrl.h>

#include <string>

class CButtonWnd : public CWindowBase {
public:
    int GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }
    void SetCheck(int check) { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }
};

class CStaticWnd : public CWindowBase {};

class CEditWnd : public CWindowBase {};

class CComboBoxWnd : public CWindowBase {
public:
    int AddString(const char* text) { return static_cast<int>(SendMessage(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text))); }
    void ResetContent() { SendMessage(CB_RESETCONTENT); }
    int GetCount() const { return static_cast<int>(SendMessage(CB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(CB_GETCURSEL)); }
    int SetCurSel(int index) { return static_cast<int>(SendMessage(CB_SETCURSEL, static_cast<WPARAM>(index))); }
    // The text of entry `index`; empty when there is none.
    std::string GetItemText(int index) const;
};

class CListViewWnd : public CWindowBase {
public:
    int GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }
    HWND GetHeader() const { return reinterpret_cast<HWND>(SendMessage(LVM_GETHEADER)); }
    DWORD GetExtendedStyle() const { return static_cast<DWORD>(SendMessage(LVM_GETEXTENDEDLISTVIEWSTYLE)); }
    void SetExtendedStyle(DWORD style) { SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style)); }
    UINT GetItemState(int row, UINT mask) const { return static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, static_cast<WPARAM>(row), static_cast<LPARAM>(mask))); }
    bool SetItemState(int row, UINT state, UINT mask);
    int GetNextItem(int start, UINT flags) const { return static_cast<int>(SendMessage(LVM_GETNEXTITEM, static_cast<WPARAM>(start), static_cast<LPARAM>(flags))); }
    std::string GetItemText(int row, int column) const;
    bool SetItemText(int row, int column, const char* text);
    LPARAM GetItemData(int row) const;
    bool SetItemData(int row, LPARAM data);
    bool DeleteItem(int row) { return SendMessage(LVM_DELETEITEM, static_cast<WPARAM>(row)) != 0; }
    HIMAGELIST SetSmallImageList(HIMAGELIST images) { return reinterpret_cast<HIMAGELIST>(SendMessage(LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(images))); }
};

class CProgressWnd : public CWindowBase {
public:
    // The previous position; -1 without a window.
    int SetPos(int position) { return m_hWnd ? static_cast<int>(SendMessage(PBM_SETPOS, static_cast<WPARAM>(position))) : -1; }
    int GetPos() const { return static_cast<int>(SendMessage(PBM_GETPOS)); }
    void SetRange32(int lower, int upper) { SendMessage(PBM_SETRANGE32, static_cast<WPARAM>(lower), upper); }
    int StepIt() { return static_cast<int>(SendMessage(PBM_STEPIT)); }
};

class CTrackBarWnd : public CWindowBase {
public:
    int GetPos() const { return static_cast<int>(SendMessage(TBM_GETPOS)); }
    void SetPos(int position) { SendMessage(TBM_SETPOS, TRUE, position); }
    void SetRange(int lower, int upper) { SendMessage(TBM_SETRANGEMIN, FALSE, lower); SendMessage(TBM_SETRANGEMAX, TRUE, upper); }
};

// A tooltip window created for a control and owned by the control's object.
class CToolTipWnd : public CWindowBase {
public:
    ~CToolTipWnd() override { DestroyWindow(); }
    // Creates the tooltip (default style) for `hwndOwner`; true when it exists.
    bool CreateFor(HWND hwndOwner);
    // Adds tool `toolId` covering `rect` of `hwndTool`; true on success.
    bool AddTool(HWND hwndTool, UINT toolId, const RECT& rect, const char* text);
    // Creates the tooltip for `hwndOwner` with one tool, id 1, covering the
    // owner's client area, as a control's own tip; true when both exist.
    bool CreateCovering(HWND hwndOwner, const char* text);
    void UpdateTipText(HWND hwndTool, UINT toolId, const char* text);
    void Activate(bool on) { SendMessage(TTM_ACTIVATE, on ? TRUE : FALSE); }
    void SetMaxTipWidth(int width) { SendMessage(TTM_SETMAXTIPWIDTH, 0, width); }
    void RelayEvent(MSG* msg) { SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg)); }
};

// An image list the object owns.
class COwnedImageList {
public:
    COwnedImageList() = default;
    ~COwnedImageList() { Destroy(); }
    COwnedImageList(const COwnedImageList&) = delete;
    COwnedImageList& operator=(const COwnedImageList&) = delete;

    // Cuts bitmap resource `bitmapId` into images `width` pixels wide, with
    // `maskColour` transparent; replaces any previous list.
    bool LoadBitmap(UINT bitmapId, int width, int growBy, COLORREF maskColour);
    void Destroy();
    HIMAGELIST GetHandle() const { return m_hImages; }
    int GetImageCount() const { return m_hImages ? ImageList_GetImageCount(m_hImages) : 0; }

private:
    HIMAGELIST m_hImages = nullptr;  // owned: destroyed when replaced or destroyed
};
