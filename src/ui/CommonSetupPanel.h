#pragma once
// The common setup panel (`pictCommon`): scanning, dual watch, weather
// alert, usable channel groups with their priority channels, and the ATIS
// code with its channel groups.

#include <QWidget>
#include <array>

#include "presentation/CommonSetupView.h"

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QScrollArea;
class QLabel;
class QLineEdit;

namespace rp770::ui {

class EditorContext;
class LineWidget;

class CommonSetupPanel : public QWidget {
    Q_OBJECT
public:
    CommonSetupPanel(EditorContext& context, QWidget* parent);

    // Shows the ATIS part only for a model with ATIS, the weather alert only
    // for a model with weather alert. Decided once, when the window starts.
    void SetOptionalPanelsVisible(bool atis, bool weatherAlert);

    // A new data set: unticked groups, fresh item lists, no ATIS code.
    void ClearAndPrepare();
    // Fills every control from the model (usable groups and priority
    // channels, common settings, ATIS), in that order.
    void Fill();
    void FillAtis();
    void RebuildPriorityLists();
    // The weather alert as the data hold it, enabled while a weather channel is.
    void ShowWeatherAlert();

    // The ATIS code check that leaving the screen runs; true when there is
    // nothing to refuse.
    bool CommitPendingInput();
    bool HasPendingInput() const { return atisEdited_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void BuildControls();
    // Two columns where they fit, one below the other where they do not.
    void ArrangeSections(int columns);
    int TwoColumnWidth() const;
    QWidget* BuildScanning(QWidget* parent);
    QWidget* BuildDualWatch(QWidget* parent);
    QWidget* BuildWeather(QWidget* parent);
    QWidget* BuildUsableGroups(QWidget* parent);
    QWidget* BuildAtis(QWidget* parent);
    void ConnectHandlers();
    void ShowGroups(const presentation::CommonSetupView& view);
    void ShowPriority(int group, const presentation::ChoiceView& priority);
    void ShowSettings(const presentation::CommonSetupView& view);
    void ShowAtis(const presentation::CommonSetupView& view);
    // Resume Time and PTT SCAN Clear, their labels and the scan lines.
    void ApplyScanState(bool on);
    void OnUsableToggled(int group);
    bool ValidateAtis();
    void AtisLostFocus(QWidget* to);
    void TakeOrRevertAtis();
    bool IsCurrent() const;

    EditorContext& context_;
    QScrollArea* scroll_ = nullptr;
    QWidget* child_ = nullptr;  // pictCommonChild
    QGridLayout* grid_ = nullptr;
    std::array<QWidget*, 5> sections_{};
    int columns_ = 0;
    QComboBox* cmbCommonScan_ = nullptr;
    QComboBox* cmbCommonResume_ = nullptr;
    QComboBox* cmbCommonPTTSCAN_ = nullptr;
    QComboBox* cmbCommonDual_ = nullptr;
    QComboBox* cmbCommonWeater_ = nullptr;
    QLabel* lblCommonResume_ = nullptr;
    QLabel* lblCommonPTTSCAN_ = nullptr;
    QLabel* lblCommonWeater_ = nullptr;
    std::array<LineWidget*, 3> linScan_{};
    QGroupBox* pictCommonWeater_ = nullptr;
    std::array<QCheckBox*, 4> chkUsable_{};
    std::array<QComboBox*, 4> cmbUsablePri_{};
    std::array<QLabel*, 4> lblUsablePri_{};
    QGroupBox* pictATIS_ = nullptr;
    std::array<QCheckBox*, 4> chkATISChGroup_{};
    QLabel* lblATISCode_ = nullptr;
    QLineEdit* txtATIScode_ = nullptr;
    bool atisEdited_ = false;  // typed in and not yet taken over
};

}  // namespace rp770::ui
