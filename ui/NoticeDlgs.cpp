#include "ui/NoticeDlgs.h"

#include "services/AppServices.h"
#include "res/resource.h"

namespace {
constexpr const char* TRACE_FILE_NAME = "trace";
}

CCodecNoticeDlg::CCodecNoticeDlg() : CDialogBase(IDD_CODEC_NOTICE)
{
    BindItem(IDC_LINK_CODECS, m_linkCodecs);
    BindItem(IDC_LINK_MAIL, m_linkMail);
}

BOOL CCodecNoticeDlg::OnInitDialog()
{
    CDialogBase::OnInitDialog();
    m_linkCodecs.SetLinkTarget(VODRIX_CODEC_PAGE);
    m_linkMail.SetLinkTarget("mailto:" VODRIX_SUPPORT_ADDRESS);
    return TRUE;
}

CConvertNoticeDlg::CConvertNoticeDlg() : CDialogBase(IDD_CONVERT_NOTICE) {}

std::string CConvertNoticeDlg::TraceText(const std::string& tracePath)
{
    return "Please send the following file:\"" + tracePath + "\" to " VODRIX_SUPPORT_ADDRESS;
}

BOOL CConvertNoticeDlg::OnInitDialog()
{
    CDialogBase::OnInitDialog();
    SetDlgItemTextA(m_hWnd, IDC_TRACE_TEXT, TraceText(GetOwnFilesDir() + TRACE_FILE_NAME).c_str());
    return TRUE;
}
