#include "core/Titles.h"

#include "core/Codecs.h"
#include "messages/MessageText.h"

namespace rp770 {

// Files and reports name the model in English whatever the language.
std::string ModelName(int modelNumber) { return modelNumber == 1 ? "MR318" : EnglishWords(MessageId::UnknownModelName); }

std::string ModelMenuCaption(int modelNumber) { return modelNumber == 1 ? "MR318" : ""; }

std::string MessageTitle(int modelNumber) {
    return Words(MessageId::MessageTitle, modelNumber == 1 ? ModelName(modelNumber) : Words(MessageId::UnknownModelName));
}

std::string FileNamePart(std::string_view path) {
    const size_t sep = path.find_last_of("\\/");
    const std::string_view name = sep == std::string_view::npos ? path : path.substr(sep + 1);
    return ToLower(name);
}

std::string WindowCaption(std::string_view appTitle, std::string_view messageTitle, std::string_view filePath) {
    std::string caption = std::string(appTitle) + "  " + std::string(messageTitle);
    if (!filePath.empty()) caption += " - " + FileNamePart(filePath);
    return caption;
}

}  // namespace rp770
