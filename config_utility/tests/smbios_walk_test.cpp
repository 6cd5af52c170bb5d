// The SMBIOS walk over tables built structure by structure: which values it
// takes and when, string numbers, and tables that do not hold together.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "config_utility/core/smbios_walk.h"
#include "simulator/model/smbios_table.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// A structure: its formatted area (type, length, handle, then `fields`) and its strings.
Bytes Structure(std::uint8_t type, const Bytes& fields, const std::vector<std::string>& strings) {
    Bytes s{type, static_cast<std::uint8_t>(4 + fields.size()), 0x00, 0x00};
    s.insert(s.end(), fields.begin(), fields.end());
    for (const std::string& text : strings) {
        s.insert(s.end(), text.begin(), text.end());
        s.push_back(0);
    }
    if (strings.empty()) s.push_back(0);
    s.push_back(0);
    return s;
}
// Types 0, 1 and 2 with their string numbers at offsets 5 and 7.
Bytes Bios(std::uint8_t version = 2) { return Structure(0, {1, version, 0}, {"Vendor", "V1.20", "03/15/98"}); }
Bytes System() { return Structure(1, {1, 2, 3, 4}, {"Maker", "Model 510", "1.0", "SU123"}); }
Bytes Board() { return Structure(2, {1, 2, 3, 4}, {"Maker", "MB-510", "Rev B", "BD456"}); }
Bytes End() { return Structure(127, {}, {}); }

Bytes Join(const std::vector<Bytes>& parts) {
    Bytes table;
    for (const Bytes& part : parts) table.insert(table.end(), part.begin(), part.end());
    return table;
}

struct Values {
    std::string bios, unit, board, model;
    bool operator==(const Values&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Values& v) {
    return out << "{" << v.bios << ", " << v.unit << ", " << v.board << ", " << v.model << "}";
}

// The walk's values, or "*****" in each when it sets none.
Values Walk(const Bytes& table) {
    SystemInformation info;
    for (char* value : {info.biosVersion, info.systemUnitSerial, info.systemBoardSerial, info.machineModel})
        std::strcpy(value, "*****");
    // An exact-size copy, so that a read past the end is one past the allocation.
    std::vector<std::uint8_t> bytes(table);
    const bool set = WalkSmbiosTable(bytes.data(), bytes.size(), info);
    const Values values{info.biosVersion, info.systemUnitSerial, info.systemBoardSerial, info.machineModel};
    EXPECT_EQ(set, values.bios != "*****");
    return values;
}

const Values kUnset{"*****", "*****", "*****", "*****"};
const Values kAll{"V1.20", "SU123", "BD456", "Model 510"};

TEST(SmbiosWalk, TakesTheValuesOnceAStructureOfAnotherTypeFollowsAllThree) {
    struct Case {
        const char* name;
        Bytes table;
        Values values;
    };
    const std::string longName(300, 'x');
    const Case cases[] = {
        {"0, 1, 2, 127", Join({Bios(), System(), Board(), End()}), kAll},
        {"2, 1, 0, then an OEM type", Join({Board(), System(), Bios(), Structure(0x80, {7}, {"OEM"})}), kAll},
        {"another type between them", Join({Bios(), Structure(4, {1}, {"CPU"}), System(), Board(), End()}), kAll},
        {"no type 2", Join({Bios(), System(), End()}), kUnset},
        {"no structure after the three", Join({Bios(), System(), Board()}), kUnset},
        {"version is the second string", Join({Bios(2), System(), Board(), End()}), kAll},
        {"version is the first string", Join({Bios(1), System(), Board(), End()}),
         {"Vendor", "SU123", "BD456", "Model 510"}},
        {"string number 0 names no string", Join({Bios(0), System(), Board(), End()}),
         {"", "SU123", "BD456", "Model 510"}},
        {"string number beyond the set", Join({Bios(9), System(), Board(), End()}),
         {"", "SU123", "BD456", "Model 510"}},
        {"formatted area too short for offset 7",
         Join({Bios(), Structure(1, {1, 2}, {"Maker", "Model 510"}), Board(), End()}),
         {"V1.20", "", "BD456", "Model 510"}},
        {"255 characters at most", Join({Structure(0, {1, 1}, {longName}), System(), Board(), End()}),
         {std::string(255, 'x'), "SU123", "BD456", "Model 510"}},
        {"a later type 0 replaces the first",
         Join({Bios(), System(), Structure(0, {1, 1}, {"V2.00"}), Board(), End()}),
         {"V2.00", "SU123", "BD456", "Model 510"}},
    };
    for (const Case& c : cases) EXPECT_EQ(Walk(c.table), c.values) << c.name;
}

TEST(SmbiosWalk, StopsWithoutValuesOnTablesThatDoNotHoldTogether) {
    const Bytes good = Join({Bios(), System(), Board(), End()});
    const std::size_t endAt = good.size() - End().size();
    Bytes zeroLength = good;
    zeroLength[endAt + 1] = 0;  // would step by nothing for ever
    Bytes shortHeader = good;
    shortHeader[endAt + 1] = 3;
    Bytes areaPastEnd = good;
    areaPastEnd[endAt + 1] = 0xFF;
    Bytes noDoubleNul = Join({Bios(), System(), Board()});
    noDoubleNul.back() = 'x';  // the board's set never closes
    noDoubleNul.push_back(127);
    const struct {
        const char* name;
        Bytes table;
    } cases[] = {
        {"empty", {}},
        {"zero length", zeroLength},
        {"length below the header", shortHeader},
        {"formatted area past the end", areaPastEnd},
        {"string set without its end", noDoubleNul},
        {"cut inside the last structure's header", Bytes(good.begin(), good.begin() + endAt + 3)},
        {"cut inside a string", Bytes(good.begin(), good.begin() + 30)},
        {"only zeros", Bytes(64, 0)},
    };
    for (const auto& c : cases) EXPECT_EQ(Walk(c.table), kUnset) << c.name;
}

TEST(SmbiosWalk, ReadsTheVirtualNotebooksTable) {
    const Bytes table(std::begin(kDefaultSmbiosTable), std::end(kDefaultSmbiosTable));
    EXPECT_EQ(Walk(table), (Values{"V1.20", "SU9804217", "BD9811306", "Notebook 510CT"}));
}

// Every cut and thousands of damaged copies of a good table: the walk stays
// inside the bytes (the sanitizer build catches a read past them) and any
// value it gives is terminated.
TEST(SmbiosWalk, DamagedTablesStayInBounds) {
    const Bytes good = Join({Bios(), System(), Board(), End()});
    for (std::size_t cut = 0; cut <= good.size(); ++cut) Walk(Bytes(good.begin(), good.begin() + cut));
    std::mt19937 random(1998);
    for (int round = 0; round < 20000; ++round) {
        Bytes table = good;
        const int flips = 1 + static_cast<int>(random() % 4);
        for (int i = 0; i < flips; ++i) table[random() % table.size()] = static_cast<std::uint8_t>(random());
        table.resize(random() % (table.size() + 1));
        SystemInformation info;
        if (WalkSmbiosTable(table.data(), table.size(), info)) {
            for (const char* value : {info.biosVersion, info.systemUnitSerial, info.machineModel, info.systemBoardSerial})
                ASSERT_NE(std::memchr(value, 0, kSmbiosValueSize), nullptr);
        }
    }
}

}  // namespace
