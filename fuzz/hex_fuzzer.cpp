// Memory image files (.hex) and model definition files from anyone: the
// same 1024-byte format, loaded into the image (a .hex file) or into a whole
// data set (a definition file). A refused file leaves everything as it was;
// an accepted one is exactly the file, and decodes into sound data.
#include <cstdint>
#include <string>

#include "core/MemoryImage.h"
#include "files/HexFile.h"
#include "files/ModelDefinitions.h"
#include "support/FuzzCheck.h"
#include "support/ModelChecks.h"
#include "support/ScratchFile.h"

using namespace rp770;
using namespace rp770::fuzz;

namespace {

MemoryImage PatternImage() {
    MemoryImage image;
    for (size_t i = 0; i < image.bytes.size(); ++i) image.bytes[i] = static_cast<uint8_t>(i * 37 + 11);
    return image;
}

bool PassesModelCheck(const uint8_t* bytes, size_t size) {
    return size == 1024 && bytes[0] == 0x01 && bytes[1] == 0x3E && bytes[1022] == 0x01 && bytes[1023] == 0x3E;
}

bool ImageHolds(const MemoryImage& image, const uint8_t* bytes, size_t size) {
    for (size_t i = 0; i < size; ++i)
        if (image.bytes[i] != bytes[i]) return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size) {
    const std::string_view file(reinterpret_cast<const char*>(bytes), size);
    const bool good = PassesModelCheck(bytes, size);

    // The .hex reader.
    const MemoryImage pattern = PatternImage();
    MemoryImage image = pattern;
    const HexRead read = ReadHexBytes(file, 1, image);
    FUZZ_CHECK((read == HexRead::WrongLength) == (size != 1024), "the length check of a .hex file");
    FUZZ_CHECK((read == HexRead::Loaded) == good, "a .hex file was judged wrongly");
    if (read == HexRead::Loaded) {
        FUZZ_CHECK(ImageHolds(image, bytes, size), "a loaded .hex file is not what the image holds");
        for (size_t i = size; i < image.bytes.size(); ++i)
            FUZZ_CHECK(image.bytes[i] == pattern.bytes[i], "loading a .hex file wrote past the used memory");
        // Saved again, it is the same file.
        FUZZ_CHECK(HexFileBytes(image) == file, "a saved image is not the file it came from");
    } else {
        FUZZ_CHECK(image == pattern, "a refused .hex file changed the image");
    }
    MemoryImage other = pattern;
    FUZZ_CHECK(ReadHexBytes(file, 2, other) != HexRead::Loaded && other == pattern,
               "a .hex file was taken for a model that has none");

    // The definition file reader: the whole data set changes only on success.
    DataSet data = FactoryData();
    const DefinitionLoad load = LoadDefinition(Failure{}, file, data);
    FUZZ_CHECK((load == DefinitionLoad::Loaded) == good, "a definition file was judged wrongly");
    if (load == DefinitionLoad::Loaded) {
        FUZZ_CHECK(ImageHolds(data.image, bytes, size), "a loaded definition is not what the image holds");
        CheckModel(data, "after loading a definition file");
        CheckEncode(data, "encoding a loaded definition");
    } else {
        FUZZ_CHECK(SameData(data, FactoryData()), "a refused definition file changed " + FirstDifference(data, FactoryData()));
    }
    return 0;
}
