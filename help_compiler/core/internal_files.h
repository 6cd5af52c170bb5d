// A help file's file system: internal files such as |SYSTEM or |TOPIC, each
// behind its own header, and a directory of their names as a B+ tree.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

struct InternalFile {
    std::string name;
    std::vector<uint8_t> data;
};

// The help file holding files, whose names are short enough for the
// directory's pages.
std::vector<uint8_t> BuildInternalFiles(std::vector<InternalFile> files);

struct InternalFileView {
    std::string name;
    std::span<const uint8_t> data;
};

// The internal files of a help file, in the directory's order; false, with
// what is wrong in error, when the file is no help file or is damaged.
bool ReadInternalFiles(std::span<const uint8_t> helpFile, std::vector<InternalFileView>& files, std::string& error);
