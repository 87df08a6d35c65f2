#include "presentation/EditorForm.h"

#include "core/Codecs.h"
#include "presentation/InputRules.h"
#include "presentation/ScreenMessages.h"

namespace rp770::presentation {

namespace {

bool IsFrequencyBox(EditorBox box) { return box == EditorBox::Rx || box == EditorBox::Tx; }

}  // namespace

// ---- what the form shows ------------------------------------------------------

bool EditorForm::Load(ChannelRef channel) {
    ChannelEditorScreen probe;
    probe.Load(channel);
    if (!probe.View(workspace_.data())) return false;
    workspace_.CorrectForShowing(Workspace::Showing::ChannelEditor, channel);
    screen_.Load(channel);
    typed_ = {};
    shown_.reset();
    if (const ChannelRecord* r = Record()) shown_ = Completeness{r->Enable, r->Rxfreq, r->CHDisplayL};
    return true;
}

void EditorForm::Reload() {
    if (!screen_.Channel()) return;
    screen_.Load(*screen_.Channel());
    typed_ = {};
}

void EditorForm::Clear() {
    screen_.Clear();
    typed_ = {};
    shown_.reset();
}

const ChannelRecord* EditorForm::Record() const {
    return EditingExp() ? FindRecord(workspace_.data(), *screen_.Channel()) : nullptr;
}

std::optional<ChannelEditorView> EditorForm::View() const {
    auto view = screen_.View(workspace_.data());
    if (!view) return view;
    TextView* boxes[] = {&view->displayLeft, &view->displayRight, &view->rx, &view->tx};
    for (size_t i = 0; i < typed_.size(); ++i)
        if (typed_[i]) boxes[i]->text = *typed_[i];
    return view;
}

// ---- switches -----------------------------------------------------------------

EditResult EditorForm::SetSwitch(ChannelFlag flag, bool on) {
    if (!screen_.Channel()) return std::nullopt;
    const bool enable = flag == ChannelFlag::Enable;
    EditResult result =
        workspace_.SetChannelFlag(*screen_.Channel(), flag, on, enable ? Completion::Later : Completion::Required);
    if (!result && enable) screen_.EnableSwitched(on);
    return result;
}

// ---- typing -------------------------------------------------------------------

bool EditorForm::TypedIn(EditorBox) const { return EditingExp() && Record(); }

std::string EditorForm::Type(EditorBox box, std::string_view text) {
    if (!TypedIn(box)) return std::string(text);
    std::string kept;
    if (IsFrequencyBox(box)) {
        kept = text;
    } else {
        // Only what the radio can show, pasted text included.
        const bool left = box == EditorBox::DisplayLeft;
        for (const char c : text)
            if (c != '\b' && DisplayKeyAllowed(static_cast<unsigned char>(c), left && kept.empty())) kept += c;
    }
    typed_[Index(box)] = kept;
    return kept;
}

bool EditorForm::HasTypedText() const {
    for (const auto& text : typed_)
        if (text) return true;
    return false;
}

std::optional<FormStop> EditorForm::Finish(EditorBox box, FocusTo to) {
    if (!IsFrequencyBox(box)) return TakeDisplay();
    const auto& text = typed_[Index(box)];
    if (!text) return std::nullopt;
    if (to == FocusTo::Editor) return TakeFrequency(box);
    // Leaving for the tree or elsewhere: a good entry is taken at once; a
    // bad one waits, untouched, for the check the next command runs.
    if (CheckExpFrequency(*text)) TakeFrequency(box);
    return std::nullopt;
}

std::optional<FormStop> EditorForm::TakeDisplay() {
    auto& left = typed_[Index(EditorBox::DisplayLeft)];
    auto& right = typed_[Index(EditorBox::DisplayRight)];
    if (!left && !right) return std::nullopt;
    const auto view = screen_.View(workspace_.data());
    const std::string leftText = left ? *left : view ? view->displayLeft.text : std::string();
    const std::string rightText = right ? *right : view ? view->displayRight.text : std::string();
    left.reset();
    right.reset();
    if (!EditingExp()) return std::nullopt;
    if (const EditResult refused = workspace_.SetExpDisplay(screen_.Channel()->index, leftText, rightText))
        return FormStop{RefusalMessage(*refused), EditorBox::DisplayLeft, true};
    return std::nullopt;
}

std::optional<FormStop> EditorForm::TakeFrequency(EditorBox box) {
    auto& text = typed_[Index(box)];
    if (!text || !EditingExp()) return std::nullopt;
    const bool rx = box == EditorBox::Rx;
    EditResult refused = FrequencyRefusal(rx);
    if (CheckExpFrequency(*text)) refused = workspace_.SetExpFrequency(screen_.Channel()->index, rx, *text);
    if (refused) return FormStop{RefusalMessage(*refused), box, true};
    text.reset();  // shown as stored from now on: on the raster
    return std::nullopt;
}

// ---- in a channel list's cell ------------------------------------------------------

namespace {
constexpr size_t kDisplayCellSize = 3;  // two left, one right
}

bool EditorForm::CellKeyAllowed(EditorBox box, char32_t key, std::string_view before) {
    if (IsFrequencyBox(box)) return FrequencyKeyAllowed(key);
    if (key == U'\b') return true;
    const size_t at = box == EditorBox::DisplayRight ? before.size() + 2 : before.size();
    if (at >= kDisplayCellSize) return false;
    // The left two are right-aligned: the first character after blanks leads.
    const bool leading = at < 2 && before.find_first_not_of(' ') == std::string_view::npos;
    return DisplayKeyAllowed(key, leading);
}

char32_t EditorForm::CellKeyTyped(EditorBox box, char32_t key) {
    return IsFrequencyBox(box) ? FrequencyKeyTyped(key) : key;
}

std::string EditorForm::CellText(EditorBox box) const {
    const auto view = View();
    if (!view) return {};
    switch (box) {
        case EditorBox::Rx: return view->rx.text;
        case EditorBox::Tx: return view->tx.text;
        case EditorBox::DisplayRight: return view->displayRight.text;
        case EditorBox::DisplayLeft: break;
    }
    std::string cell = ExpDisplayCell(view->displayLeft.text, view->displayRight.text);
    while (!cell.empty() && cell.back() == ' ') cell.pop_back();
    return cell;
}

std::string EditorForm::TypeCell(EditorBox box, std::string_view text) {
    if (box != EditorBox::DisplayLeft) return Type(box, text);
    if (!TypedIn(box)) return std::string(text);
    std::string kept;
    for (const char c : text)
        if (c != '\b' && CellKeyAllowed(box, static_cast<unsigned char>(c), kept)) kept += c;
    // As the boxes would hold it: the left two without their aligning blanks.
    std::string left = kept.substr(0, 2);
    while (!left.empty() && left.front() == ' ') left.erase(0, 1);
    typed_[Index(EditorBox::DisplayLeft)] = left;
    typed_[Index(EditorBox::DisplayRight)] = kept.size() > 2 ? TrimSpaces(kept.substr(2)) : std::string();
    return kept;
}

// ---- before commands ------------------------------------------------------------

std::optional<FormStop> EditorForm::Commit(bool leaving) {
    if (!screen_.Channel()) return std::nullopt;
    if (auto stop = TakeDisplay()) return stop;
    for (const EditorBox box : {EditorBox::Rx, EditorBox::Tx})
        if (auto stop = TakeFrequency(box)) return stop;
    return leaving ? LeaveCheck() : std::nullopt;
}

std::optional<FormStop> EditorForm::LeaveCheck() const {
    // A channel shown incomplete may be left as it came.
    const ChannelRecord* r = Record();
    if (r && shown_ && r->Enable == shown_->enable && !(r->Rxfreq < shown_->rx) && !(shown_->rx < r->Rxfreq) &&
        r->CHDisplayL == shown_->left)
        return std::nullopt;
    const auto incomplete = screen_.CheckBeforeLeaving(workspace_.data(), workspace_.messageTitle());
    if (!incomplete) return std::nullopt;
    return FormStop{incomplete->message, incomplete->missing, false};
}

}  // namespace rp770::presentation
