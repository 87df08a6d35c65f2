#pragma once
// The model definition files: one factory memory image per destination,
// among the program's data, named destination + model file suffix + ".ini".

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/ErrorLog.h"
#include "core/Model.h"
#include "core/Storage.h"

namespace rp770 {

inline constexpr int kMaxDestinations = 10;

// "_013E" for model 1 (an underscore and the model code in four upper-case
// hexadecimal digits); empty for every other model.
std::string ModelFileSuffix(int modelNumber);

// The destination names of the definition files: files
// matching "*" + suffix + ".ini" without regard to case, the part of the
// name before its first underscore in upper case, at most ten (taken in the
// order of the file names), sorted without regard to case. Names without an
// underscore have no destination and are left out.
std::vector<std::string> ListDestinations(const ProgramData& data, int modelNumber);

// A name ending in "-M" (longer than two characters, any case) is an alias
// of the name without those two characters.
bool IsAlias(const std::string& destination);
std::string StripAlias(const std::string& destination);

// The file name of a destination (aliases resolved): the exact name first,
// else the first name that matches without regard to case, as on the file
// systems the definition files were made for.
std::optional<std::string> FindDefinitionFile(const ProgramData& data, const std::string& destination, int modelNumber,
                                              bool resolveAlias);

// Loading a definition file into the data set.
enum class DefinitionLoad {
    Loaded,        // read, accepted and decoded
    WrongLength,   // not exactly the image's size; nothing happened
    BadModelCode,  // the model codes do not pass CheckModelCode; image untouched
    Failed,        // missing or unreadable; reported to the error log
};
// A file that cannot be read is reported to `log` under "frmMain.FileReadIni".
DefinitionLoad FileReadIni(const ProgramData& program, const std::string& name, DataSet& data, ErrorLog& log);
// The same for the bytes of a definition file as read (a missing file: Failed).
DefinitionLoad LoadDefinition(const Failure& readFailure, std::string_view bytes, DataSet& data);

}  // namespace rp770
