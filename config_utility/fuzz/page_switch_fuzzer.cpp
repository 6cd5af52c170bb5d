// libFuzzer entry: merovant's command line, the input split into arguments
// at its NUL bytes. The answer is a page, the main window or no page, and it
// is the last switch's own answer (or the main window when there is none).
#include <cstdlib>
#include <string>
#include <vector>

#include "config_utility/core/page_switch.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> words(1);
    for (std::size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            words.emplace_back();
        else
            words.back() += char(data[i]);
    }
    std::vector<const char*> arguments;
    const char* lastSwitch = nullptr;
    for (const std::string& word : words) {
        arguments.push_back(word.c_str());
        if (word[0] == '/' || word[0] == '-') lastSwitch = word.c_str() + 1;
    }
    const PageNumber page = ParsePageSwitches(arguments.size(), arguments.data());
    const bool known = (page >= kPageGlidenub && page <= kMainWindow) || page == kNoPage;
    if (!known || page != (lastSwitch ? PageFromSwitch(lastSwitch) : kMainWindow)) std::abort();
    return 0;
}
