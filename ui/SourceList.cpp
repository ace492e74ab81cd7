// The source list's commands. Adding and removing sources are not built yet:
// until they are, the list is left as the template made it and both commands
// do nothing.
#include "ui/ConverterDlg.h"

void CConverterDlg::SetUpSourceList() {}

void CConverterDlg::OnAdd() {}

void CConverterDlg::OnRemove() {}
