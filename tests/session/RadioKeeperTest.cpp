// The kept radio memories over a store in memory: names that sort by age
// and never collide, the bounds, the partly programmed radios by port, and
// the desktop's folder.
#include "session/RadioKeeper.h"

#include <gtest/gtest.h>


namespace rp770 {
namespace {

constexpr int64_t kDecember9 = 1796796900;  // 2026-12-09T06:15:00Z

TEST(RadioKeeper, UtcTimesAreCalendarTimes) {
    const struct {
        int64_t seconds;
        const char* iso;
        const char* compact;
    } cases[] = {
        {0, "1970-01-01T00:00:00Z", "19700101T000000Z"},
        {kDecember9, "2026-12-09T06:15:00Z", "20261209T061500Z"},
        {1709251199, "2024-02-29T23:59:59Z", "20240229T235959Z"},  // a leap day's last second
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UtcIsoTime(c.seconds), c.iso);
        EXPECT_EQ(UtcCompactTime(c.seconds), c.compact);
    }
}

struct Keeper {
    int64_t now = kDecember9;
    MemoryKeeperStorage storage;
    StoredRadioKeeper keeper{storage, [this] { return now; }, KeeperBounds{3, 5000}};

    std::string Keep(const std::string& bytes, const std::string& atis = "211234560",
                     KeepReason reason = KeepReason::Read) {
        std::string id;
        EXPECT_TRUE(keeper.Keep(bytes, "MR318", atis, reason, &id).Ok());
        return id;
    }
    std::vector<std::string> Ids() {
        std::vector<std::string> ids;
        for (const KeptImage& image : keeper.List()) ids.push_back(image.id);
        return ids;
    }
};

TEST(RadioKeeper, ImagesOfOneSecondGetCountersAndListNewestFirst) {
    Keeper k;
    const std::string first = k.Keep("a");
    const std::string second = k.Keep("b", "", KeepReason::BeforeProgramming);
    k.now += 1;
    const std::string third = k.Keep("c");
    EXPECT_EQ(first, "20261209T061500Z-MR318-211234560-read-1.hex");
    EXPECT_EQ(second, "20261209T061500Z-MR318-none-before-programming-2.hex");
    EXPECT_EQ(third, "20261209T061501Z-MR318-211234560-read-1.hex");
    EXPECT_EQ(k.Ids(), (std::vector<std::string>{third, second, first}));

    EXPECT_EQ(k.keeper.List()[1].time, "2026-12-09T06:15:00Z");
    std::string bytes;
    EXPECT_TRUE(k.keeper.Read("partly-programmed-73696d.txt", bytes).Failed()) << "only kept images are read";
}

TEST(RadioKeeper, TheOldestGoBeyondTheCountOrTheSize) {
    const struct {
        const char* name;
        std::vector<size_t> sizes;  // kept one a second, in order
        size_t left;                // the newest that stay
    } cases[] = {
        {"within both", {1000, 1000, 1000}, 3},
        {"past the count", {10, 10, 10, 10, 10}, 3},
        {"past the size", {3000, 1500, 1500}, 2},
        {"the newest stays whatever its size", {100, 9000}, 1},
    };
    for (const auto& c : cases) {
        Keeper k;
        std::vector<std::string> kept;
        for (const size_t size : c.sizes) {
            kept.insert(kept.begin(), k.Keep(std::string(size, 'x')));
            ++k.now;
        }
        kept.resize(c.left);
        EXPECT_EQ(k.Ids(), kept) << c.name;
    }
}

TEST(RadioKeeper, OnePartlyProgrammedRadioPerPort) {
    Keeper k;
    const PartialProgramming first{"/dev/ttyUSB0", "/boats/a.dat", "2026-12-09T06:15:00Z", "[Common]\nx=1\n\n"};
    const PartialProgramming second{"/dev/ttyUSB0", "", "2026-12-09T06:16:00Z", "plan two"};
    const PartialProgramming other{"COM3", "b.dat", "2026-12-09T06:14:00Z", "plan three"};
    ASSERT_TRUE(k.keeper.RememberPartial(first).Ok());
    ASSERT_TRUE(k.keeper.RememberPartial(other).Ok());
    EXPECT_EQ(k.keeper.Partials(), (std::vector<PartialProgramming>{first, other}));
    ASSERT_TRUE(k.keeper.RememberPartial(second).Ok());
    EXPECT_EQ(k.keeper.Partials(), (std::vector<PartialProgramming>{second, other}));
    k.keeper.ForgetPartial("/dev/ttyUSB0");
    EXPECT_EQ(k.keeper.Partials(), std::vector<PartialProgramming>{other});
    EXPECT_TRUE(k.keeper.List().empty());
}

}  // namespace
}  // namespace rp770
