#pragma once
// How much of each kind of file is read. A file beyond its kind's limit is
// refused, and reading stops there: a device or a stream that never ends
// (/dev/zero, a pipe) costs no more than the limit. The limits of text
// files are generous: a full settings text file is about 70 KB, a full
// channel table about 30 KB.

#include <cstddef>

#include "core/Model.h"

namespace rp770 {

inline constexpr size_t kSettingsTextLimit = size_t{4} << 20;  // .dat
inline constexpr size_t kChannelTableLimit = size_t{4} << 20;  // .csv
inline constexpr size_t kModelListLimit = size_t{1} << 20;     // global.ini
inline constexpr size_t kRosterLimit = size_t{1} << 20;        // a fleet's roster: a line per radio

// A memory image file or a model definition file is exactly the image: a
// longer one has the wrong length, whatever follows.
inline size_t MemoryImageFileLimit(const MemoryImage& image) { return static_cast<size_t>(image.size()); }

}  // namespace rp770
