// Pressmon: the hot-key service, its own installer and its debug console.
#include "hotkey_service/core/pressmon_options.h"
#include "hotkey_service/service/service_installer.h"
#include "hotkey_service/app/pressmon_app.h"
#include "hotkey_service/service/service_names.h"
#include "hotkey_service/service/service_status.h"

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
    switch (ParsePressmonCommand(argc, argv)) {
    case PressmonCommand::Install:
        InstallService();
        return 0;
    case PressmonCommand::Remove:
        RemoveService();
        return 0;
    case PressmonCommand::Debug:
        DebugMode = true;
        DebugService(argc, argv);
        return 0;
    case PressmonCommand::Dispatch:
        break;
    }
    std::printf("%s -install          to install the service\n", ProgramName);
    std::printf("%s -remove           to remove the service\n", ProgramName);
    std::printf("%s -debug <params>   to run as a console app for debugging\n", ProgramName);
    std::printf("\nStartServiceCtrlDispatcher being called.\n");
    std::printf("This may take several seconds.  Please wait.\n");
    std::fflush(stdout);
    char serviceName[sizeof ServiceName];
    std::memcpy(serviceName, ServiceName, sizeof ServiceName);
    const SERVICE_TABLE_ENTRYA dispatchTable[] = {{serviceName, ServiceMain}, {nullptr, nullptr}};
    if (!StartServiceCtrlDispatcherA(dispatchTable)) LogServiceError("StartServiceCtrlDispatcher failed.");
    return 0;
}
