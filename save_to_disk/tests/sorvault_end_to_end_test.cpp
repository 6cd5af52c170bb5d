// End to end under Wine: sorvault on the virtual notebook's first disk, an
// image built by mkfs.fat and mtools (make_sorvault_disk.sh) and named in
// HKLM\Software\VirtualNotebook "FirstDisk". The test build's seam records
// message boxes and the restart in sorvault-seam.log; the dialogs are real
// and driven with messages. Afterwards the disk is read with this test's own
// FAT reader, checked with fsck.fat and every other file compared
// (check_sorvault_disk.sh).
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "common/win32/unique_handle.h"
#include "machine_control/protocols/first_disk_protocol.h"
#include "tests/support/test_log.h"

namespace {

constexpr char kFileTitle[] = "Enable/Disable Hibernation";
constexpr char kPartitionTitle[] = "Hibernation Partition";
constexpr char kSizeTitle[] = "File Size Input";
constexpr char kSeamLog[] = "sorvault-seam.log";
constexpr uint32_t kImageBytes = 100000;
// The controls the test drives.
constexpr int kCreateDelete = 1006, kDrive = 1009, kCapacity = 1014, kFileSize = 1015, kFreeSpace = 1001;
constexpr int kPartitionSize = 1000, kSizeInput = 1028, kSizeOk = 1029, kMinimalSize = 1030, kSizeCancel = 1031;

template <typename Condition>
bool WaitFor(Condition condition, DWORD milliseconds);

// A command of the host system (the disk tools) run by bash in `folder` (a
// Unix path), with what it printed. Wine does not let a Windows program wait
// for a Unix process, so the command leaves its status in a file when done.
bool RunHost(const std::string& folder, const std::string& command, std::string& output) {
    const std::string log = folder + "/host.log", done = folder + "/host.done";
    DeleteFileA(WindowsPath(log).c_str());
    DeleteFileA(WindowsPath(done).c_str());
    std::string line = "/bin/bash -c \"" + command + " >" + log + " 2>&1; echo $? >" + done + ".new; mv " + done +
                       ".new " + done + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return false;
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    const bool finished =
        WaitFor([&] { return GetFileAttributesA(WindowsPath(done).c_str()) != INVALID_FILE_ATTRIBUTES; }, 180000);
    output = ReadWholeFile(WindowsPath(log));
    return finished && ReadWholeFile(WindowsPath(done)) == "0\n";
}

template <typename Condition>
bool WaitFor(Condition condition, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (!condition()) {
        if (GetTickCount() - start > milliseconds) return false;
        Sleep(50);
    }
    return true;
}

std::string ItemText(HWND dialog, int id) {
    char text[256] = {};
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

void Click(HWND dialog, int id) { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

// What this test's own reader finds of a file in the root of a FAT volume of the disk.
struct RootFile {
    bool found = false;
    uint8_t attributes = 0;
    uint32_t size = 0;
    std::vector<uint32_t> clusters;
    std::vector<uint8_t> bytes;  // the clusters' contents, in chain order
};

uint32_t Le(const uint8_t* p, int n) {
    uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = v << 8 | p[i];
    return v;
}

RootFile ReadRootFile(const std::string& image, int partition, const char (&name)[12]) {
    RootFile file;
    std::ifstream disk(image, std::ios::binary);
    auto read = [&](uint64_t at, size_t size) {
        std::vector<uint8_t> bytes(size);
        disk.seekg(std::streamoff(at));
        disk.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(size));
        return bytes;
    };
    const std::vector<uint8_t> mbr = read(0, 512);
    const uint64_t base = uint64_t(Le(&mbr[446 + 16 * partition + 8], 4)) * 512;
    const std::vector<uint8_t> boot = read(base, 512);
    const uint32_t bps = Le(&boot[11], 2), spc = boot[13], reserved = Le(&boot[14], 2), fats = boot[16];
    const uint32_t rootEntries = Le(&boot[17], 2);
    const bool fat32 = Le(&boot[22], 2) == 0;
    const uint32_t fatSectors = fat32 ? Le(&boot[36], 4) : Le(&boot[22], 2);
    const std::vector<uint8_t> fat = read(base + uint64_t(reserved) * bps, size_t(fatSectors) * bps);
    const uint64_t rootStart = base + (uint64_t(reserved) + uint64_t(fats) * fatSectors) * bps;
    const uint64_t dataStart = rootStart + uint64_t(rootEntries) * 32;
    const uint32_t bpc = bps * spc;
    auto next = [&](uint32_t c) { return fat32 ? Le(&fat[c * 4], 4) & 0x0FFFFFFF : Le(&fat[c * 2], 2); };
    auto end = [&](uint32_t c) { return c >= (fat32 ? 0x0FFFFFF8u : 0xFFF8u) || c < 2; };
    auto clusterAt = [&](uint32_t c) { return dataStart + uint64_t(c - 2) * bpc; };
    std::vector<uint8_t> root;
    if (fat32) {
        for (uint32_t c = Le(&boot[44], 4); !end(c) && root.size() < 1u << 20; c = next(c)) {
            const auto cluster = read(clusterAt(c), bpc);
            root.insert(root.end(), cluster.begin(), cluster.end());
        }
    } else {
        root = read(rootStart, size_t(rootEntries) * 32);
    }
    for (size_t at = 0; at + 32 <= root.size() && root[at] != 0; at += 32) {
        const uint8_t* e = &root[at];
        if (e[0] == 0xE5 || std::memcmp(e, name, 11) != 0) continue;
        file.found = true;
        file.attributes = e[11];
        file.size = Le(e + 28, 4);
        uint32_t c = Le(e + 26, 2) | (fat32 ? Le(e + 20, 2) << 16 : 0);
        for (; !end(c) && file.clusters.size() < 1u << 20; c = next(c)) {
            file.clusters.push_back(c);
            const auto cluster = read(clusterAt(c), bpc);
            file.bytes.insert(file.bytes.end(), cluster.begin(), cluster.end());
        }
        break;
    }
    return file;
}

bool OneRun(const std::vector<uint32_t>& clusters) {
    for (size_t i = 1; i < clusters.size(); ++i)
        if (clusters[i] != clusters[i - 1] + 1) return false;
    return !clusters.empty();
}

class SorvaultEndToEnd : public testing::Test {
protected:
    void SetUp() override {
        char path[MAX_PATH];
        const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
        binDirectory_ = std::string(path, length);
        binDirectory_ = binDirectory_.substr(0, binDirectory_.rfind('\\') + 1);
        DeleteFileA((binDirectory_ + kSeamLog).c_str());
        const std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
        workUnix_ = std::string(SORVAULT_TEST_DIR) + "/" + name;
        CreateDirectoryA(WindowsPath(SORVAULT_TEST_DIR).c_str(), nullptr);
        CreateDirectoryA(WindowsPath(workUnix_).c_str(), nullptr);
        DeleteFileA(WindowsPath(workUnix_ + "/SAVE2DSK.XGA").c_str());
        imageUnix_ = workUnix_ + "/disk.img";
    }
    void TearDown() override {
        for (UniqueKernelHandle* p : {&first_, &second_}) {
            if (!*p) continue;
            if (WaitForSingleObject(p->get(), 0) != WAIT_OBJECT_0) {
                for (const char* title : {kSizeTitle, kFileTitle, kPartitionTitle})
                    if (HWND w = FindWindowA(nullptr, title)) PostMessageA(w, WM_COMMAND, IDOK, 0);
                if (WaitForSingleObject(p->get(), 5000) != WAIT_OBJECT_0) TerminateProcess(p->get(), 1);
            }
        }
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kVirtualNotebookKey);
        // A failed test's disk stays for a look.
        if (!HasFailure()) DeleteFileA(WindowsPath(imageUnix_).c_str());
    }

    void MakeDisk(bool savePartition) {
        std::string output;
        ASSERT_TRUE(RunHost(workUnix_,
                            std::string(SORVAULT_TEST_SOURCE) + "/make_sorvault_disk.sh " + imageUnix_ +
                                (savePartition ? " --save-partition" : ""),
                            output))
            << output;
        HKEY key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kVirtualNotebookKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS);
        const std::string image = WindowsPath(imageUnix_);
        RegSetValueExA(key, kFirstDiskValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(image.c_str()),
                       DWORD(image.size() + 1));
        RegCloseKey(key);
    }

