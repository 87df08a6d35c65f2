#include "files/ModelDefinitions.h"

#include <algorithm>
#include <system_error>

#include "core/Codecs.h"
#include "core/ErrorLog.h"
#include "core/MemoryImage.h"

namespace rp770 {

namespace fs = std::filesystem;

namespace {

bool EndsWithNoCase(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && EqualsNoCase(std::string_view(text).substr(text.size() - tail.size()), tail);
}

bool LessNoCase(const std::string& a, const std::string& b) { return ToUpper(a) < ToUpper(b); }

// Regular files of the folder (links followed), by name.
std::vector<std::string> FileNames(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(folder), ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError)) names.push_back(it->path().filename().string());
    }
    return names;
}

}  // namespace

std::string ModelFileSuffix(int modelNumber) {
    return modelNumber == 1 ? "_" + HexDigits(kModelCode318, 4) : std::string();
}

std::vector<std::string> ListDestinations(const std::string& folder, int modelNumber) {
    const std::string tail = ModelFileSuffix(modelNumber) + ".ini";
    std::vector<std::string> files = FileNames(folder);
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

std::optional<fs::path> FindDefinitionFile(const std::string& folder, const std::string& destination, int modelNumber,
                                           bool resolveAlias) {
    const std::string name = (resolveAlias ? StripAlias(destination) : destination) + ModelFileSuffix(modelNumber) + ".ini";
    const fs::path dir = folder.empty() ? fs::path(".") : fs::path(folder);
    std::error_code ec;
    if (fs::is_regular_file(dir / name, ec)) return dir / name;
    std::vector<std::string> files = FileNames(folder);
    std::sort(files.begin(), files.end());
    for (const std::string& file : files)
        if (EqualsNoCase(file, name)) return dir / file;
    return std::nullopt;
}

DefinitionLoad FileReadIni(const fs::path& path, DataSet& data) {
    MemoryImage& image = data.image;
    const std::uintmax_t expected = static_cast<std::uintmax_t>(image.size());
    std::error_code ec;
    if (fs::exists(path, ec)) {
        const std::optional<std::uintmax_t> length = RegularFileLength(path);
        if (length && *length != expected) return DefinitionLoad::WrongLength;
    }
    std::string bytes;
    Failure failure = ReadWholeFile(path, bytes);
    if (failure.Failed() || bytes.size() != expected) {
        if (failure.Ok()) failure = {FailureKind::PastEndOfFile};
        ReportError("frmMain.FileReadIni", failure.LogText());
        return DefinitionLoad::Failed;
    }
    const auto* at = reinterpret_cast<const uint8_t*>(bytes.data());
    if (!ModelCodesAccepted(data.modelNumber, at, image.lastAddress)) return DefinitionLoad::BadModelCode;
    for (int a = 0; a <= image.lastAddress; ++a) image[a] = at[a];
    DecodeImage(data);
    return DefinitionLoad::Loaded;
}

}  // namespace rp770
