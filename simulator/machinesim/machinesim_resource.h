// String ids of machinesim.
#pragma once

#define IDS_USAGE 1
#define IDS_NOT_RUNNING 2
#define IDS_INSTALL_FAILED 3
#define IDS_REMOVE_FAILED 4
#define IDS_BAD_SETTING 5
#define IDS_REFUSED 6
#define IDS_BAD_TABLE 7
