// libFuzzer entry: make-contiguous's command line, the input split into
// arguments at its NUL bytes. A refused line leaves the arguments alone; a
// taken one has a root path, a size that fits 32 bits and a partition 0 to 4,
// each as the line wrote it.
#include <cstdlib>
#include <string>
#include <vector>

#include "save_to_disk/tools/make_contiguous_arguments.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<std::string> words{"make-contiguous", ""};
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            words.emplace_back();
        else
            words.back() += char(data[i]);
    }
    std::vector<const char*> argv;
    for (const std::string& word : words) argv.push_back(word.c_str());
    MakeContiguousArguments arguments;
    arguments.image = "untouched";
    if (!ParseMakeContiguousArguments(int(argv.size()), argv.data(), arguments)) {
        if (arguments.image != "untouched") std::abort();
        return 0;
    }
    const std::string& bytes = words[3];
    const bool decimal = bytes.find_first_not_of("0123456789") == std::string::npos;
    if (arguments.image != words[1] || arguments.path != words[2] || arguments.path[0] != '\\' ||
        arguments.path.size() > 250 || !decimal || arguments.bytes != std::strtoull(bytes.c_str(), nullptr, 10) ||
        arguments.bytes > 0xFFFFFFFFu || arguments.partition > 4)
        std::abort();
    return 0;
}
