// Writes the fuzz seeds that only the virtual notebook's model can make:
// DIR/saved-machine/factory (the factory state saved and marked to be
// sealed), DIR/machine-state/factory (`machinesim show` of the factory
// state), and the factory SMBIOS table as DIR/dmi-table/factory and as
// DIR/smbios/factory (what merovant's walk reads from the DMI proxy).
#include <cstdio>
#include <string>

#include "simulator/machinesim/machine_state_fields.h"
#include "simulator/model/machine_model.h"

namespace {

bool Write(const std::string& path, const void* bytes, size_t size, bool sealMark) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return false;
    bool written = std::fwrite(bytes, 1, size, file) == size && (!sealMark || std::fputc(1, file) != EOF);
    return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: write-fuzz-seeds DIR\n", stderr);
        return 2;
    }
    const std::string dir = argv[1];
    static MachineModel model;
    static SavedMachine saved;
    model.Save(saved);
    const std::string shown = FormatMachineState(model.state);
    if (!Write(dir + "/saved-machine/factory", &saved, sizeof saved, true) ||
        !Write(dir + "/machine-state/factory", shown.data(), shown.size(), false) ||
        !Write(dir + "/dmi-table/factory", model.SmbiosTable(), model.SmbiosTableSize(), false) ||
        !Write(dir + "/smbios/factory", model.SmbiosTable(), model.SmbiosTableSize(), false)) {
        std::perror(dir.c_str());
        return 1;
    }
    return 0;
}