    // The graphical image in the program's working folder, found along the search path.
    std::vector<uint8_t> PutImageFile() {
        std::vector<uint8_t> bytes(kImageBytes);
        for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = uint8_t(i * 7 + i / 251);
        std::ofstream(WindowsPath(workUnix_ + "/SAVE2DSK.XGA"), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
        return bytes;
    }

    UniqueKernelHandle Start(const char* program) {
        const std::string image = binDirectory_ + program;
        std::string command = "\"" + image + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION info{};
        const std::string directory = WindowsPath(workUnix_);
        if (!CreateProcessA(image.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, directory.c_str(),
                            &startup, &info))
            return UniqueKernelHandle();
        CloseHandle(info.hThread);
        return UniqueKernelHandle(info.hProcess);
    }

    static HWND WaitForWindow(const char* title, DWORD milliseconds = 20000) {
        HWND window = nullptr;
        WaitFor([&] { return (window = FindWindowA(nullptr, title)) != nullptr && IsWindowVisible(window); },
                milliseconds);
        return window;
    }

    static bool Ended(const UniqueKernelHandle& process, DWORD milliseconds = 20000) {
        return WaitForSingleObject(process.get(), milliseconds) == WAIT_OBJECT_0;
    }

    std::string SeamLog() const { return ReadWholeFile(binDirectory_ + kSeamLog); }

    // Create Now on the dialog, answering the size dialog with its minimal
    // size; the minimal size in KB, or 0 when the size dialog did not come.
    uint64_t CreateWithMinimalSize(HWND dialog) {
        Click(dialog, kCreateDelete);
        HWND size = WaitForWindow(kSizeTitle);
        if (size == nullptr) return 0;
        const uint64_t minimal = std::stoull("0" + ItemText(size, kMinimalSize));
        EXPECT_EQ(ItemText(size, kSizeInput), ItemText(size, kMinimalSize));
        Click(size, kSizeOk);
        EXPECT_TRUE(WaitFor([&] { return ItemText(dialog, kCreateDelete) == "Delete"; }, 60000))
            << "the file was not created; seam log:\n" << SeamLog();
        return minimal;
    }

    void ExpectDiskSound() {
        std::string output;
        EXPECT_TRUE(
            RunHost(workUnix_, std::string(SORVAULT_TEST_SOURCE) + "/check_sorvault_disk.sh " + imageUnix_, output))
            << output;
    }

    std::string binDirectory_, workUnix_, imageUnix_;
    UniqueKernelHandle first_, second_;
};

constexpr char kSaveFile[12] = "SAVE2DSK" "BIN";

TEST_F(SorvaultEndToEnd, CreateNowWithTheMinimalSizeMakesTheStampedFileInOneRun) {
    MakeDisk(false);
    const std::vector<uint8_t> image = PutImageFile();
    first_ = Start("SorvaultUnderTest.exe");
    ASSERT_TRUE(first_);
    HWND dialog = WaitForWindow(kFileTitle);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(SendDlgItemMessageA(dialog, kDrive, CB_GETCOUNT, 0, 0), 2) << "C: and D:";
    EXPECT_EQ(ItemText(dialog, kCreateDelete), "Create Now");
    EXPECT_EQ(ItemText(dialog, kFileSize), "0");
    EXPECT_EQ(ItemText(dialog, kCapacity), std::to_string(40915 * 4));  // 40,915 clusters of 4 KiB

    const uint64_t minimal = CreateWithMinimalSize(dialog);
    ASSERT_GT(minimal, 0u);
    // Typing M gives N = 2M sectors, whichever the parity of S.
    const uint64_t sectors = 2 * minimal;
    EXPECT_EQ(ItemText(dialog, kFileSize), std::to_string(minimal));

    Click(dialog, IDOK);
    ASSERT_TRUE(Ended(first_));
    EXPECT_EQ(SeamLog(), "message 39 Press OK to restart the system now.\nrestart\n")
        << "a file that is new when the dialog closes asks for the restart, and nothing else was shown";

    const RootFile file = ReadRootFile(WindowsPath(imageUnix_), 0, kSaveFile);
    ASSERT_TRUE(file.found);
    EXPECT_EQ(file.attributes, 0x07) << "read-only, hidden, system";
    ASSERT_EQ(file.size, sectors * 512);
    EXPECT_TRUE(OneRun(file.clusters));
    ASSERT_GE(file.bytes.size(), file.size);

    const uint8_t* f = file.bytes.data();
    const uint32_t imageSectors = (kImageBytes + 511) / 512;
    const uint32_t first = uint32_t(sectors) - imageSectors;
    EXPECT_EQ(Le(f + 64, 4), 0xF13851AAu);
    EXPECT_EQ(Le(f + 70, 2), 1u);
    EXPECT_EQ(Le(f + 72, 2), 1u);
    EXPECT_EQ(f[74], 1);
    EXPECT_EQ(Le(f + 78, 4), first - 1);
    EXPECT_EQ(Le(f + 82, 4), imageSectors);
    for (int copy = 1; copy <= 2; ++copy) {
        const uint8_t* s = f + 512 * copy;
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(s), 4), "Vurq");
        EXPECT_EQ(Le(s + 16, 4), uint32_t(sectors - 2));
        uint16_t sum = 0;
        for (int i = 6; i < 512; i += 2) sum = uint16_t(sum + Le(s + i, 2));
        EXPECT_EQ(sum, 0xFFFF) << "signature copy " << copy;
    }
    for (int i = 3 * 512; i < 7 * 512; ++i) ASSERT_EQ(f[i], 0) << "zero sectors 3 to 6, byte " << i;
    EXPECT_EQ(std::memcmp(f + uint64_t(first) * 512, image.data(), image.size()), 0) << "the image at the end";
    ExpectDiskSound();
}

