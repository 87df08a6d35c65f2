#include "presentation/ChannelEditorView.h"

#include "core/ChannelTables.h"
#include "core/Codecs.h"
#include "presentation/EditorTexts.h"
#include "presentation/InputRules.h"

namespace rp770::presentation {

namespace {

std::string LastChars(const std::string& text, size_t n) { return text.size() > n ? text.substr(text.size() - n) : text; }

SwitchView Switch(ChannelFlag flag, Area area, bool checked) { return {FlagCaption(flag, area), checked}; }

}  // namespace

void ChannelEditorScreen::Load(ChannelRef channel) {
    channel_ = channel;
    duplexHeld_ = false;
}

void ChannelEditorScreen::Clear() {
    channel_.reset();
    duplexHeld_ = false;
}

void ChannelEditorScreen::EnableSwitched(bool on) { duplexHeld_ = duplexHeld_ || !on; }

std::optional<ChannelEditorView> ChannelEditorScreen::View(const DataSet& data) const {
    const ChannelRecord* r = channel_ ? FindRecord(data, *channel_) : nullptr;
    if (!r || channel_->area == Area::WX) return std::nullopt;
    const Area area = channel_->area;
    ChannelEditorView v;
    v.exp = area == Area::EXP;
    if (v.exp) {
        v.displayLeft.text = r->CHDisplayL.substr(0, 2);
        v.displayRight.text = LastChars(r->CHDisplayR, 1);
        v.rx.text = FormatSnappedFreq(r->Rxfreq);
        v.tx.text = FormatSnappedFreq(r->Txfreq);
    } else {
        if (r->Position < 0 || r->Position >= kPlanSlots) return std::nullopt;
        const BaseChannel& b = BaseChannels()[static_cast<size_t>(r->Position)];
        const DisplayPair display = RegularChannelDisplay(b.name);
        v.displayLeft.text = display.left;
        v.displayRight.text = display.right;
        v.rx.text = FormatFreq(ReceiveFrequencyInUse(b, r->Duplex));
        v.tx.text = FormatTxFreq(b.tx, r->RxOnly);
    }
    const bool on = r->Enable;
    for (TextView* box : {&v.displayLeft, &v.displayRight, &v.rx, &v.tx}) {
        box->enabled = on;
        box->editable = v.exp;
    }
    v.enable = Switch(ChannelFlag::Enable, area, on);
    v.scan = Switch(ChannelFlag::Scan, area, r->ScanMemory);
    v.scan.enabled = on;
    // An EXP channel keeps its transmit switch in the data, out of sight.
    v.txEnable = Switch(ChannelFlag::TxEnable, area, v.exp ? r->TxEnable : r->TxEnable && !r->RxOnly);
    v.txEnable.enabled = on && (v.exp || !r->RxOnly);
    v.txEnable.visible = !v.exp;
    v.duplex = Switch(ChannelFlag::Duplex, area, !v.exp && r->Duplex);
    v.duplex.enabled = !v.exp && on && r->DuplexAllowed && !duplexHeld_;
    v.duplex.visible = !v.exp;
    v.lowPower = Switch(ChannelFlag::LowPower, area, r->LowPower);
    v.lowPower.enabled = v.txEnable.enabled && v.txEnable.checked;
    v.powerUp = Switch(ChannelFlag::PowerUp, area, r->PowUp);
    v.powerUp.enabled = v.lowPower.enabled && v.lowPower.checked;
    return v;
}

std::optional<IncompleteChannel> ChannelEditorScreen::CheckBeforeLeaving(const DataSet& data,
                                                                        const std::string& title) const {
    const ChannelRecord* r = EditingExp() ? FindRecord(data, *channel_) : nullptr;
    if (!r || !IsIncompleteExpChannel(*r)) return std::nullopt;
    return IncompleteChannel{Message::Of(texts::kIncompleteChannel, title, Icon::Warning, kIncompleteExpRule),
                             r->Rxfreq > 0 ? EditorBox::DisplayLeft : EditorBox::Rx};
}

}  // namespace rp770::presentation
