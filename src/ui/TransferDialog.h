#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "core/Model.h"
#include "core/Services.h"
#include "platform/Prompter.h"
#include "link/TransferEngine.h"
#include "session/AppSession.h"

class QFrame;
class QLabel;
class QPushButton;

namespace rp770::ui {

class RadioPicture;
class CablePicture;

// Read and Program are the transfers; Compare reads the radio as Read does,
// into a data set of its own; Probe is the connection test, which reads
// nothing but the radio's status and model code.
enum class TransferMode { Read = 0, Program = 1, Compare = 2, Probe = 3 };

// The modal window every exchange with the radio runs in: instructions, a
// drawing of the radio and cable, the progress bar, the monitor line (debug
// mode) and OK / Cancel / Help.
class TransferDialog : public QDialog, private link::TransferObserver {
    Q_OBJECT
public:
    // The session runs the transfer on its link; messages go to the prompter.
    TransferDialog(TransferMode mode, AppSession& session, Prompter& prompter, Clock& clock, QWidget* parent = nullptr);
    ~TransferDialog() override;

    static QString TransferTitle(TransferMode mode);
    static QString InstructionText();

    // Compare: what the radio holds, once the read completed.
    const std::optional<DataSet>& radioData() const { return radioData_; }
    bool transferBusy() const { return busy_; }
    int progress() const { return progress_; }

    // Buttons, as the user presses them.
    void OkClicked();
    void CancelClicked();
    void HelpClicked();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;  // Escape: as Cancel

private:
    // TransferObserver
    void SetProgress(int percent) override;
    void ShowMonitor(const std::string& text) override;
    void SetControlsEnabled(bool enabled) override;
    void ShowActivity(const std::string& text) override;

    void Monitor(const QString& text);  // the dialog's own monitor texts
    void LayoutPictures(int top);
    void RunProbe();

    TransferMode mode_;
    AppSession& session_;
    link::TransferEngine& engine_;
    Prompter& prompter_;
    Clock& clock_;
    bool debugMode_;
    bool busy_ = false;
    std::optional<DataSet> radioData_;
    int progress_ = 0;

    QLabel* lblmess_;
    RadioPicture* pictHandy_;
    CablePicture* pictB_;
    QFrame* pictProgress_;
    QLabel* lblPercent_;
    QLabel* lblmon_;
    QLabel* lblActivity_;  // what the link is doing or waiting for
    QPushButton* cmdOK_;
    QPushButton* cmdCancel_;
    QPushButton* cmdHelp_;
};

}  // namespace rp770::ui
