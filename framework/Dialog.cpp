#include "framework/Dialog.h"

#include <commctrl.h>

INT_PTR CDialogBase::DoModal(HWND hwndOwner)
{
    m_bEnded = 0;
    m_nResult = -1;
    HWND hwnd = ::CreateDialogParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nTemplateId), hwndOwner,
                                     &CDialogBase::InitialDialogProc, reinterpret_cast<LPARAM>(this));
    if (!hwnd)
        return -1;
    const bool ownerDisabled = hwndOwner && !::EnableWindow(hwndOwner, FALSE);
    if (!m_bEnded)
        ::ShowWindow(hwnd, SW_SHOW);
    RunModalLoop();
    // The owner is enabled before the dialog goes, so that it gets the activation back.
    if (ownerDisabled)
        ::EnableWindow(hwndOwner, TRUE);
    ::DestroyWindow(hwnd);
    return m_nResult;
}

void CDialogBase::EndDialog(INT_PTR result)
{
    m_nResult = result;
    ::InterlockedExchange(&m_bEnded, 1);
    if (m_hWnd)
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);  // wakes the loop when called from another thread
}

void CDialogBase::RunModalLoop()
{
    MSG msg;
    while (!m_bEnded && m_hWnd) {
        const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
        if (got == -1)
            break;
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop around this one
            break;
        }
        if (PreTranslateChain(msg) || ::IsDialogMessageA(m_hWnd, &msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
}

// Offers the message to the object of its window and of each ancestor up to
// this dialog; controls relay mouse messages to their tooltips here.
bool CDialogBase::PreTranslateChain(MSG& msg)
{
    for (HWND hwnd = msg.hwnd; hwnd; hwnd = (hwnd == m_hWnd) ? nullptr : ::GetParent(hwnd)) {
        CWindowBase* object = FromHandle(hwnd);
        if (object && object->PreTranslateMessage(&msg))
            return true;
    }
    return false;
}

INT_PTR CALLBACK CDialogBase::InitialDialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    (void)wp;
    if (msg != WM_INITDIALOG)
        return FALSE;  // everything else reaches the object through its subclass
    auto* self = reinterpret_cast<CDialogBase*>(lp);
    if (!self->SubclassWindow(hwnd))
        return TRUE;
    return self->OnInitDialog();
}

BOOL CDialogBase::OnInitDialog()
{
    for (const ItemBinding& item : m_items)
        item.control->SubclassDlgItem(item.id, m_hWnd);
    UpdateData(false);
    return TRUE;
}

LRESULT CDialogBase::WindowProc(UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_COMMAND: OnCommand(LOWORD(wp), HIWORD(wp), reinterpret_cast<HWND>(lp)); return 0;
    default: return CWindowBase::WindowProc(msg, wp, lp);
    }
}

void CDialogBase::OnCommand(UINT id, UINT code, HWND hwndControl)
{
    (void)hwndControl;
    if (code != BN_CLICKED)
        return;
    if (id == IDOK)
        OnOK();
    else if (id == IDCANCEL)
        OnCancel();
}

void CDialogBase::BindItem(UINT id, CWindowBase& control)
{
    m_items.push_back({id, &control});
}

void CDialogBase::BindSelection(UINT id, int& index)
{
    m_values.push_back({id, BindingKind::Selection, &index});
}

void CDialogBase::BindPosition(UINT id, int& position)
{
    m_values.push_back({id, BindingKind::Position, &position});
}

void CDialogBase::BindText(UINT id, std::string& text)
{
    m_values.push_back({id, BindingKind::Text, &text});
}

void CDialogBase::UpdateData(bool fromControls)
{
    for (const ValueBinding& binding : m_values)
        ExchangeValue(binding, fromControls);
}

void CDialogBase::ExchangeValue(const ValueBinding& binding, bool fromControls)
{
    HWND item = GetDlgItem(binding.id);
    if (!item)
        return;
    switch (binding.kind) {
    case BindingKind::Selection: {
        int& index = *static_cast<int*>(binding.field);
        if (fromControls)
            index = static_cast<int>(::SendMessageA(item, CB_GETCURSEL, 0, 0));
        else
            ::SendMessageA(item, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        break;
    }
    case BindingKind::Position: {
        int& position = *static_cast<int*>(binding.field);
        if (fromControls)
            position = static_cast<int>(::SendMessageA(item, TBM_GETPOS, 0, 0));
        else
            ::SendMessageA(item, TBM_SETPOS, TRUE, position);
        break;
    }
    case BindingKind::Text: {
        std::string& text = *static_cast<std::string*>(binding.field);
        if (fromControls) {
            text.assign(static_cast<size_t>(::GetWindowTextLengthA(item)) + 1, '\0');
            text.resize(static_cast<size_t>(::GetWindowTextA(item, &text[0], static_cast<int>(text.size()))));
        } else {
            ::SetWindowTextA(item, text.c_str());
        }
        break;
    }
    }
}
