#pragma once
// The texts of the editing session's message boxes.

#include "core/Titles.h"

namespace rp770::msg {

inline constexpr const char* UnknownModel = "Unknown model!!";
inline constexpr const char* IniFilesNotFound = "Ini files are not found!!";
inline constexpr const char* IniFileReadError = "IniFileRead Error!!";
inline constexpr const char* ModelTypeError = "ModelType Error !!";
inline constexpr const char* FileReadError = "FileRead Error!!";
inline constexpr const char* FileSaveError = "FileSave Error!!";
inline constexpr const char* BadFile = "bad file!!";
// The title of the model type message of a memory image file.
inline constexpr const char* ReadFromRadioTitle = kReadFromRadioTitle;
inline constexpr const char* ProgramToRadioTitle = kProgramToRadioTitle;

}  // namespace rp770::msg
