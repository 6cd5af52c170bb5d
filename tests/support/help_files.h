// Help files put where a program under test looks for them, and taken away
// when the test ends.
#pragma once

#include <string>

// A file at path for the life of the object: a copy of source, or a few
// bytes when source is empty (for a test whose shell never opens it).
class HelpFileInPlace {
public:
    explicit HelpFileInPlace(std::string path, const std::string& source = {});
    ~HelpFileInPlace();
    HelpFileInPlace(const HelpFileInPlace&) = delete;
    HelpFileInPlace& operator=(const HelpFileInPlace&) = delete;

    bool placed() const { return placed_; }
    const std::string& path() const { return path_; }

private:
    std::string path_;
    bool placed_ = false;
};

// The running program's own help file, where ProgramHelpFile looks: its
// image path with ".hlp".
std::string OwnHelpFile();
