#pragma once
// What the channel editor shows for one channel, and which of its boxes and
// switches can be used. A plan's channel shows its base channel's display
// characters and frequencies read-only; an EXP channel has them editable
// and has no "Tx Enable" and no "Duplex". The switches enable each other in
// a chain: "CH Enable" -> the texts, "Scan Memory", "Duplex" (where the slot
// may be duplex) and "Tx Enable" (unless receive-only) -> "Low Power Only"
// -> "Power Up", each usable only while the one before it is usable and on.

#include <optional>
#include <string>

#include "core/Model.h"
#include "core/Outcome.h"
#include "presentation/Controls.h"
#include "workspace/Edits.h"

namespace rp770::presentation {

struct ChannelEditorView {
    bool exp = false;  // the EXP arrangement
    // The display characters (two left, one right) and the frequencies; their
    // labels ("CH Display", "Rx Frequency", "Tx Frequency", the units) are
    // usable while their boxes are.
    TextView displayLeft, displayRight, rx, tx;
    std::string unit = "MHz";
    SwitchView enable, scan, duplex, txEnable, lowPower, powerUp;
    bool operator==(const ChannelEditorView&) const = default;
};

// The boxes of the editor that take typed text.
enum class EditorBox { DisplayLeft, DisplayRight, Rx, Tx };

// Leaving the editor while its channel is an enabled EXP channel without a
// receive frequency or a channel number: the message, and the box to fill
// in first.
struct IncompleteChannel {
    Message message;
    EditorBox missing = EditorBox::Rx;
};

// The editor of one channel: which channel it shows, and what the user did
// to it since it was loaded.
class ChannelEditorScreen {
public:
    // Loads a plan's channel or an EXP channel; the editor starts afresh.
    void Load(ChannelRef channel);
    void Clear();
    const std::optional<ChannelRef>& Channel() const { return channel_; }
    bool EditingExp() const { return channel_ && channel_->area == Area::EXP; }

    // The user switched "CH Enable". Off greys "Duplex", and turning it on
    // again does not bring "Duplex" back until the editor is loaded again.
    void EnableSwitched(bool on);

    // What the editor shows; nothing when it shows no channel of these data.
    std::optional<ChannelEditorView> View(const DataSet& data) const;

    // The check before the editor is left; `title` is the message's caption.
    std::optional<IncompleteChannel> CheckBeforeLeaving(const DataSet& data, const std::string& title) const;

private:
    std::optional<ChannelRef> channel_;
    bool duplexHeld_ = false;
};

}  // namespace rp770::presentation
