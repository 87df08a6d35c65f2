#include "files/DestinationScan.h"

#include "core/Codecs.h"

namespace rp770 {

namespace {

DefinitionLoad LoadDestination(const DestinationContext& context, const std::string& caption, DataSet& data) {
    const std::optional<std::string> file = FindDefinitionFile(context.program, ToUpper(caption), context.modelNumber, true);
    const std::string name = file ? *file : ToUpper(StripAlias(caption)) + ModelFileSuffix(context.modelNumber) + ".ini";
    return FileReadIni(context.program, name, data, context.log);
}

}  // namespace

std::string RememberedDestinationKey(int modelNumber) { return "IniFileName_" + std::to_string(modelNumber); }

ScanOutcome ScanModelDefinitions(const DestinationContext& context, DestinationMenu& menu, DataSet& data,
                                 DefinitionLoad* load) {
    menu.enabled = false;
    menu.checked = -1;
    std::vector<std::string> names = ListDestinations(context.program, context.modelNumber);
    menu.names = std::move(names);
    if (menu.names.empty()) return ScanOutcome::NoFiles;
    menu.enabled = true;

    const std::string key = RememberedDestinationKey(context.modelNumber);
    std::string chosen = context.settings.GetOr(kIniFilePathSection, key, "");
    if (chosen.empty() || !FindDefinitionFile(context.program, chosen, context.modelNumber, false)) {
        chosen = menu.names.front();
        context.settings.Set(kIniFilePathSection, key, chosen);
    }

    for (size_t i = 0; i < menu.names.size(); ++i) {
        if (!EqualsNoCase(menu.names[i], chosen)) continue;
        const DefinitionLoad result = LoadDestination(context, menu.names[i], data);
        if (load) *load = result;
        if (result != DefinitionLoad::Loaded) return ScanOutcome::LoadFailed;
        menu.checked = static_cast<int>(i);
        return ScanOutcome::Loaded;
    }
    return ScanOutcome::NoEntry;
}

bool SelectDestination(const DestinationContext& context, DestinationMenu& menu, int entry, DataSet& data,
                       DefinitionLoad* load) {
    if (entry < 0 || entry >= static_cast<int>(menu.names.size())) return false;
    const int previous = menu.checked;
    menu.checked = -1;
    const std::string& caption = menu.names[static_cast<size_t>(entry)];
    const DefinitionLoad result = LoadDestination(context, caption, data);
    if (load) *load = result;
    if (result != DefinitionLoad::Loaded) {
        menu.checked = previous;
        return false;
    }
    menu.checked = entry;
    context.settings.Set(kIniFilePathSection, RememberedDestinationKey(context.modelNumber), caption);
    return true;
}

}  // namespace rp770
