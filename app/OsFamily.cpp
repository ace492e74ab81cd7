// The program names the family of Windows it runs on as soon as it is
// loaded, before the application object runs: a static initialiser, kept in
// the executable by the object library it is built in.
#include "services/OsFamily.h"

#include <cstdio>

namespace {

bool ReportOsFamily()
{
    std::fprintf(stderr, "OS:%s\n", OsFamilyName(RunningOsFamily()));
    return true;
}

const bool g_bOsFamilyReported = ReportOsFamily();

}  // namespace
