#include "config_utility/shell/merovant_help.h"

#include <string>

#include "common/win32/help_request.h"
#include "resources/merovant/resource.h"

namespace {

constexpr HelpMessages kHelpMessages{IDS_HELP_NOT_SET_UP, IDS_HELP_NOT_FOUND, IDS_HELP_NOT_OPENED};

}  // namespace

void ShowHelp(MerovantContext& context, HWND owner, const char* file, UINT command, DWORD helpContext) {
    const std::string problem =
        RequestHelp(file, kHelpMessages, [&] { return context.shell.OpenHelp(owner, file, command, helpContext); });
    if (!problem.empty()) context.shell.ShowMessageBox(owner, problem, MB_OK);
}

void ShowProgramHelp(MerovantContext& context, HWND owner, UINT command, DWORD helpContext) {
    const std::string problem = RequestProgramHelp(
        kHelpMessages, [&](const char* file) { return context.shell.OpenHelp(owner, file, command, helpContext); });
    if (!problem.empty()) context.shell.ShowMessageBox(owner, problem, MB_OK);
}
