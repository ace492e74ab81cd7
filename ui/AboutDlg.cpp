#include "ui/AboutDlg.h"

#include "services/AppServices.h"
#include "res/resource.h"

#include <string>

CAboutDlg::CAboutDlg() : CDialogBase(IDD_ABOUT)
{
    BindItem(IDC_LINK_HOMEPAGE, m_linkHomepage);
    BindItem(IDC_LINK_SUPPORT, m_linkSupport);
    BindItem(IDC_LINK_UPDATE, m_linkUpdate);
}

// The template's own title and version texts are placeholders: the
// program's constants win.
BOOL CAboutDlg::OnInitDialog()
{
    CDialogBase::OnInitDialog();
    m_linkHomepage.SetWindowText((std::string(APP_TITLE) + " Homepage").c_str());
    m_linkHomepage.SetLinkTarget(VODRIX_HOME_PAGE);
    m_linkSupport.SetLinkTarget(VODRIX_SUPPORT_PAGE);
    m_linkUpdate.SetLinkTarget(VODRIX_HOME_PAGE);
    SetDlgItemTextA(m_hWnd, IDC_ABOUT_TITLE, APP_TITLE);
    SetDlgItemTextA(m_hWnd, IDC_ABOUT_VERSION, APP_VERSION);
    SetWindowText(APP_TITLE);
    return TRUE;
}
