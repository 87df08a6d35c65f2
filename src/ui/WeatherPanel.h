#pragma once
// The weather channel panel (`pictD`): an enable and a scan box for each of
// the ten weather channels.

#include <QWidget>
#include <array>

#include "core/Model.h"
#include "messages/MessageId.h"
#include "presentation/WeatherView.h"
#include "workspace/Edits.h"

class QCheckBox;
class QLabel;

namespace rp770::ui {

class EditorContext;

class WeatherPanel : public QWidget {
    Q_OBJECT
public:
    WeatherPanel(EditorContext& context, QWidget* parent);

    // Unticks every box (a new data set is being prepared).
    void ClearBoxes();
    // Fills the panel from the weather channels and shows it.
    void FillWxPanel();
    // Shows the data again without moving the focus.
    void Refresh();

private:
    void OnEnableClicked(int k);
    void OnScanClicked(int k);
    // Stores a switch of weather channel k, then shows its row as the data hold it.
    void Store(int k, ChannelFlag flag, bool on);
    void ShowRow(int k, const presentation::WeatherRowView& row);
    void WatchFocusMark(QCheckBox* box, MessageId hint);

    EditorContext& context_;
    std::array<QLabel*, kWxChannels> lblWX_{};
    std::array<QCheckBox*, kWxChannels> chkDEnable_{};
    std::array<QCheckBox*, kWxChannels> chkDScan_{};
};

}  // namespace rp770::ui
