#include "files/ModelList.h"

#include <algorithm>

#include "files/IniValue.h"
#include "files/ReadLimits.h"
#include "files/ValueText.h"

namespace rp770 {

namespace {
std::string ModelListText(const ProgramData& data) {
    std::string text;
    // A missing, unreadable or oversized file reads as empty.
    if (data.Read(kModelListFileName, text, kModelListLimit).Failed()) text.clear();
    return text;
}
}  // namespace

std::vector<int> OfferedModels(const ProgramData& data) {
    const std::string text = ModelListText(data);
    std::vector<int> offered;
    for (int n = 1; n <= kModelSlots; ++n) {
        const std::string use = ReadIniValueFromText(text, "model" + std::to_string(n), "use");
        if (use.empty()) break;
        if (LeadingValue(use) == 1.0) offered.push_back(n);
    }
    return offered;
}

ModelFlags ReadModelFlags(const ProgramData& data, int modelNumber) {
    const std::string text = ModelListText(data);
    const std::string section = "model" + std::to_string(modelNumber);
    auto flag = [&](const char* key) { return ToBoolean(ReadIniValueFromText(text, section, key)).value_or(false); };
    ModelFlags flags;
    flags.atis = flag("atis");
    flags.wx = flag("wx");
    flags.wa = flag("wa");
    return flags;
}

int ChooseStartModel(const std::vector<int>& offered, const SettingsStore& settings) {
    int current = offered.empty() ? 1 : offered.back();
    const std::optional<int16_t> last = ToInt16(settings.GetOr(kSettingsSection, kLastModelKey, "1"));
    if (last && *last >= 1 && *last < kModelSlots && std::find(offered.begin(), offered.end(), *last) != offered.end())
        current = *last;
    return current;
}

}  // namespace rp770
