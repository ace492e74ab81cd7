// One window per user: a second start hands its files to the running window
// and ends. The claim is a named mutex, open to the current user alone, held
// by the first start for its whole life; the running window carries a
// property (its mark) by which a second start finds it, hidden in the tray
// or not. Only a window of this program run by the same user in the same
// session is trusted with the files, whatever else carries the mark. Both
// names follow the settings key, so that programs with settings of their own
// (the test suites') keep to themselves.
#pragma once

#include "win/OwnedHandle.h"

#include <windows.h>

#include <string>
#include <vector>

class COneInstance {
public:
    COneInstance();
    ~COneInstance();
    COneInstance(const COneInstance&) = delete;
    COneInstance& operator=(const COneInstance&) = delete;

    // True when this process is to run the window (it holds the claim, or
    // no running window took the files in time); false when the running
    // window took `files` and came to the front.
    bool ClaimOrHandOver(const std::vector<std::string>& files);
    // The property the running window carries.
    const std::string& WindowMark() const { return m_strMark; }

private:
    std::string m_strMark;
    CKernelHandle m_mutex;
    bool m_bOwned = false;
};
