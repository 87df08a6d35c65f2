#pragma once
// The channel editor's typed input, for every front end: what the user has
// typed into the display and frequency boxes and not yet handed to the
// editing session, the checks an entry meets when it is finished, and the
// check on leaving the editor. The window's editor and the page's editor
// are views of one form: they pass on keys, focus moves and clicks, and
// show what it says; the form decides.
//
// An entry is finished when its box is left for another box of the editor
// or Enter is pressed (a refused entry keeps the focus), when the focus goes
// to the navigation tree (a good entry is taken, a bad one waits), and at
// the latest by the check every command runs first (Commit). An entry whose
// box loses the focus anywhere else waits too.
//
// Leaving the editor refuses an enabled EXP channel without an RX frequency
// or a channel number ("Data Error!!") only when the user made it so: its
// switch, number or RX frequency are no longer as they were when the editor
// showed it (typed, switched, or by an undo or a redo since). A channel that
// came incomplete from a file or the radio and is left as it came may be
// left: it stays as it is, marked by the list and the tree, and open to
// mending.

#include <array>
#include <optional>
#include <string>

#include "core/Model.h"
#include "core/Outcome.h"
#include "presentation/ChannelEditorView.h"
#include "workspace/Workspace.h"

namespace rp770::presentation {

// Where the focus went when it left a box.
enum class FocusTo {
    Editor,     // another control of the editor
    Tree,       // the navigation tree
    Elsewhere,  // none, or a control outside the editor (the program took it away)
};

// Why the form stopped a command or the focus: the message to show, the box
// to put the focus in, and whether that box's own entry was refused (the
// focus stays where it is, as if it had never left) or the box is where
// the missing value goes.
struct FormStop {
    Message message;
    EditorBox box = EditorBox::Rx;
    bool entryRefused = false;
};

class EditorForm {
public:
    explicit EditorForm(Workspace& workspace) : workspace_(workspace) {}
    EditorForm(const EditorForm&) = delete;
    EditorForm& operator=(const EditorForm&) = delete;

    // ---- what the form shows ------------------------------------------------
    // Shows a plan's channel or an EXP channel afresh, with the corrections
    // showing it makes (a receive-only slot keeps no transmit switch, EXP
    // frequencies on the raster). False, and nothing changes, when the data
    // hold no such channel.
    bool Load(ChannelRef channel);
    // The same channel as the data now hold it (after an undo or a redo):
    // typed text is dropped; leaving still compares with the channel as it
    // was first shown.
    void Reload();
    // Shows no channel (a new data set is being prepared).
    void Clear();
    const std::optional<ChannelRef>& Channel() const { return screen_.Channel(); }
    bool EditingExp() const { return screen_.EditingExp(); }
    // What the editor shows: the data, with the text still being typed in
    // the boxes that hold some.
    std::optional<ChannelEditorView> View() const;

    // ---- switches -----------------------------------------------------------
    // A switch set by the user: an edit of the session at once. "CH Enable"
    // may enable an EXP channel still without its frequency and number:
    // they are typed next, and leaving checks them.
    EditResult SetSwitch(ChannelFlag flag, bool on);

    // ---- typing --------------------------------------------------------------
    // The text of a box as the user has typed it. A display box keeps only
    // what the radio can show (pasted text included): the text it keeps is
    // returned, for the box to show. Ignored for a box that cannot be typed in.
    std::string Type(EditorBox box, std::string_view text);
    // Typed text not yet handed to the session.
    bool Typed(EditorBox box) const { return typed_[Index(box)].has_value(); }
    bool HasTypedText() const;

    // The entry of a box is finished: Enter, or the focus went `to`.
    std::optional<FormStop> Finish(EditorBox box, FocusTo to = FocusTo::Editor);

    // ---- in a channel list's cell ----------------------------------------------
    // A list takes an entry in one cell: a frequency as its box does, and the
    // display as one cell of three characters, the left box's two
    // (right-aligned) and then the right box's one, standing for both boxes
    // (`DisplayLeft` names it). The entry is finished as a box's is (Finish);
    // Reload drops it.
    // The keys a cell takes, after `before` (its text before the cursor);
    // a key is translated first (CellKeyTyped), then judged.
    static bool CellKeyAllowed(EditorBox box, char32_t key, std::string_view before);
    static char32_t CellKeyTyped(EditorBox box, char32_t key);
    // What the cell holds when its entry starts: the channel as shown, the
    // text being typed included.
    std::string CellText(EditorBox box) const;
    // The text of a cell as the user has typed it; returns the text it keeps.
    std::string TypeCell(EditorBox box, std::string_view text);

    // ---- before commands -----------------------------------------------------
    // Before a command uses the data or the editor is left (`leaving`):
    // every typed entry taken (the first refused one stops it), then, when
    // leaving, the check of the channel. Not leaving: the data are about to
    // be replaced (an undo, a redo), so the channel's state does not stop it.
    std::optional<FormStop> Commit(bool leaving = true);
    // What leaving would say now about the channel, typed text aside.
    std::optional<FormStop> LeaveCheck() const;
    // Input the user has not finished: typed text, or a channel they made
    // incomplete. It counts as a change before the data are replaced or the
    // program closed; Commit(true) takes it or says why not.
    bool Unfinished() const { return HasTypedText() || LeaveCheck().has_value(); }

private:
    static size_t Index(EditorBox box) { return static_cast<size_t>(box); }
    bool TypedIn(EditorBox box) const;
    const ChannelRecord* Record() const;
    std::optional<FormStop> TakeDisplay();
    // A typed frequency handed to the session; a refusal leaves it typed.
    std::optional<FormStop> TakeFrequency(EditorBox box);

    Workspace& workspace_;
    ChannelEditorScreen screen_;
    std::array<std::optional<std::string>, 4> typed_;  // by EditorBox
    // What makes an EXP channel complete, as the editor first showed it.
    struct Completeness {
        bool enable = false;
        double rx = 0;
        std::string left;
    };
    std::optional<Completeness> shown_;
};

}  // namespace rp770::presentation
