#include "files/HexFile.h"

#include <cstdint>

#include "files/AtomicFile.h"
#include "core/MemoryImage.h"
#include "files/ModelDefinitions.h"

namespace rp770 {

Failure SaveHexFileAs(const std::string& path, const MemoryImage& image) {
    const std::string_view bytes(reinterpret_cast<const char*>(image.bytes.data()), static_cast<size_t>(image.size()));
    return WriteFileAtomically(path, bytes);
}

HexReadResult ReadHexFileAs(const std::string& path, int modelNumber, MemoryImage& image) {
    const size_t expected = static_cast<size_t>(image.size());
    const std::optional<std::uintmax_t> length = RegularFileLength(path);
    if (length && *length != expected) return {HexRead::WrongLength, {}};

    std::string bytes;
    Failure readFailure = ReadWholeFile(path, bytes);
    if (readFailure.Ok() && bytes.size() != expected) readFailure = {FailureKind::PastEndOfFile};
    // What was read, the rest zero: a short read normally fails the model code check.
    bytes.resize(expected, '\0');
    const auto* at = reinterpret_cast<const uint8_t*>(bytes.data());
    if (!ModelCodesAccepted(modelNumber, at, image.lastAddress)) return {HexRead::BadModelCode, {}};
    if (readFailure.Failed()) return {HexRead::Failed, readFailure};
    for (int a = 0; a <= image.lastAddress; ++a) image[a] = at[a];
    return {HexRead::Loaded, {}};
}

}  // namespace rp770
