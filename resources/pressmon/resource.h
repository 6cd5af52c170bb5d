// String ids of Pressmon's string tables.
#pragma once

#define IDS_NOTIFICATION_CAPTION 1
#define IDS_ERROR_OPENING_DRIVER 2
#define IDS_ERROR_OPENING_EVENT 3
#define IDS_ERROR_OPENING_KEY 4
#define IDS_ERROR_QUERYING 5
#define IDS_NO_APPLICATION 6
