#include "save_to_disk/app/create_save_file.h"

#include <cstdio>
#include <cstring>

#include "common/win32/unique_handle.h"
#include "resources/sorvault/resource.h"
#include "save_to_disk/app/file_size_input_dlg.h"
#include "save_to_disk/app/video_memory_query.h"
#include "save_to_disk/core/save_file_layout.h"
#include "save_to_disk/engine/placement_messages.h"

namespace {

constexpr char kImageFileName[] = "SAVE2DSK.XGA";
constexpr uint32_t kZeroSectors = 4;

// The engine's messages go to message boxes over the dialog; its progress
// lines to standard output, which the window does not show.
class DialogPlacementHost final : public PlacementHost {
public:
    DialogPlacementHost(HWND owner, SorvaultShell& shell) : owner_(owner), shell_(shell) {}
    void ShowMessage(unsigned id) override { shell_.ShowMessage(owner_, id); }
    void WriteOutput(const std::string& text) override {
        std::fputs(text.c_str(), stdout);
        std::fflush(stdout);
    }
    void EndProgram(int status) override { ExitProcess(UINT(status)); }
    // A windowed program has no console, so there are no console interrupts to ignore.
    void IgnoreInterrupts(bool) override {}

private:
    HWND owner_;
    SorvaultShell& shell_;
};

// The graphical image along the search path, opened for reading and writing
// without sharing (as a check that nobody is changing it).
UniqueFileHandle OpenImageFile() {
    char path[MAX_PATH] = {};
    const DWORD length = SearchPathA(nullptr, kImageFileName, nullptr, MAX_PATH, path, nullptr);
    if (length == 0 || length >= MAX_PATH) return UniqueFileHandle();
    return UniqueFileHandle(
        CreateFileA(path, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

bool FileBytes(HANDLE file, uint64_t& bytes) {
    DWORD high = 0;
    SetLastError(NO_ERROR);
    const DWORD low = GetFileSize(file, &high);
    if (low == 0xFFFFFFFF && GetLastError() != NO_ERROR) return false;
    bytes = uint64_t(high) << 32 | low;
    return true;
}

// Header, the signature twice and four zero sectors; then the image at its place.
bool StampSaveFile(HWND owner, SorvaultContext& context, SaveFileWriter& file, uint64_t fileSectors) {
    UniqueFileHandle image = OpenImageFile();
    uint64_t imageBytes = 0;
    if (!image || !FileBytes(image.get(), imageBytes)) {
        image.reset();
        imageBytes = 0;
    }
    ImagePlacement placement;
    uint8_t header[512], signature[512];
    if (!PlaceImage(fileSectors, imageBytes, placement) || !BuildSignatureSector(fileSectors, signature)) {
        // The image grew since the file was sized: it no longer fits.
        context.shell.ShowMessage(owner, IDS_MSG_IMAGE_READ_FAILED);
        return false;
    }
    BuildSaveFileHeader(placement, header);
    uint8_t zero[512] = {};
    bool written = file.WriteSector(header) && file.WriteSector(signature) && file.WriteSector(signature);
    for (uint32_t i = 0; written && i < kZeroSectors; ++i) written = file.WriteSector(zero);
    if (!written || !file.Skip(placement.firstSector - kSaveFileStampedSectors)) {
        context.shell.ShowMessage(owner, kMsgWriteFailed);
        return false;
    }
    for (uint32_t i = 0; i < placement.sectors; ++i) {
        uint8_t sector[512] = {};
        DWORD read = 0;
        if (!ReadFile(image.get(), sector, sizeof sector, &read, nullptr) || read == 0) {
            context.shell.ShowMessage(owner, IDS_MSG_IMAGE_READ_FAILED);
            return false;
        }
        if (!file.WriteSector(sector)) {
            context.shell.ShowMessage(owner, kMsgWriteFailed);
            return false;
        }
    }
    return true;
}

}  // namespace

bool QueryDriveSpace(HWND owner, SorvaultContext& context, char letter, uint64_t saveFileBytes,
                     DriveSpaceInfo& info) {
    switch (context.disk.DriveSpace(letter, saveFileBytes, info)) {
    case SpaceQuery::Answered:
        return true;
    case SpaceQuery::NoKernel32:
        context.shell.ShowMessage(owner, IDS_MSG_NO_KERNEL32);
        return false;
    default:
        context.shell.ShowMessage(owner, IDS_MSG_NO_FILE_SYSTEM);
        return false;
    }
}

void CreateSaveFile(HWND owner, SorvaultContext& context, char letter) {
    std::string fileSystem;
    if (context.disk.FileSystemName(letter, fileSystem) && fileSystem.compare(0, 4, "NTFS") == 0) {
        context.shell.ShowMessage(owner, IDS_MSG_NTFS);
        return;
    }
    const uint64_t physical = context.shell.InstalledMemory();
    const uint64_t video = EffectiveVideoMemory(QueryVideoMemory());
    uint64_t imageBytes = 0;
    {
        UniqueFileHandle image = OpenImageFile();
        if (!image || !FileBytes(image.get(), imageBytes)) {
            context.shell.ShowMessage(owner, IDS_MSG_NO_IMAGE);
            imageBytes = 0;
        }
    }
    const SaveFileSizing sizing = ComputeSaveFileSizing(physical, video, imageBytes);
    if (!SizingFits(sizing)) {
        context.shell.ShowMessage(owner, IDS_MSG_TOO_LARGE);
        return;
    }
    CFileSizeInputDlg sizeDialog(context.shell, sizing.kb);
    const INT_PTR chosen = sizeDialog.DoModal(context.instance, owner);
    if (chosen <= 0 || chosen > INT_PTR(kMaxSaveFileKB)) return;
    const uint64_t fileSectors = ChooseSectorCount(uint32_t(chosen), sizing);

    DriveSpaceInfo space;
    if (!QueryDriveSpace(owner, context, letter, 0, space)) return;
    if (space.freeKB * 1024 < sizing.bytes) {
        context.shell.ShowMessage(owner, IDS_MSG_NO_SPACE);
        return;
    }

    HCURSOR previous = SetCursor(LoadCursor(nullptr, IDC_WAIT));
    DialogPlacementHost host(owner, context.shell);
    context.disk.MakeContiguous(letter, fileSectors * kSaveFileSectorSize, host);
    SetCursor(previous);

    bool stamped;
    {
        std::unique_ptr<SaveFileWriter> file = context.disk.OpenSaveFile(letter);
        if (!file) return;
        if (file->Size() < sizing.bytes) {
            context.shell.ShowMessage(owner, kMsgCreateFailed);
            file.reset();
            context.disk.DeleteSaveFile(letter);
            return;
        }
        stamped = StampSaveFile(owner, context, *file, fileSectors);
    }
    if (stamped) context.disk.MarkSaveFile(letter);
}
