#include "help_compiler/tools/hlpc_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "help_compiler/core/help_file_decoder.h"

namespace {

namespace fs = std::filesystem;

const char kSource[] =
    "@title T\n@codepage 1252\n@language 0x0409\n@contents 0x20080\n"
    "@topic 0x20080 | Contents\nText.\n@keywords power\n@popup 0x50400 0x50401\nPopup.\n";

class HelpCompilerCommand : public testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("hlpc-test-" + std::to_string(::getpid()) + "-" +
                                               testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder_);
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string Path(const std::string& name) const { return (folder_ / name).string(); }
    void WriteSource(const std::string& name, const std::string& text) const {
        std::ofstream(Path(name), std::ios::binary) << text;
    }
    int Run(const std::vector<std::string>& arguments) {
        out_.str("");
        err_.str("");
        return RunHelpCompiler(arguments, out_, err_);
    }
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_)) names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    fs::path folder_;
    std::ostringstream out_, err_;
};

TEST_F(HelpCompilerCommand, CompilesASourceIntoAFileTheDecoderReads) {
    WriteSource("help_1033.txt", kSource);
    EXPECT_EQ(Run({Path("help_1033.txt"), Path("merovant.hlp")}), 0) << err_.str();
    EXPECT_EQ(err_.str(), "");
    EXPECT_EQ(Files(), (std::vector<std::string>{"help_1033.txt", "merovant.hlp"}));

    std::ifstream in(Path("merovant.hlp"), std::ios::binary);
    const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    DecodedHelpFile decoded;
    std::string error;
    ASSERT_TRUE(DecodeHelpFile(bytes, decoded, error)) << error;
    EXPECT_EQ(decoded.contextMap.size(), 3u);
    EXPECT_EQ(fs::status(Path("merovant.hlp")).permissions() & fs::perms::others_read, fs::perms::others_read);

    EXPECT_EQ(Run({"--list", Path("merovant.hlp")}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "context 0x20080\ncontext 0x50400\ncontext 0x50401\nkeyword power\n");
}

TEST_F(HelpCompilerCommand, ABadSourceNamesFileAndLineAndWritesNothing) {
    WriteSource("help_1033.txt", std::string(kSource) + "@jump 0x50402 | Nowhere\n");
    EXPECT_EQ(Run({Path("help_1033.txt"), Path("merovant.hlp")}), 1);
    EXPECT_EQ(err_.str(), Path("help_1033.txt") + ":10: no topic has the context number 0x50402\n");
    EXPECT_EQ(Files(), std::vector<std::string>{"help_1033.txt"}) << "no output, no temporary file";

    // A file from an earlier build stays as it was.
    WriteSource("merovant.hlp", "earlier");
    EXPECT_EQ(Run({Path("help_1033.txt"), Path("merovant.hlp")}), 1);
    std::ifstream earlier(Path("merovant.hlp"));
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(earlier), {}), "earlier");
    EXPECT_EQ(Files(), (std::vector<std::string>{"help_1033.txt", "merovant.hlp"}));
}

TEST_F(HelpCompilerCommand, ReportsFilesItCannotReadOrWrite) {
    WriteSource("help_1033.txt", kSource);
    EXPECT_EQ(Run({Path("missing.txt"), Path("out.hlp")}), 1);
    EXPECT_EQ(err_.str(), Path("missing.txt") + ": cannot read the file\n");
    EXPECT_EQ(Run({Path("help_1033.txt"), Path("no/folder/out.hlp")}), 1);
    EXPECT_EQ(err_.str().rfind(Path("no/folder/out.hlp") + ": cannot write the file: ", 0), 0u) << err_.str();
    EXPECT_EQ(Run({"--list", Path("help_1033.txt")}), 1);
    EXPECT_EQ(err_.str(), Path("help_1033.txt") + ": not a help file\n");
    EXPECT_EQ(Files(), std::vector<std::string>{"help_1033.txt"});
}

TEST_F(HelpCompilerCommand, ShowsItsUsageOnOtherArguments) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{}, {"only.txt"}, {"a", "b", "c"}, {"--help", "x"}}) {
        EXPECT_EQ(Run(arguments), 2);
        EXPECT_EQ(err_.str().rfind("usage: hlpc SOURCE.txt OUTPUT.hlp", 0), 0u);
    }
}

}  // namespace
