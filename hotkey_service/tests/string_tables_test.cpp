// Pressmon's string tables: every message id in English and in Japanese.
#include <gtest/gtest.h>

#include <string>

#include "resources/pressmon/resource.h"
#include "tests/support/test_log.h"

namespace {

// The string id of the table block 1 (ids 0 to 15) in language, or "" when absent.
std::wstring TableString(HMODULE module, WORD language, UINT id) {
    HRSRC block = FindResourceExA(module, RT_STRING, MAKEINTRESOURCEA(id / 16 + 1), language);
    if (block == nullptr) return L"";
    const auto* entry = static_cast<const WCHAR*>(LockResource(LoadResource(module, block)));
    const WCHAR* end = entry + SizeofResource(module, block) / sizeof(WCHAR);
    for (UINT i = 0; i < id % 16 && entry < end; ++i) entry += 1 + *entry;
    if (entry >= end || entry + 1 + *entry > end) return L"";
    return std::wstring(entry + 1, *entry);
}

}  // namespace

TEST(PressmonStrings, EveryMessageInEnglishAndJapanese) {
    HMODULE pressmon = LoadLibraryExA(PathBesideProgram("Pressmon.exe").c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(pressmon, nullptr);
    for (WORD language : {MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT)}) {
        for (UINT id = IDS_NOTIFICATION_CAPTION; id <= IDS_NO_APPLICATION; ++id)
            EXPECT_FALSE(TableString(pressmon, language, id).empty()) << language << " " << id;
    }
    EXPECT_EQ(TableString(pressmon, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), IDS_ERROR_QUERYING),
              L"An error occurs in querying ");
    FreeLibrary(pressmon);
}
