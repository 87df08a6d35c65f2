#pragma once
// The help command. No help file is configured, so users are told so.

#include <string>

#include "core/Services.h"

namespace rp770::ui {

inline constexpr int kHelpContents = 1001;
inline constexpr int kHelpTransferDialog = 1012;

// The program-wide help file name; empty (nothing sets it).
const std::string& HelpFileName();

// Shows the topic of the help file, or the message that there is none,
// captioned with the owner window's caption.
void ShowHelp(Prompter& prompter, const std::string& ownerCaption, int topic);

}  // namespace rp770::ui
