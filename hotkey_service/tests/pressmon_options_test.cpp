#include <gtest/gtest.h>

#include "hotkey_service/core/pressmon_options.h"

namespace {

PressmonCommand Parse(const char* option) {
    const char* argv[] = {"Pressmon", option, nullptr};
    return ParsePressmonCommand(2, argv);
}

}  // namespace

TEST(ParsePressmonCommand, OptionWordsInAnyCaseAfterDashOrSlash) {
    const struct {
        const char* option;
        PressmonCommand command;
    } cases[] = {
        {"-install", PressmonCommand::Install}, {"/INSTALL", PressmonCommand::Install},
        {"-Remove", PressmonCommand::Remove},   {"/remove", PressmonCommand::Remove},
        {"-debug", PressmonCommand::Debug},     {"/DeBuG", PressmonCommand::Debug},
        {"-installx", PressmonCommand::Dispatch}, {"install", PressmonCommand::Dispatch},
        {"--install", PressmonCommand::Dispatch}, {"-", PressmonCommand::Dispatch},
        {"", PressmonCommand::Dispatch},
    };
    for (const auto& c : cases) EXPECT_EQ(Parse(c.option), c.command) << c.option;
}

TEST(ParsePressmonCommand, NoArgumentHandsOverToTheServiceManager) {
    const char* argv[] = {"Pressmon", nullptr};
    EXPECT_EQ(ParsePressmonCommand(1, argv), PressmonCommand::Dispatch);
    EXPECT_EQ(ParsePressmonCommand(0, argv), PressmonCommand::Dispatch);
}
