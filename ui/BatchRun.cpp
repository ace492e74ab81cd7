// The batch conversion run. Not built yet: until it is, Convert and Stop do
// nothing.
#include "ui/ConverterDlg.h"

void CConverterDlg::OnConvert() {}

void CConverterDlg::OnStop() {}
