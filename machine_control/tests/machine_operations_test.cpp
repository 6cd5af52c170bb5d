// Every operation of the catalogue: the words it sends and where the reply lands.
#include <gtest/gtest.h>

#include <algorithm>

#include "machine_control/tests/operation_table.h"
#include "machine_control/tests/recording_transport.h"

// Found by GoogleTest beside Operation: a case is shown by its name.
void PrintTo(const Operation& op, std::ostream* os) { *os << op.name; }

namespace {

class Catalogue : public testing::TestWithParam<Operation> {
protected:
    RecordingTransport transport;
};

TEST_P(Catalogue, SendsItsWordsAndReadsItsFields) {
    const Operation& op = GetParam();
    transport.answer = Reply();
    Bool32 result = 0;
    const Outs outs = op.call(result);

    EXPECT_TRUE(result);
    ASSERT_EQ(transport.requests.size(), 1u);
    const SmiRequest& sent = transport.requests[0];
    EXPECT_EQ(sent.Status, 0u);
    EXPECT_EQ(sent.Eax, op.sent.eax);
    EXPECT_EQ(sent.Ebx, op.sent.ebx);
    EXPECT_EQ(sent.Ecx, op.sent.ecx);
    EXPECT_EQ(sent.Edx, op.sent.edx);
    EXPECT_EQ(sent.Esi, op.sent.esi);
    EXPECT_EQ(sent.Edi, op.sent.edi);
    for (uint32_t word : sent.Reserved) EXPECT_EQ(word, 0u);  // bytes 40 and 41 among them
    EXPECT_EQ(outs, op.received);
}

TEST_P(Catalogue, RefusedReplyWritesNothing) {
    const Operation& op = GetParam();
    transport.answer = Reply(kSmiFailed);
    Bool32 result = 1;
    EXPECT_EQ(op.call(result), Untouched(op));
    EXPECT_FALSE(result);
}

TEST_P(Catalogue, FailedExchangeWritesNothing) {
    const Operation& op = GetParam();
    transport.answer = Reply();
    transport.fail = true;
    Bool32 result = 1;
    EXPECT_EQ(op.call(result), Untouched(op));
    EXPECT_FALSE(result);
}

TEST_P(Catalogue, AnyOtherStatusSucceeds) {
    const Operation& op = GetParam();
    transport.answer = Reply(0xFFFFFFFE);
    Bool32 result = 0;
    EXPECT_EQ(op.call(result), op.received);
    EXPECT_TRUE(result);
}

INSTANTIATE_TEST_SUITE_P(AllFifty, Catalogue, testing::ValuesIn(kCatalogue),
                         [](const testing::TestParamInfo<Operation>& info) { return std::string(info.param.name); });

TEST(Catalogue, QueryThenSetSendsTheSameFieldsBack) {
    RecordingTransport transport;
    transport.answer = Reply();

    uint8_t mode, y, z, w;
    uint16_t x;
    ASSERT_TRUE(GetParallPortOpMode(mode, x, y, z, w));
    ASSERT_TRUE(SetParallPortOpMode(x, y, z, w));
    EXPECT_EQ(transport.requests.back().Ecx, CX(transport.answer));
    EXPECT_EQ(transport.requests.back().Edx, uint32_t{DX(transport.answer)});

    uint8_t a, b, c, d;
    uint16_t e, f;
    ASSERT_TRUE(GetResumeOnTimer(a, b, c, d, e, f));
    ASSERT_TRUE(SetResumeOnTimer(a, b, c, d, e, f));
    const SmiRequest& set = transport.requests.back();
    EXPECT_EQ(DH(set), DH(transport.answer));
    EXPECT_EQ(DL(set), DL(transport.answer));
    EXPECT_EQ(CH(set), CH(transport.answer));
    EXPECT_EQ(CL(set), 0);
    EXPECT_EQ(SI(set), SI(transport.answer));
    EXPECT_EQ(DI(set), DI(transport.answer));
}

// Only a whole block is a reply: the count the driver reports decides, and a
// shorter answer is never read past its end nor copied into the reply.
TEST(Channel, OnlyAWholeBlockIsTakenAsReply) {
    const SmiRequest whole = Reply();
    for (uint32_t returned : {0u, 1u, 4u, 43u, 44u, 45u, 0xFFFFFFFFu}) {
        std::vector<uint8_t> answer(std::min<uint32_t>(returned, sizeof whole));
        std::copy_n(reinterpret_cast<const uint8_t*>(&whole), answer.size(), answer.begin());
        SmiRequest reply{};
        reply.Status = 0x12345678;
        const Bool32 taken = TakeSmiReply(answer.data(), returned, reply);
        EXPECT_EQ(bool(taken), returned == sizeof whole) << returned;
        EXPECT_EQ(reply.Status, returned == sizeof whole ? whole.Status : 0x12345678u) << returned;
    }
}

TEST(Channel, CloseTwiceIsHarmless) {
    RecordingTransport transport;
    EXPECT_TRUE(OpenMachineControl());
    EXPECT_TRUE(CloseMachineControl());
    EXPECT_FALSE(CloseMachineControl());
}

}  // namespace
