// The two notices shown after a failure: a source that could not be probed,
// and a conversion that failed (naming the encoder's trace file).
#pragma once

#include "controls/LinkLabel.h"
#include "framework/Dialog.h"

#include <string>

class CCodecNoticeDlg : public CDialogBase {
public:
    CCodecNoticeDlg();

protected:
    BOOL OnInitDialog() override;

private:
    CLinkLabel m_linkCodecs;
    CLinkLabel m_linkMail;
};

class CConvertNoticeDlg : public CDialogBase {
public:
    CConvertNoticeDlg();

    // "Please send the following file:" + the trace path in double quotes +
    // " to " + the support address.
    static std::string TraceText(const std::string& tracePath);

protected:
    BOOL OnInitDialog() override;
};
