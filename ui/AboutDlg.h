// The About dialog: title, version and links to the maker's pages.
#pragma once

#include "controls/LinkLabel.h"
#include "framework/Dialog.h"

class CAboutDlg : public CDialogBase {
public:
    CAboutDlg();

protected:
    BOOL OnInitDialog() override;

private:
    CLinkLabel m_linkHomepage;
    CLinkLabel m_linkSupport;
    CLinkLabel m_linkUpdate;
};
