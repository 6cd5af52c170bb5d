// The file-system side of the Windows bindings, on the real file system
// (under Wine here): a file created at a size, found, opened for the scan,
// given attributes and removed; and the Windows NT side: NtFsControlFile
// found in ntdll, a control answered with a status, system error texts. (Wine
// does not implement the cluster controls; the engine runs over the disk
// image's answers in the native tests.)
#include <gtest/gtest.h>

#include <windows.h>

#include "save_to_disk/engine/fsctl/fs_control.h"
#include "save_to_disk/platform/win32_disk_access.h"

namespace {

std::string TempDirectory() {
    char path[MAX_PATH];
    const DWORD length = GetTempPathA(MAX_PATH, path);
    return std::string(path, length);
}

TEST(Win32DiskAccess, CreatesFindsAndRemovesAFileOfAGivenSize) {
    FileSystemDiskAccess files;
    std::string full;
    ASSERT_TRUE(files.GetFullPath(TempDirectory() + "SAVE2DSK.BIN", full));
    ASSERT_EQ(files.CreateSizedFile(full, 3 * 65536 + 5), FileCreation::Created);

    WIN32_FILE_ATTRIBUTE_DATA data;
    ASSERT_TRUE(GetFileAttributesExA(full.c_str(), GetFileExInfoStandard, &data));
    EXPECT_EQ(data.nFileSizeLow, 3u * 65536 + 5);
    EXPECT_EQ(data.nFileSizeHigh, 0u);

    std::vector<std::string> names;
    ASSERT_TRUE(files.FindFiles(full, names));
    EXPECT_EQ(names, std::vector<std::string>{"SAVE2DSK.BIN"});
    EXPECT_TRUE(files.OpenFileForScan(full));
    files.CloseFileForScan();

    EXPECT_TRUE(files.SetAttributes(full, FILE_ATTRIBUTE_HIDDEN));
    EXPECT_EQ(GetFileAttributesA(full.c_str()) & FILE_ATTRIBUTE_HIDDEN, DWORD(FILE_ATTRIBUTE_HIDDEN));
    EXPECT_TRUE(files.SetAttributes(full, FILE_ATTRIBUTE_NORMAL));
    EXPECT_TRUE(files.RemoveFile(full));
    EXPECT_FALSE(files.FindFiles(full, names));
    EXPECT_FALSE(files.OpenFileForScan(full));
}

TEST(Win32DiskAccess, AnswersAsWindowsNtAndRefusesAnEmptyFile) {
    FileSystemDiskAccess files;
    std::string name;
    EXPECT_TRUE(files.GetVolumeFileSystemName("C:\\", name));
    EXPECT_FALSE(name.empty());
    uint32_t build = 0;
    EXPECT_FALSE(files.IsWindows9x(build)) << "Wine reports Windows NT";
    EXPECT_EQ(files.CreateSizedFile(TempDirectory() + "EMPTY.BIN", 0), FileCreation::CreateFailed);
    EXPECT_EQ(GetFileAttributesA((TempDirectory() + "EMPTY.BIN").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(Win32DiskAccess, SendsFileSystemControlsThroughNtdll) {
    FileSystemDiskAccess files;
    ASSERT_TRUE(files.ResolveFsControl());
    std::string full;
    ASSERT_TRUE(files.GetFullPath(TempDirectory() + "FSCTL.BIN", full));
    ASSERT_EQ(files.CreateSizedFile(full, 65536), FileCreation::Created);
    ASSERT_TRUE(files.OpenFileForScan(full));
    EXPECT_NE(files.ScanFileHandle(), 0u);
    int64_t vcn = 0;
    std::vector<uint8_t> answer(kExtentAnswerBytes, 0xCC);
    uint32_t returned = 7;
    bool waited = true;
    const uint32_t status = files.FsControl(FsControlTarget::File, kFsctlGetRetrievalPointers, &vcn, sizeof vcn,
                                            answer.data(), kExtentAnswerBytes, returned, waited);
    EXPECT_NE(status, uint32_t(kStatusPending)) << "a pending status is waited for";
    if (status == kStatusSuccess || status == kStatusBufferOverflow)
        EXPECT_GE(returned, sizeof(RetrievalPointersHeader));
    else
        EXPECT_EQ(returned, 0u);
    files.CloseFileForScan();
    EXPECT_TRUE(files.RemoveFile(full));
}

TEST(Win32DiskAccess, MissingVolumeGivesTheSystemErrorAndItsText) {
    FileSystemDiskAccess files;
    uint32_t error = 0;
    EXPECT_FALSE(files.OpenVolume('Q', error));
    EXPECT_NE(error, 0u);
    const std::string text = files.SystemErrorText(ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(text.empty());
    EXPECT_NE(text.back(), '\n');
}

}  // namespace
