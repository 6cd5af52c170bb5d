// Resource and control ids of sorvault, shared by the .rc files and the code.
// Plain #defines only: windres reads this file too.
#pragma once

#include "art_resource.h"

// Dialogs.
#define IDD_HIBERNATION_FILE 102
#define IDD_HIBERNATION_PARTITION 134
#define IDD_FILE_SIZE_INPUT 136

// Controls of the file and partition dialogs.
#define IDC_PARTITION_SIZE 1000
#define IDC_FREE_SPACE 1001
#define IDC_USED_SPACE 1005
#define IDC_CREATE_DELETE 1006
#define IDC_DRIVE 1009
#define IDC_FILE_CANCEL 1012
#define IDC_FILE_APPLY 1013
#define IDC_CAPACITY 1014
#define IDC_FILE_SIZE 1015
#define IDC_INTERNAL_DISK_NOTICE 1018
#define IDC_FILE_TAB 1019
#define IDC_PARTITION_TAB 1020
#define IDC_CHART 1021
#define IDC_LEGEND_FILE 1022
#define IDC_LEGEND_FREE 1023
#define IDC_LEGEND_USED 1024

// Controls of the size dialog.
#define IDC_SIZE_INPUT 1028
#define IDC_SIZE_OK 1029
#define IDC_MINIMAL_SIZE 1030
#define IDC_SIZE_CANCEL 1031

// Strings. The engines' messages are numbered by PlacementMessage
// (save_to_disk/engine/placement_messages.h), their texts the engines' own.
#define IDS_MSG_NTFS 23
#define IDS_MSG_NO_IMAGE 24
#define IDS_MSG_NO_FILE_SYSTEM 25
#define IDS_MSG_NO_SPACE 26
#define IDS_MSG_IMAGE_READ_FAILED 27
#define IDS_MSG_INVALID_SIZE 28
#define IDS_CREATE_NOW 36
#define IDS_DELETE 37
#define IDS_MSG_RESTART 39
#define IDS_MSG_NO_KERNEL32 40
#define IDS_MSG_TOO_LARGE 42
#define IDS_FILE_TAB 60
#define IDS_PARTITION_TAB 61
#define IDS_FILE_TITLE 62
#define IDS_PARTITION_TITLE 63
#define IDS_SIZE_TITLE 64
