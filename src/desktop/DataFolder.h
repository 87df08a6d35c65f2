#pragma once
// Where the shipped data (global.ini, the model definition files, the logo)
// are found: beside the executable first (a build folder, a portable copy),
// then in ../share/rp770 from the executable (an installed program), then
// in the folder named by RP770_DATA_DIR. The first folder whose global.ini
// offers a model wins.

#include <string>
#include <vector>

namespace rp770::platform {

inline constexpr const char* kDataDirVariable = "RP770_DATA_DIR";

struct DataFolderSearch {
    std::string folder;                 // the folder found; when none, the first one looked at
    std::vector<std::string> searched;  // every folder looked at, in order
    bool found = false;
    bool variableSet = false;           // RP770_DATA_DIR was set
};

// The search from the running executable's folder and the environment.
DataFolderSearch FindDataFolder();

// The same from given values (`dataDirVariable` null when unset).
DataFolderSearch FindDataFolder(const std::string& executableFolder, const char* dataDirVariable);

// A search of one folder named by the user (--data-dir).
DataFolderSearch UseDataFolder(const std::string& folder);

// What the user is told after "Unknown model!!" when no folder held a
// usable global.ini: the folders looked at and how to name another.
std::string DataFolderNotFoundMessage(const DataFolderSearch& search);

}  // namespace rp770::platform
