// The dialog object: a dialog from a resource template, run modally in its
// own message loop, with control objects and values bound to item ids.
#pragma once

#include "framework/Window.h"

#include <string>
#include <vector>

class CDialogBase : public CWindowBase {
public:
    explicit CDialogBase(UINT templateId) : m_nTemplateId(templateId) {}

    // Creates the dialog from its template, disables the owner and runs the
    // loop until EndDialog. Returns the EndDialog result, -1 when the dialog
    // could not be created. A WM_QUIT ends the loop and is posted again.
    INT_PTR DoModal(HWND hwndOwner = nullptr);
    // Ends the modal loop with `result`; safe from any thread.
    void EndDialog(INT_PTR result);

    // Control objects attached to their items when the dialog initialises.
    void BindItem(UINT id, CWindowBase& control);
    // Values copied between fields and items by UpdateData: a combo box's
    // selected index, a track bar's position, an item's text.
    void BindSelection(UINT id, int& index);
    void BindPosition(UINT id, int& position);
    void BindText(UINT id, std::string& text);
    // true: items to fields; false: fields to items.
    void UpdateData(bool fromControls);

    HWND GetDlgItem(UINT id) const { return ::GetDlgItem(m_hWnd, static_cast<int>(id)); }

protected:
    LRESULT WindowProc(UINT msg, WPARAM wp, LPARAM lp) override;
    // Binds the control objects and shows the fields; true lets the dialog
    // manager set the focus.
    virtual BOOL OnInitDialog();
    // Menu, accelerator and control commands that no child object consumed.
    virtual void OnCommand(UINT id, UINT code, HWND hwndControl);
    virtual void OnOK() { EndDialog(IDOK); }
    virtual void OnCancel() { EndDialog(IDCANCEL); }

private:
    enum class BindingKind { Selection, Position, Text };
    struct ValueBinding {
        UINT id;              // dialog item
        BindingKind kind;     // what of the item is copied
        void* field;          // int for Selection and Position, std::string for Text
    };
    struct ItemBinding {
        UINT id;               // dialog item
        CWindowBase* control;  // borrowed: a member of the derived dialog
    };

    static INT_PTR CALLBACK InitialDialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void RunModalLoop();
    bool PreTranslateChain(MSG& msg);
    void ExchangeValue(const ValueBinding& binding, bool fromControls);

    UINT m_nTemplateId;                      // dialog template resource
    std::vector<ItemBinding> m_items;        // control objects to attach
    std::vector<ValueBinding> m_values;      // fields copied by UpdateData
    volatile LONG m_bEnded = 0;              // EndDialog was called
    INT_PTR m_nResult = -1;                  // the EndDialog result
};
