// A program for Pressmon to start: writes the arguments it was given, one
// line per start, to argument-recorder.log beside itself.
#include "tests/support/test_log.h"

namespace {

// The command line without the program's own name.
const char* Arguments(const char* commandLine) {
    const char* p = commandLine;
    if (*p == '"') {
        ++p;
        while (*p != '\0' && *p != '"') ++p;
        if (*p == '"') ++p;
    } else {
        while (*p != '\0' && *p != ' ' && *p != '\t') ++p;
    }
    while (*p == ' ' || *p == '\t') ++p;
    return p;
}

}  // namespace

int main() {
    AppendLine(PathBesideProgram("argument-recorder.log"), std::string("args:") + Arguments(GetCommandLineA()));
    return 0;
}
