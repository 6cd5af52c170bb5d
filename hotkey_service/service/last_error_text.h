// The calling thread's last error as the console shows it.
#pragma once

#include "hotkey_service/core/error_text.h"

// "system message (0xCODE)", or empty when the system has no text for it.
const char* LastErrorText(char (&buffer)[kErrorTextSize]);
