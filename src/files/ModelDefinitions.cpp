#include "files/ModelDefinitions.h"

#include <algorithm>

#include "core/Codecs.h"
#include "core/ErrorLog.h"
#include "core/MemoryImage.h"
#include "files/ReadLimits.h"

namespace rp770 {

namespace {

bool EndsWithNoCase(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && EqualsNoCase(std::string_view(text).substr(text.size() - tail.size()), tail);
}

bool LessNoCase(const std::string& a, const std::string& b) { return ToUpper(a) < ToUpper(b); }

}  // namespace

std::string ModelFileSuffix(int modelNumber) {
    return modelNumber == 1 ? "_" + HexDigits(kModelCode318, 4) : std::string();
}

std::vector<std::string> ListDestinations(const ProgramData& data, int modelNumber) {
    const std::string tail = ModelFileSuffix(modelNumber) + ".ini";
    std::vector<std::string> files = data.Names();
    // The listing order is the file system's; sorting first makes the choice
    // of ten among more files the same on every machine.
    std::sort(files.begin(), files.end(), [](const std::string& a, const std::string& b) {
        const std::string ua = ToUpper(a), ub = ToUpper(b);
        return ua != ub ? ua < ub : a < b;
    });
    std::vector<std::string> names;
    for (const std::string& file : files) {
        if (static_cast<int>(names.size()) >= kMaxDestinations) break;
        if (!EndsWithNoCase(file, tail)) continue;
        const size_t underscore = file.find('_');
        if (underscore == std::string::npos) continue;
        names.push_back(ToUpper(file.substr(0, underscore)));
    }
    std::stable_sort(names.begin(), names.end(), LessNoCase);
    return names;
}

bool IsAlias(const std::string& destination) {
    return destination.size() > 2 && EndsWithNoCase(destination, "-M");
}

std::string StripAlias(const std::string& destination) {
    return IsAlias(destination) ? destination.substr(0, destination.size() - 2) : destination;
}

std::optional<std::string> FindDefinitionFile(const ProgramData& data, const std::string& destination, int modelNumber,
                                              bool resolveAlias) {
    const std::string name = (resolveAlias ? StripAlias(destination) : destination) + ModelFileSuffix(modelNumber) + ".ini";
    std::vector<std::string> files = data.Names();
    if (std::find(files.begin(), files.end(), name) != files.end()) return name;
    std::sort(files.begin(), files.end());
    for (const std::string& file : files)
        if (EqualsNoCase(file, name)) return file;
    return std::nullopt;
}

DefinitionLoad FileReadIni(const ProgramData& program, const std::string& name, DataSet& data, ErrorLog& log) {
    std::string bytes;
    const Failure failure = program.Read(name, bytes, MemoryImageFileLimit(data.image));
    // A file longer than the image has the wrong length, as one shorter has.
    if (failure.kind == FailureKind::TooLarge) return DefinitionLoad::WrongLength;
    if (failure.Failed()) log.Report("frmMain.FileReadIni", failure.LogText());
    return LoadDefinition(failure, bytes, data);
}

DefinitionLoad LoadDefinition(const Failure& readFailure, std::string_view bytes, DataSet& data) {
    MemoryImage& image = data.image;
    const size_t expected = static_cast<size_t>(image.size());
    if (readFailure.Failed()) return DefinitionLoad::Failed;
    if (bytes.size() != expected) return DefinitionLoad::WrongLength;
    const auto* at = reinterpret_cast<const uint8_t*>(bytes.data());
    if (!ModelCodesAccepted(data.modelNumber, at, image.lastAddress)) return DefinitionLoad::BadModelCode;
    for (int a = 0; a <= image.lastAddress; ++a) image[a] = at[a];
    DecodeImage(data);
    return DefinitionLoad::Loaded;
}

}  // namespace rp770
