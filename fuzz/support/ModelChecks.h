#pragma once
// What every data set must satisfy, however its bytes or text came in.

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/Model.h"

namespace rp770::fuzz {

// A data set of the supported model with every feature, at factory defaults.
const DataSet& FactoryData();

// Every field of two data sets (image included) is the same.
bool SameData(const DataSet& a, const DataSet& b);
// The first difference, for a failure message; empty when none.
std::string FirstDifference(const DataSet& a, const DataSet& b);

// Fields the model can hold: flags are booleans, positions name a slot of
// their plan, frequencies are finite, the tables keep their sizes, the image
// its size.
void CheckModel(const DataSet& data, const char* where);

// Encoding the data into the image (as before programming or saving) never
// touches the model-code bytes at both ends nor anything past the used
// memory; once the data have gone through the image they are stable: a
// second decode and encode gives the same image.
void CheckEncode(DataSet data, const char* where);

// The data sets met lately, so that checks whose outcome depends on nothing
// but the data set (it writes and reads back, it encodes and stays stable)
// run once per data set: most inputs read into a data set that an input
// shortly before gave, and the same checks on the same data cannot find
// anything new. A data set is remembered by what it holds beyond the
// factory data (every member of DataSet, records member by member), so a
// hit is an exact match and a remembered set costs little room.
//
// The same pass tells which records a file changed, so that the data set
// can be put back to the factory data for the next input without copying
// all of it.
class DataSetMemo {
public:
    explicit DataSetMemo(size_t slots) : slots_(slots) {}
    // Whether `data`, factory data with a file laid over it, was met
    // before; it is remembered from now on.
    bool Seen(const DataSet& data);
    // Puts the factory data back into `data`, the data set last given to Seen.
    void PutBackFactoryData(DataSet& data) const;

private:
    struct Key {
        int modelNumber = 0;
        ModelFlags flags;
        std::vector<uint8_t> image;  // when not the factory image
        std::array<ChannelGroup, kGroupCount> groups{};
        CommonSetup common;
        AtisSettings atis;
        size_t wxCount = 0;
        // The channel records unlike the factory's, numbered over USA, INT,
        // CAN, WX and EXP in that order.
        std::vector<std::pair<uint32_t, ChannelRecord>> records;
        bool operator==(const Key&) const = default;
    };
    static uint64_t Hash(const Key& key);

    std::vector<std::optional<std::pair<uint64_t, Key>>> slots_;  // hash and key
    std::vector<uint32_t> changed_;  // the records Seen found unlike the factory's
};

}  // namespace rp770::fuzz
