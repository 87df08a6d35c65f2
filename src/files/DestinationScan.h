#pragma once
// The Destination menu's content and the two ways a destination's factory
// data are loaded: the scan of the definition files (with the remembered
// destination of the model), and the choice of one menu entry.

#include <string>
#include <vector>

#include "core/Model.h"
#include "files/ModelDefinitions.h"
#include "files/SettingsStore.h"

namespace rp770 {

inline constexpr int kDestinationMenuEntries = 11;  // entry 10 is never shown
inline constexpr const char* kIniFilePathSection = "IniFilePath";

// "IniFileName_" + model number: where the model's last destination is kept.
std::string RememberedDestinationKey(int modelNumber);

struct DestinationMenu {
    bool enabled = false;            // the menu as a whole
    std::vector<std::string> names;  // captions of the shown entries, in menu order (at most ten)
    int checked = -1;                // the entry whose definition was loaded last, or -1
};

struct DestinationContext {
    const ProgramData& program;
    int modelNumber = 1;
    SettingsStore& settings;
    ErrorLog& log = NoErrorLog();  // where a definition file that cannot be read is reported
};

enum class ScanOutcome {
    NoFiles,      // no definition file: the menu stays disabled, nothing loaded
    Loaded,       // the remembered (or first) destination loaded and checked
    LoadFailed,   // its definition was refused or unreadable; nothing checked
    NoEntry,      // the chosen name is not among the entries: nothing loaded
};

// Fills the menu from the folder, then loads the remembered destination of
// the model (its file must exist, an alias taken literally) or else the
// first name, which then becomes the remembered one.
ScanOutcome ScanModelDefinitions(const DestinationContext& context, DestinationMenu& menu, DataSet& data,
                                 DefinitionLoad* load = nullptr);

// Loads the definition of menu entry i and remembers it; on failure the
// check mark goes back where it was. Returns true when loaded.
bool SelectDestination(const DestinationContext& context, DestinationMenu& menu, int entry, DataSet& data,
                       DefinitionLoad* load = nullptr);

}  // namespace rp770
