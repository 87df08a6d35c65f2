#pragma once
// One editing session: the current radio model and its flags, the models on
// offer, the Destination menu, the data set, the current file and the flags
// of the last operation, with the operations the window and the
// command-line tool share. Messages go through the Prompter, remembered
// choices through the SettingsStore. Nothing here waits for a window or
// touches one: after each operation the window reads the getters and
// refreshes its menus, tree and panels.
//
// The flags describe the last operation: fileError() when a file was
// refused or could not be read or written, operationCancelled() when the
// operation stopped early (a failure, or a file dialog the window reports
// through MarkCancelled()).

#include <string>
#include <vector>

#include "core/Model.h"
#include "core/Services.h"
#include "files/DestinationScan.h"
#include "files/SettingsStore.h"

namespace rp770 {

// True for a path that names a memory image file (".hex", any case).
bool IsMemoryImagePath(const std::string& path);

class Workspace {
public:
    // `programFolder` holds global.ini and the model definition files.
    Workspace(std::string programFolder, SettingsStore& settings, Prompter& prompter);

    // ---- start ------------------------------------------------------------
    // Reads the offered models from global.ini, restores the remembered last
    // model (when below 10 and offered; else the last offered one) and its
    // flags. Returns false after "Unknown model!!" when no model is offered:
    // the program then ends. Call New() next for the first data set.
    bool Start();
    const std::vector<int>& offeredModels() const { return offeredModels_; }
    bool modelMenuVisible() const { return offeredModels_.size() > 1; }

    // ---- state ------------------------------------------------------------
    int modelNumber() const { return data_.modelNumber; }
    std::string modelName() const;
    std::string messageTitle() const;
    const ModelFlags& flags() const { return data_.flags; }
    const std::string& programFolder() const { return programFolder_; }
    DataSet& data() { return data_; }
    const DataSet& data() const { return data_; }
    bool& dataChanged() { return dataChanged_; }
    const std::string& currentFilePath() const { return currentFilePath_; }
    bool fileError() const { return fileError_; }
    bool operationCancelled() const { return operationCancelled_; }
    void MarkCancelled() { operationCancelled_ = true; }
    // The Destination menu: shown names in menu order and the checked entry.
    const DestinationMenu& destinations() const { return destinations_; }

    // ---- operations ---------------------------------------------------------
    // The data side of re-initialising the editor: factory defaults for the
    // current model; with rescan, the definition files are scanned and the
    // remembered destination is loaded. The current file path is emptied.
    void Reinitialise(bool rescan);

    // New data set: Reinitialise(true); the data are unchanged afterwards.
    void New();

    // Model change. Confirm... asks "Do you want to program the ... series?"
    // (false for Cancel). ChangeModel makes the model current, reads its
    // flags, remembers it as "lastmodel" and runs New(); false when it was
    // current already (nothing happens) or is not a model number.
    bool ConfirmModelChange(int model);
    bool ChangeModel(int model);

    // Destination change to menu entry i. Confirm... asks "Do you want to
    // change to ...?" unless the entry is the checked one. ChangeDestination
    // re-initialises without a rescan, loads entry i (on failure the check
    // mark goes back, after "IniFileRead Error!!") and leaves the data
    // unchanged. True when loaded.
    bool ConfirmDestinationChange(int entry);
    bool ChangeDestination(int entry);

    // Settings text file (.dat). Opening starts from the destination's
    // factory data (Reinitialise(true)), checks the model type and lays the
    // file over them. On success the path becomes the current file and the
    // data count as unchanged. Returns true on success.
    bool OpenDatFile(const std::string& path);
    bool SaveDatFile(const std::string& path);

    // Memory image file (.hex). Opening checks the length ("bad file!!") and
    // the model codes ("ModelType Error !!"), then replaces and decodes the
    // image; the path becomes the current file and the data count as
    // unchanged: the window then shows "General" again and rebuilds the
    // tree. Saving encodes the model and fixes the start channel first; the
    // current file and the data-changed flag stay as they were.
    bool OpenHexFile(const std::string& path);
    bool SaveHexFile(const std::string& path);

    // After a whole image was read from the radio (and decoded into the data
    // set): there is no current file, and nothing counts as changed.
    void ReadCompleted();

private:
    void ResetOperationFlags();
    void SetModel(int model);
    DestinationContext Context();
    void ReportDefinitionLoad(DefinitionLoad load);
    void Show(const char* text, Icon icon);

    std::string programFolder_;
    SettingsStore& settings_;
    Prompter& prompter_;

    std::vector<int> offeredModels_;
    DataSet data_;
    DestinationMenu destinations_;
    std::string currentFilePath_;
    bool dataChanged_ = false;
    bool fileError_ = false;
    bool operationCancelled_ = false;
};

}  // namespace rp770
