#pragma once
// The weather channel panel (`pictD`): an enable and a scan box for each of
// the ten weather channels.

#include <QWidget>
#include <array>
#include <functional>

#include "core/Model.h"

class QCheckBox;
class QLabel;

namespace rp770::ui {

class EditorContext;

class WeatherPanel : public QWidget {
    Q_OBJECT
public:
    WeatherPanel(EditorContext& context, QWidget* parent);

    // Called when the weather alert must follow the weather channels.
    std::function<void(bool available)> setWeatherAlertAvailable;

    // Unticks every box (a new data set is being prepared).
    void ClearBoxes();
    // Fills the panel from the weather channels and shows it.
    void FillWxPanel();

private:
    void OnEnableClicked(int k);
    void OnScanClicked(int k);
    void WatchFocusMark(QCheckBox* box, const char* hint);
    bool AnyEnabled() const;

    EditorContext& context_;
    std::array<QLabel*, kWxChannels> lblWX_{};
    std::array<QCheckBox*, kWxChannels> chkDEnable_{};
    std::array<QCheckBox*, kWxChannels> chkDScan_{};
};

}  // namespace rp770::ui