TEST_F(SorvaultEndToEnd, DeleteThenCreateThenCloseAsksToRestartAndAnUnchangedFileDoesNot) {
    MakeDisk(false);
    first_ = Start("SorvaultUnderTest.exe");
    HWND dialog = WaitForWindow(kFileTitle);
    ASSERT_NE(dialog, nullptr);
    // No image file: the sequence warns and goes on.
    ASSERT_GT(CreateWithMinimalSize(dialog), 0u);
    Click(dialog, IDOK);
    ASSERT_TRUE(Ended(first_));
    EXPECT_NE(SeamLog().find("message 24 Error: Could not find the graphical hibernation file save2dsk.xga."),
              std::string::npos);
    const RootFile created = ReadRootFile(WindowsPath(imageUnix_), 0, kSaveFile);
    ASSERT_TRUE(created.found);
    EXPECT_EQ(Le(created.bytes.data() + 78, 4), created.size / 512 - 1) << "the entry points at the end";
    EXPECT_EQ(Le(created.bytes.data() + 82, 4), 0u) << "with length 0";

    // The file is there from the start and still there at the end: no restart.
    DeleteFileA((binDirectory_ + kSeamLog).c_str());
    first_ = Start("SorvaultUnderTest.exe");
    dialog = WaitForWindow(kFileTitle);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ItemText(dialog, kCreateDelete), "Delete");
    EXPECT_EQ(ItemText(dialog, kFileSize), std::to_string(created.size / 1024));
    Click(dialog, IDOK);
    ASSERT_TRUE(Ended(first_));
    EXPECT_EQ(SeamLog(), "");

    // Delete, then Create Now again, then Close: the restart is asked for.
    first_ = Start("SorvaultUnderTest.exe");
    dialog = WaitForWindow(kFileTitle);
    ASSERT_NE(dialog, nullptr);
    const std::string freeWithFile = ItemText(dialog, kFreeSpace);
    Click(dialog, kCreateDelete);
    ASSERT_TRUE(WaitFor([&] { return ItemText(dialog, kCreateDelete) == "Create Now"; }, 20000));
    EXPECT_FALSE(ReadRootFile(WindowsPath(imageUnix_), 0, kSaveFile).found);
    EXPECT_EQ(ItemText(dialog, kFileSize), "0");
    EXPECT_GT(std::stoull(ItemText(dialog, kFreeSpace)), std::stoull(freeWithFile));
    ASSERT_GT(CreateWithMinimalSize(dialog), 0u);
    Click(dialog, IDOK);
    ASSERT_TRUE(Ended(first_));
    EXPECT_NE(SeamLog().find("message 39 Press OK to restart the system now.\nrestart\n"), std::string::npos)
        << SeamLog();
    EXPECT_TRUE(ReadRootFile(WindowsPath(imageUnix_), 0, kSaveFile).found);
    ExpectDiskSound();
}

