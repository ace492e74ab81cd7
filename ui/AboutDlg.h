// The About dialog: title, version and links to the maker's pages.
#pragma once

#include "framework/Dialog.h"
#include "ui/ControlTypes.h"

class CAboutDlg : public CDialogBase {
public:
    CAboutDlg();

protected:
    BOOL OnInitDialog() override;

private:
    LinkLabel m_linkHomepage;
    LinkLabel m_linkSupport;
    LinkLabel m_linkUpdate;
};
