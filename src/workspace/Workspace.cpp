#include "workspace/Workspace.h"

#include "core/Codecs.h"

#include <exception>
#include <new>
#include <filesystem>

#include "core/CommandLine.h"
#include "core/ErrorLog.h"
#include "core/MemoryImage.h"
#include "core/Titles.h"
#include "files/DatReader.h"
#include "files/DatWriter.h"
#include "files/FileBytes.h"
#include "files/HexFile.h"
#include "files/ModelList.h"
#include "files/SectionTable.h"
#include "workspace/Messages.h"

namespace rp770 {

namespace {
// A failure the file code did not expect, as the error log shows it.
FileFailure UnexpectedFailure(const std::exception& e) {
    if (dynamic_cast<const std::bad_alloc*>(&e)) return {7, "Out of memory"};
    return {51, std::string("Internal error: ") + e.what()};
}
}  // namespace

Workspace::Workspace(std::string programFolder, SettingsStore& settings, Prompter& prompter)
    : programFolder_(std::move(programFolder)), settings_(settings), prompter_(prompter) {}

std::string Workspace::modelName() const { return ModelName(data_.modelNumber); }

std::string Workspace::messageTitle() const { return MessageTitle(data_.modelNumber); }

void Workspace::ResetOperationFlags() {
    fileError_ = false;
    operationCancelled_ = false;
}

void Workspace::Show(const char* text, Icon icon) { prompter_.Message(text, messageTitle(), icon); }

void Workspace::SetModel(int model) {
    data_.modelNumber = model;
    data_.flags = ReadModelFlags(ModelListPath(programFolder_), model);
}

DestinationContext Workspace::Context() { return DestinationContext{programFolder_, data_.modelNumber, settings_}; }

bool Workspace::Start() {
    offeredModels_ = OfferedModels(ModelListPath(programFolder_));
    if (offeredModels_.empty()) {
        prompter_.Message(msg::UnknownModel, AppTitle, Icon::Critical);
        return false;
    }
    SetModel(ChooseStartModel(offeredModels_, settings_));
    return true;
}

void Workspace::ReportDefinitionLoad(DefinitionLoad load) {
    switch (load) {
        case DefinitionLoad::Loaded:
        case DefinitionLoad::WrongLength:
            break;
        case DefinitionLoad::BadModelCode:
            fileError_ = true;
            break;
        case DefinitionLoad::Failed:
            fileError_ = true;
            operationCancelled_ = true;
            break;
    }
    if (load != DefinitionLoad::Loaded) Show(msg::IniFileReadError, Icon::Warning);
}

void Workspace::Reinitialise(bool rescan) {
    ResetDataSet(data_);
    if (rescan) {
        DefinitionLoad load = DefinitionLoad::Loaded;
        switch (ScanModelDefinitions(Context(), destinations_, data_, &load)) {
            case ScanOutcome::NoFiles:
                Show(msg::IniFilesNotFound, Icon::Warning);
                break;
            case ScanOutcome::LoadFailed:
                ReportDefinitionLoad(load);
                break;
            case ScanOutcome::Loaded:
            case ScanOutcome::NoEntry:
                break;
        }
    }
    currentFilePath_.clear();
}

bool IsMemoryImagePath(const std::string& path) {
    return path.size() >= 4 && EqualsNoCase(path.substr(path.size() - 4), ".hex");
}

void Workspace::ReadCompleted() {
    ResetOperationFlags();
    currentFilePath_.clear();
    dataChanged_ = false;
}

void Workspace::New() {
    ResetOperationFlags();
    Reinitialise(true);
    dataChanged_ = false;
}

bool Workspace::ConfirmModelChange(int model) {
    const Answer answer = prompter_.Ask("Do you want to program the " + ModelName(model) + " series?", messageTitle(),
                                        Icon::Warning, Buttons::OkCancel, Answer::Ok);
    return answer == Answer::Ok;
}

bool Workspace::ChangeModel(int model) {
    if (model == data_.modelNumber || model < 1 || model > kModelSlots) return false;
    SetModel(model);
    settings_.Set(kSettingsSection, kLastModelKey, std::to_string(model));
    New();
    return true;
}

bool Workspace::ConfirmDestinationChange(int entry) {
    if (entry < 0 || entry >= static_cast<int>(destinations_.names.size())) return false;
    if (entry == destinations_.checked) return true;
    const Answer answer = prompter_.Ask("Do you want to change to " + destinations_.names[static_cast<size_t>(entry)] + "?",
                                        messageTitle(), Icon::Warning, Buttons::OkCancel, Answer::Ok);
    return answer == Answer::Ok;
}

bool Workspace::ChangeDestination(int entry) {
    ResetOperationFlags();
    Reinitialise(false);
    DefinitionLoad load = DefinitionLoad::Loaded;
    const bool loaded = SelectDestination(Context(), destinations_, entry, data_, &load);
    if (!loaded && entry >= 0 && entry < static_cast<int>(destinations_.names.size())) ReportDefinitionLoad(load);
    dataChanged_ = false;
    return loaded;
}

bool Workspace::OpenDatFile(const std::string& path) {
    ResetOperationFlags();
    operationCancelled_ = true;  // until the file has been read
    Reinitialise(true);
    const bool scanFailed = fileError_;
    try {
        std::string text;
        FileFailure failure;
        if (!ReadWholeFile(path, text, &failure) && failure.number != 53) {
            ReportError("frmMain.FileRead2", failure.LogText());
            fileError_ = true;
            Show(msg::FileReadError, Icon::Warning);
            return false;
        }
        if (!ModelTypeMatches(text, data_.modelNumber)) {
            Show(msg::ModelTypeError, Icon::Critical);
            fileError_ = true;
            return false;
        }
        const SectionTable table = SectionTable::Parse(std::move(text));
        ApplySections(table, data_);
    } catch (const std::exception& e) {
        ReportError("frmMain.FileRead2", UnexpectedFailure(e).LogText());
        fileError_ = true;
        Show(msg::FileReadError, Icon::Warning);
        return false;
    }
    if (scanFailed) return false;  // the destination's factory data could not be loaded
    currentFilePath_ = path;
    dataChanged_ = false;
    operationCancelled_ = false;
    return true;
}

bool Workspace::SaveDatFile(const std::string& path) {
    ResetOperationFlags();
    FileFailure failure;
    bool saved = false;
    try {
        saved = SaveFileAs(path, data_, &failure);
    } catch (const std::exception& e) {
        failure = UnexpectedFailure(e);
    }
    if (!saved) {
        fileError_ = true;
        ReportError("frmMain.SaveFileAs", failure.LogText());
        Show(msg::FileSaveError, Icon::Warning);
        operationCancelled_ = true;
        return false;
    }
    currentFilePath_ = path;
    dataChanged_ = false;
    return true;
}

bool Workspace::OpenHexFile(const std::string& path) {
    ResetOperationFlags();
    auto readFailed = [&](const FileFailure& failure) {
        fileError_ = true;
        ReportError("frmMain.ReadHexFileAs", failure.LogText());
        Show(msg::FileReadError, Icon::Warning);
        operationCancelled_ = true;
        return false;
    };
    if (!RegularFileLength(path)) {
        std::error_code ec;
        return readFailed(std::filesystem::exists(path, ec) ? FileFailure{75, "Path/File access error"}
                                                           : FileFailure{53, "File not found"});
    }
    FileFailure failure;
    switch (ReadHexFileAs(path, data_.modelNumber, data_.image, &failure)) {
        case HexRead::WrongLength:
            Show(msg::BadFile, Icon::Critical);
            return false;
        case HexRead::BadModelCode:
            fileError_ = true;
            prompter_.Message(msg::ModelTypeError, msg::ReadFromRadioTitle, Icon::Critical);
            return false;
        case HexRead::Failed:
            return readFailed(failure);
        case HexRead::Loaded:
            break;
    }
    DecodeImage(data_);
    currentFilePath_ = path;
    dataChanged_ = false;
    return true;
}

bool Workspace::SaveHexFile(const std::string& path) {
    ResetOperationFlags();
    EncodeImage(data_);
    FixStartChannel(data_);
    FileFailure failure;
    if (!SaveHexFileAs(path, data_.image, &failure)) {
        ReportError("frmMain.SaveHexFileAs", failure.LogText());
        Show(msg::FileSaveError, Icon::Warning);
        operationCancelled_ = true;
        return false;
    }
    return true;
}

}  // namespace rp770
