#include "desktop/DataFolder.h"

#include <cstdlib>
#include <filesystem>

#include "desktop/DiskFiles.h"
#include "files/ModelList.h"
#include "messages/MessageText.h"
#include "desktop/ExecutablePath.h"

namespace rp770::platform {

namespace fs = std::filesystem;

namespace {

bool HoldsModelList(const std::string& folder) { return !OfferedModels(FolderProgramData(folder)).empty(); }

void LookIn(DataFolderSearch& search, const fs::path& folder) {
    const std::string name = folder.lexically_normal().string();
    if (search.found || name.empty()) return;
    search.searched.push_back(name);
    if (HoldsModelList(name)) {
        search.folder = name;
        search.found = true;
    }
}

}  // namespace

DataFolderSearch FindDataFolder(const std::string& executableFolder, const char* dataDirVariable) {
    DataFolderSearch search;
    search.variableSet = dataDirVariable && *dataDirVariable;
    const fs::path exe(executableFolder);
    LookIn(search, exe);
    LookIn(search, exe / ".." / "share" / "rp770");
    if (search.variableSet) LookIn(search, fs::path(dataDirVariable));
    if (!search.found) search.folder = search.searched.empty() ? "." : search.searched.front();
    return search;
}

DataFolderSearch FindDataFolder() { return FindDataFolder(ExecutableFolder("."), std::getenv(kDataDirVariable)); }

DataFolderSearch UseDataFolder(const std::string& folder) {
    DataFolderSearch search;
    search.folder = folder;
    search.searched = {folder};
    search.found = HoldsModelList(folder);
    return search;
}

std::string DataFolderNotFoundMessage(const DataFolderSearch& search) {
    std::string folders;
    for (const std::string& folder : search.searched) folders += "\n  " + folder;
    std::string text = Words(MessageId::NoModelListFound, folders);
    if (!search.variableSet && search.searched.size() > 1)
        text += "\n" + Words(MessageId::SetDataDirVariable, kDataDirVariable);
    return text;
}

}  // namespace rp770::platform
