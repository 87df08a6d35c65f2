#pragma once
// The undo history of an editing session: whole snapshots of the document,
// one per step, each named by the action that produced it. A data set is a
// few kilobytes, so a snapshot per step is cheap, and undoing an edit, an
// opened file or a read from the radio is the same simple thing.
//
// Each state carries a serial number; the clean state (the one saved, or
// freshly opened, read or started) is remembered by its number, so "not at
// the clean state" is the data-changed flag, and undoing back to the clean
// state clears it.

#include <cstdint>
#include <deque>
#include <string>

namespace rp770 {

template <typename Document>
class History {
public:
    static constexpr size_t kDefaultDepth = 200;

    explicit History(Document initial, size_t depth = kDefaultDepth) : depth_(depth < 1 ? 1 : depth) {
        states_.push_back({std::move(initial), std::string(), next_++});
        clean_ = states_.front().serial;
    }

    const Document& Current() const { return states_[current_].document; }
    // The current state, changed in place: no step, and the clean mark stays
    // where it is (for corrections that are not edits).
    Document& CurrentInPlace() { return states_[current_].document; }

    // A new state after the current one, named by the action that made it;
    // the states that could have been redone are dropped.
    void Push(Document next, std::string action) {
        states_.erase(states_.begin() + static_cast<std::ptrdiff_t>(current_) + 1, states_.end());
        states_.push_back({std::move(next), std::move(action), next_++});
        if (states_.size() > depth_ + 1) states_.pop_front();
        current_ = states_.size() - 1;
    }

    // The current state replaced by `next` as the same step (same action):
    // a state of its own for the clean mark all the same.
    void Amend(Document next) {
        states_[current_].document = std::move(next);
        states_[current_].serial = next_++;
    }
    // The states that could be redone are dropped.
    void DropRedo() { states_.erase(states_.begin() + static_cast<std::ptrdiff_t>(current_) + 1, states_.end()); }

    bool CanUndo() const { return current_ > 0; }
    bool CanRedo() const { return current_ + 1 < states_.size(); }
    // The names of the actions Undo and Redo would take back or do again.
    const std::string& UndoAction() const { return CanUndo() ? states_[current_].action : empty_; }
    const std::string& RedoAction() const { return CanRedo() ? states_[current_ + 1].action : empty_; }
    bool Undo() {
        if (!CanUndo()) return false;
        --current_;
        return true;
    }
    bool Redo() {
        if (!CanRedo()) return false;
        ++current_;
        return true;
    }
    size_t UndoDepth() const { return current_; }

    void MarkClean() { clean_ = states_[current_].serial; }
    // No state is clean any more (data put back from a copy kept aside).
    void MarkNoneClean() { clean_ = 0; }
    bool IsClean() const { return states_[current_].serial == clean_; }
    // The clean state, while the history still holds it.
    const Document* Clean() const {
        for (const State& s : states_)
            if (s.serial == clean_) return &s.document;
        return nullptr;
    }

private:
    struct State {
        Document document;
        std::string action;
        uint64_t serial;
    };
    std::deque<State> states_;
    size_t current_ = 0;
    size_t depth_;
    uint64_t next_ = 1;
    uint64_t clean_ = 0;
    std::string empty_;
};

}  // namespace rp770