TEST_F(SorvaultEndToEnd, CreateCancelledInTheSizeDialogLeavesNothingAndAsksNothing) {
    MakeDisk(false);
    first_ = Start("SorvaultUnderTest.exe");
    HWND dialog = WaitForWindow(kFileTitle);
    ASSERT_NE(dialog, nullptr);
    PutImageFile();
    Click(dialog, kCreateDelete);
    HWND size = WaitForWindow(kSizeTitle);
    ASSERT_NE(size, nullptr);
    // A size with a letter is refused and the fields go back to the minimum.
    const std::string minimal = ItemText(size, kMinimalSize);
    SetDlgItemTextA(size, kSizeInput, "12x4");
    Click(size, kSizeOk);
    ASSERT_TRUE(WaitFor([&] { return SeamLog().find("message 28 ") != std::string::npos; }, 10000));
    EXPECT_TRUE(WaitFor([&] { return ItemText(size, kSizeInput) == minimal; }, 5000));
    Click(size, kSizeCancel);
    ASSERT_TRUE(WaitFor([&] { return FindWindowA(nullptr, kSizeTitle) == nullptr; }, 10000));
    EXPECT_EQ(ItemText(dialog, kCreateDelete), "Create Now");
    Click(dialog, IDOK);
    ASSERT_TRUE(Ended(first_));
    EXPECT_EQ(SeamLog(), "message 28 Error: Invalid file size.\n");
    EXPECT_FALSE(ReadRootFile(WindowsPath(imageUnix_), 0, kSaveFile).found);
    ExpectDiskSound();
}

