#pragma once
#define IDD_FRAMEWORK_TEST 100
#define IDC_NAME 1001
#define IDC_CHOICE 1002
#define IDC_LEVEL 1003
#define IDC_GO 1004
