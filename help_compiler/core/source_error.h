// What is wrong with a help source, and on which of its lines.
#pragma once

#include <string>

struct SourceError {
    int line = 0;  // 1-based
    std::string message;
};
