#pragma once
// The data the program ships with (the model list, the model definition
// files, the help text), carried inside the browser edition's module: there
// is no program folder to read them from.

#include <string_view>
#include <vector>

namespace rp770::web {

struct ShippedFile {
    std::string_view name;   // "global.ini", "USA_013E.ini", ...
    std::string_view bytes;
};

const std::vector<ShippedFile>& ShippedFiles();

}  // namespace rp770::web
