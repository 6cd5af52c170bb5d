#include "help_compiler/tools/hlpc_command.h"

#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

#include "help_compiler/core/help_file_decoder.h"
#include "help_compiler/core/help_file_writer.h"

namespace {

constexpr char kUsage[] = "usage: hlpc SOURCE.txt OUTPUT.hlp\n       hlpc --list FILE.hlp\n";

bool ReadFile(const std::string& path, std::string& contents) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) return false;
    contents = text.str();
    return true;
}

// Writes bytes to a new file beside path and renames it to path, so that
// path never holds part of them.
bool WriteWhole(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error) {
    std::string temporary = path + ".XXXXXX";
    const int descriptor = mkstemp(temporary.data());
    if (descriptor < 0) {
        error = std::strerror(errno);
        return false;
    }
    size_t written = 0;
    while (written < bytes.size()) {
        const ssize_t count = write(descriptor, bytes.data() + written, bytes.size() - written);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) break;
        written += static_cast<size_t>(count);
    }
    const int writeError = written == bytes.size() ? 0 : errno;
    const bool closed = fchmod(descriptor, 0644) == 0 && close(descriptor) == 0;
    if (writeError != 0 || !closed || rename(temporary.c_str(), path.c_str()) != 0) {
        error = std::strerror(writeError != 0 ? writeError : errno);
        unlink(temporary.c_str());
        return false;
    }
    return true;
}

int Compile(const std::string& sourcePath, const std::string& outputPath, std::ostream& err) {
    std::string source;
    if (!ReadFile(sourcePath, source)) {
        err << sourcePath << ": cannot read the file\n";
        return 1;
    }
    std::vector<uint8_t> helpFile;
    SourceError error;
    if (!CompileHelpSource(source, helpFile, error)) {
        err << sourcePath << ":" << error.line << ": " << error.message << "\n";
        return 1;
    }
    std::string writeError;
    if (!WriteWhole(outputPath, helpFile, writeError)) {
        err << outputPath << ": cannot write the file: " << writeError << "\n";
        return 1;
    }
    return 0;
}

int List(const std::string& path, std::ostream& out, std::ostream& err) {
    std::string bytes;
    DecodedHelpFile decoded;
    std::string error;
    if (!ReadFile(path, bytes)) {
        err << path << ": cannot read the file\n";
        return 1;
    }
    if (!DecodeHelpFile(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), decoded, error)) {
        err << path << ": " << error << "\n";
        return 1;
    }
    char number[16];
    for (const auto& [context, offset] : decoded.contextMap) {
        std::snprintf(number, sizeof number, "0x%X", context);
        out << "context " << number << "\n";
    }
    for (const DecodedKeyword& keyword : decoded.keywords) out << "keyword " << keyword.keyword << "\n";
    return 0;
}

}  // namespace

int RunHelpCompiler(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
    if (arguments.size() == 2 && arguments[0] == "--list") return List(arguments[1], out, err);
    if (arguments.size() == 2 && !arguments[0].starts_with("-")) return Compile(arguments[0], arguments[1], err);
    err << kUsage;
    return 2;
}
