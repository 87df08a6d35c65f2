#pragma once
// The channel editor (`pictC`): one channel's switches, and for an EXP
// channel also its display characters and frequencies. A view of the
// editor's form (presentation/EditorForm.h), which holds the typed text and
// decides when it is taken: the panel passes on keys, focus moves and
// clicks, and shows what the form says.

#include <QWidget>
#include <array>
#include <functional>
#include <optional>

#include "core/Model.h"
#include "messages/MessageId.h"
#include "presentation/ChannelEditorView.h"
#include "presentation/EditorForm.h"
#include "ui/PresentationNames.h"
#include "workspace/Edits.h"

class QCheckBox;
class QLayout;
class QLabel;
class QLineEdit;

namespace rp770::ui {

class EditorContext;
class LineWidget;

class ChannelEditorPanel : public QWidget {
    Q_OBJECT
public:
    ChannelEditorPanel(EditorContext& context, QWidget* parent);

    // Empties the fields (a new data set is being prepared).
    void ClearFields();
    // Fills the editor for a USA, INT or CAN channel and shows it.
    void LoadChannelEditor(int plan, int slot);
    // Fills the editor for EXP channel n (1-20) and shows it.
    void LoadExpEditor(int n);

    // The part of the pending-input check that belongs to this panel: takes
    // the typed entries; when the screen is being left, it also refuses an
    // enabled EXP channel the user left without a receive frequency or
    // display characters (an undo or redo replaces the data instead, so such
    // a channel must not stop it). The form's stop is shown.
    bool CommitPendingInput(bool leaving = true);
    // Input not finished: typed text not in the data yet, or a channel the
    // user made incomplete.
    bool HasPendingInput() const;
    // Shows the data again (after an undo, say) without moving the focus.
    void Refresh();

    // Places the inner box and its frame (twips, relative to this panel),
    // lower where the head needs more room; ChannelBox() is where it went.
    void PlaceChannelBox(const layout::Rect& box, double twipsPerPixel);
    layout::Rect ChannelBox() const { return channelBox_; }

    bool EditingExp() const { return form_.EditingExp(); }
    const presentation::EditorForm& Form() const { return form_; }

private:
    struct FrequencyBox {
        QLineEdit* edit = nullptr;
        MessageId title = MessageId::RxFrequencyHint;
        presentation::EditorBox box = presentation::EditorBox::Rx;
    };

    void BuildControls();
    void BuildHead();
    void BuildChannelBox();
    void AttachHelp();
    void SetTabOrder();
    void ConnectHandlers();
    void WatchFrequencyBox(FrequencyBox& box);
    void WatchDisplayBox(int element);

    void Arrange(bool expChannel);
    void ArrangeChannelBox();
    // The display boxes beside "CH Enable", or on a line of their own when the head would not fit in `room` pixels.
    void PlaceDisplayBoxes(int room);
    void SetEditable(QLineEdit* box, bool editable);
    void ShowSelf();
    // Fills the editor with the form's channel and shows it.
    void ShowLoaded();
    std::optional<presentation::ChannelEditorView> View() const;
    void ShowTexts(const presentation::ChannelEditorView& view);
    // The switches, and which boxes are usable, as the data hold them.
    void ShowSwitches();
    QLineEdit* Box(presentation::EditorBox box) const;

    // Check box handling.
    void OnEnableClicked();
    void OnTxEnableClicked();
    void OnLowPowerClicked();
    void OnPowerUpClicked();
    void OnScanClicked();
    void OnDuplexClicked();
    // The switch of the channel being edited, as the user set it; then the
    // switches as the data hold them.
    void Store(ChannelFlag flag, bool on);
    bool StoreDue() const;

    // Typed text.
    bool TypingDue(const QLineEdit* box) const;
    void OnDisplayChanged(int element);
    void OnFrequencyChanged(const FrequencyBox& box);
    // An entry finished (Enter, or the focus gone `to`); false when refused.
    bool Finish(presentation::EditorBox box, presentation::FocusTo to);
    void FrequencyLostFocus(const FrequencyBox& box, QWidget* to);
    void ShowStop(const presentation::FormStop& stop);
    void ShowFrequencies();

    EditorContext& context_;
    presentation::EditorForm form_;
    bool expArrangement_ = false;
    layout::Rect channelBox_{layout::kPanelInset, layout::kChannelBoxTop, 0, layout::kChannelBoxHeight};
    double twipsPerPixel_ = 15;

    QWidget* head_ = nullptr;
    QLayout* display_ = nullptr;  // "CH Display" and its boxes
    QCheckBox* chkCEnable_ = nullptr;
    QCheckBox* chkCScan_ = nullptr;
    QCheckBox* chkCDup_ = nullptr;
    QCheckBox* chkCTXEnable_ = nullptr;
    QCheckBox* chkCTXOnly_ = nullptr;
    QCheckBox* chkCTXPower_ = nullptr;
    QLabel* lblCPosition_ = nullptr;
    std::array<QLineEdit*, 2> txtCN_{};
    QLabel* lblCRF_ = nullptr;
    QLabel* lblCTF_ = nullptr;
    std::array<QLabel*, 2> lblCUnit_{};
    FrequencyBox rx_;
    FrequencyBox tx_;
    LineWidget* linCTXOnly_ = nullptr;
    LineWidget* linCTXPower_ = nullptr;

    QWidget* pictCC_ = nullptr;
    QWidget* pictCCC1_ = nullptr;
    QWidget* pictCCC2_ = nullptr;
    QWidget* pictCCC3_ = nullptr;
    QWidget* pictCCC5_ = nullptr;
    std::array<LineWidget*, 4> boxFrame_{};  // linCT, linCB, linCL, linCR
};

}  // namespace rp770::ui
