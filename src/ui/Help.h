#pragma once
// The help command: the troubleshooting text shipped with the program
// (cable, port, permissions, PC CONTROL mode), shown in a viewer window at
// the caller's topic. Where the text is missing, users are told there is
// no help.

#include <string>

#include "core/Services.h"
#include "platform/Prompter.h"

class QWidget;

namespace rp770::ui {

inline constexpr int kHelpContents = 1001;
inline constexpr int kHelpTransferDialog = 1012;
inline constexpr const char* kHelpFileName = "rp770-help.html";

// The help file in the data folder; empty when it is not there.
std::string HelpFilePath(const std::string& dataFolder);

// Shows the topic in the help viewer (one viewer, beside the owner's
// window, which stays usable), or the message that there is no help,
// captioned with the owner window's caption.
void ShowHelp(QWidget* owner, Prompter& prompter, const std::string& ownerCaption, int topic,
              const std::string& dataFolder);

}  // namespace rp770::ui
