#pragma once
#define IDD_TEST_DIALOG 100
#define IDC_TEST_CHECK 1001
#define IDS_TEST_TEXT 200
#define IDS_TEST_LONG 201
