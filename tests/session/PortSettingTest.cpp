// The remembered serial port in the settings store.
#include "session/PortSetting.h"

#include <gtest/gtest.h>

#include <map>

namespace rp770 {
namespace {

using link::LinkState;

class MapStore : public SettingsStore {
public:
    std::map<std::pair<std::string, std::string>, std::string> values;
    std::optional<std::string> Get(const std::string& s, const std::string& k) const override {
        const auto it = values.find({s, k});
        if (it == values.end()) return std::nullopt;
        return it->second;
    }
    void Set(const std::string& s, const std::string& k, const std::string& v) override { values[{s, k}] = v; }
};

TEST(PortSettingTest, DefaultsToOneAndWritesNothing) {
    MapStore store;
    LinkState state;
    state.PortNumber = 4;
    LoadPortSetting(store, state);
    EXPECT_EQ(state.PortNumber, 1);
    EXPECT_EQ(state.PortDevice, "");
    EXPECT_TRUE(store.values.empty());
}

TEST(PortSettingTest, StoresDecimalText) {
    MapStore store;
    LinkState state;
    state.PortNumber = 3;
    SavePortSetting(store, state);
    EXPECT_EQ(store.values.at({"ComPath", "ComNum"}), "3");
    EXPECT_EQ(store.values.count({"ComPath", "ComDevice"}), 0u);
    LinkState back;
    LoadPortSetting(store, back);
    EXPECT_EQ(back.PortNumber, 3);
}

TEST(PortSettingTest, OddValues) {
    const std::pair<const char*, int> cases[] = {{"7", 7}, {"0", 0}, {"-2", -2}, {" 2 ", 2}, {"x", 1}, {"", 1}, {"70000", 1}};
    for (const auto& [text, number] : cases) {
        MapStore store;
        store.values[{"ComPath", "ComNum"}] = text;
        LinkState state;
        LoadPortSetting(store, state);
        EXPECT_EQ(state.PortNumber, number) << text;
    }
}

TEST(PortSettingTest, NamedDeviceIsKeptAndForgotten) {
    MapStore store;
    LinkState state;
    state.PortDevice = "/dev/ttyUSB0";
    SavePortSetting(store, state);
    LinkState back;
    LoadPortSetting(store, back);
    EXPECT_EQ(back.PortDevice, "/dev/ttyUSB0");
    back.PortDevice.clear();
    back.PortNumber = 2;
    SavePortSetting(store, back);
    EXPECT_EQ(store.values.at({"ComPath", "ComDevice"}), "");
}

}  // namespace
}  // namespace rp770
