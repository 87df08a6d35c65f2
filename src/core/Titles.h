#pragma once
// Model names and the texts built from them: the message title of the
// window's message boxes and the window caption.

#include <string>
#include <string_view>

namespace rp770 {

// "MR318" for model 1; "Unknown model" for every other number (in English: files keep it).
std::string ModelName(int modelNumber);
// The model menu caption: "MR318" for model 1, empty for the others.
std::string ModelMenuCaption(int modelNumber);
// "PC Program for " + model name, in the language in use.
std::string MessageTitle(int modelNumber);
// The file name part of a path, in lower case ("C:\Boats\Sea.DAT" -> "sea.dat").
// Both "\" and "/" separate folders, so the rule holds on every platform.
std::string FileNamePart(std::string_view path);
// AppTitle, two spaces, the message title; then " - " and the file name part
// when a file is current.
std::string WindowCaption(std::string_view appTitle, std::string_view messageTitle, std::string_view filePath);

}  // namespace rp770