TEST_F(SorvaultEndToEnd, ChoosingTheFat32DriveShowsItsSpaceAndCreatesTheFileThere) {
    MakeDisk(false);
    first_ = Start("SorvaultUnderTest.exe");
    HWND dialog = WaitForWindow(kFileTitle);
    ASSERT_NE(dialog, nullptr);
    SendDlgItemMessageA(dialog, kDrive, CB_SETCURSEL, 1, 0);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(kDrive, CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, kDrive)));
    // 72 MiB of FAT32 in 512-byte clusters, less its FATs and reserved sectors.
    ASSERT_TRUE(WaitFor([&] { return ItemText(dialog, kCapacity) != std::to_string(40915 * 4); }, 10000));
    const uint64_t capacity = std::stoull(ItemText(dialog, kCapacity));
    EXPECT_GT(capacity, 70000u);
    EXPECT_LT(capacity, 73728u);
    const uint64_t minimal = CreateWithMinimalSize(dialog);
    ASSERT_GT(minimal, 0u);
    char drive[4] = {};
    SendDlgItemMessageA(dialog, kDrive, CB_GETLBTEXT, SendDlgItemMessageA(dialog, kDrive, CB_GETCURSEL, 0, 0),
                        reinterpret_cast<LPARAM>(drive));
    EXPECT_STREQ(drive, "D");
    Click(dialog, IDOK);
    ASSERT_TRUE(Ended(first_));
    EXPECT_FALSE(ReadRootFile(WindowsPath(imageUnix_), 0, kSaveFile).found);
    const RootFile file = ReadRootFile(WindowsPath(imageUnix_), 1, kSaveFile);
    ASSERT_TRUE(file.found);
    EXPECT_EQ(file.size, 2 * minimal * 512);
    EXPECT_EQ(file.attributes, 0x07);
    EXPECT_TRUE(OneRun(file.clusters));
    ExpectDiskSound();
}

// The shipped program: a disk with a save-to-disk partition shows its sizes,
// and a second start brings the first window back instead of opening another.
TEST_F(SorvaultEndToEnd, ASaveToDiskPartitionOpensThePartitionDialogAndASecondStartShowsIt) {
    MakeDisk(true);
    first_ = Start("sorvault.exe");
    HWND dialog = WaitForWindow(kPartitionTitle);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(FindWindowA(nullptr, kFileTitle), nullptr);
    EXPECT_EQ(ItemText(dialog, kPartitionSize), "98304") << "96 MiB";
    // 673,792 sectors: 668 whole cylinders of 16 x 63 sectors.
    EXPECT_EQ(ItemText(dialog, kCapacity), std::to_string(668 * 16 * 63 / 2));

    ShowWindow(dialog, SW_MINIMIZE);
    ASSERT_TRUE(WaitFor([&] { return IsIconic(dialog) != FALSE; }, 5000));
    second_ = Start("sorvault.exe");
    ASSERT_TRUE(second_);
    ASSERT_TRUE(Ended(second_));
    DWORD code = 1;
    GetExitCodeProcess(second_.get(), &code);
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(WaitFor([&] { return IsIconic(dialog) == FALSE; }, 5000)) << "the first window is restored";
    EXPECT_EQ(FindWindowA(nullptr, kPartitionTitle), dialog) << "no second window";

    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(Ended(first_));
}

}  // namespace
