#include "cli/CliSession.h"

#include <iostream>

#include "core/Codecs.h"
#include "core/ErrorLog.h"
#include "files/DestinationScan.h"
#include "files/ModelDefinitions.h"
#include "platform/ExecutablePath.h"
#include "platform/QtSettingsStore.h"
#include "os/UserFolders.h"

namespace rp770::cli {

void StderrPrompter::Message(const std::string& text, const std::string&, Icon) {
    ++count_;
    if (beforeMessage) beforeMessage();
    std::cerr << text << std::endl;
}

Answer StderrPrompter::Ask(const std::string& text, const std::string&, Icon, Buttons, Answer defaultAnswer) {
    ++count_;
    std::cerr << text << std::endl;
    return defaultAnswer;
}

CliSession::CliSession(const CliOptions& options)
    : options_(options),
      userStore_(std::make_unique<platform::QtSettingsStore>()),
      settings_(std::make_unique<ReadOnlyOverlayStore>(*userStore_)),
      workspace_(std::make_unique<Workspace>(options.dataDir, *settings_, prompter_)) {
    // --debug: errors are logged as the window logs them with /D, and the
    // monitor says where.
    if (options.Has("--debug")) {
        const std::filesystem::path folder = platform::ErrorLogFolder(platform::ExecutableFolder("."));
        ConfigureErrorLog(folder.string(), !folder.empty());
        std::cerr << "monitor: error log " << (folder.empty() ? "(none: no writable folder)" : ErrorLogPath()) << "\n";
    }
}

CliSession::~CliSession() = default;

int CliSession::Open() {
    Workspace& ws = *workspace_;
    if (!ws.Start()) {
        if (!options_.dataSearch.found) std::cerr << platform::DataFolderNotFoundMessage(options_.dataSearch) << "\n";
        return kExitFailure;
    }

    if (options_.destination) {
        const std::vector<std::string> names = ListDestinations(ws.programFolder(), ws.modelNumber());
        if (names.empty()) {
            ws.New();  // says that there are no definition files
            return kExitFailure;
        }
        std::string chosen;
        for (const std::string& name : names)
            if (EqualsNoCase(name, *options_.destination)) chosen = name;
        if (chosen.empty()) {
            std::cerr << "rp770-cli: unknown destination '" << *options_.destination << "'; the destinations are:";
            for (const std::string& name : names) std::cerr << " " << name;
            std::cerr << "\n";
            return kExitUsage;
        }
        settings_->Set(kIniFilePathSection, RememberedDestinationKey(ws.modelNumber()), chosen);
    }

    const int messagesBefore = prompter_.count();
    ws.New();
    const DestinationMenu& menu = ws.destinations();
    const bool loaded = menu.checked >= 0;
    if (loaded && options_.destination && !EqualsNoCase(menu.names[static_cast<size_t>(menu.checked)], *options_.destination)) {
        std::cerr << "rp770-cli: destination '" << *options_.destination << "' has no definition file\n";
        return kExitFailure;
    }
    if (!loaded) {
        if (prompter_.count() == messagesBefore) std::cerr << "rp770-cli: no destination could be loaded\n";
        return kExitFailure;
    }
    return kExitOk;
}

int RunWithSession(const std::vector<std::string>& args, const CliSpec& spec,
                   const std::function<int(const CliOptions&, Workspace&)>& body) {
    int exitCode = kExitUsage;
    const auto options = ParseCliOptions(args, spec, exitCode);
    if (!options) return exitCode;
    CliSession session(*options);
    if (const int status = session.Open(); status != kExitOk) return status;
    return body(*options, session.workspace());
}

bool OpenDataFile(Workspace& ws, const std::string& path) {
    return IsMemoryImagePath(path) ? ws.OpenHexFile(path) : ws.OpenDatFile(path);
}

bool SaveDataFile(Workspace& ws, const std::string& path) {
    return IsMemoryImagePath(path) ? ws.SaveHexFile(path) : ws.SaveDatFile(path);
}

}  // namespace rp770::cli
