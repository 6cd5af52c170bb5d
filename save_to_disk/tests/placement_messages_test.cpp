// The engines' messages exist three times: the enum of their ids, the English
// texts the command-line tool writes, and sorvault's string table, from which
// the program shows them. Every text under every id must be the same in all.
#include <gtest/gtest.h>

#include <windows.h>

#include "common/win32/load_string.h"
#include "save_to_disk/engine/placement_messages.h"

TEST(PlacementMessages, TheStringTableHoldsEachEngineTextUnderItsId) {
    unsigned messages = 0;
    for (unsigned id = 0; id <= 0xFFFF; ++id) {
        const char* text = PlacementMessageText(id);
        if (text == nullptr) continue;
        ++messages;
        EXPECT_EQ(LoadStr(id), text) << "message " << id;
    }
    EXPECT_NE(messages, 0u);
}
