// Resource ids of the framework tests' dialogs and strings.
#pragma once

#define IDS_TEST_SHEET_CAPTION 1
#define IDD_TEST_DIALOG 300
#define IDD_TEST_PAGE_A 201
#define IDD_TEST_PAGE_B 202
#define IDD_TEST_PAGE_C 203
#define IDC_TEST_EDIT 1001
