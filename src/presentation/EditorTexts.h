#pragma once
// The editing area's own texts: keyboard hints for status bar panel 1 and
// the messages of refused input, each a message of the catalogue rendered in
// the language in use where it is shown.

#include "messages/MessageText.h"

namespace rp770::presentation::texts {

struct EditorText {
    MessageId id;
    operator MessageText() const { return id; }            // NOLINT: a text is its id
};

inline constexpr EditorText kTreeHint{MessageId::HintTree};
inline constexpr EditorText kGridHint{MessageId::HintGrid};
inline constexpr EditorText kCheckBoxHint{MessageId::HintCheckBox};
inline constexpr EditorText kComboHint{MessageId::HintCombo};
inline constexpr EditorText kAtisHint{MessageId::HintAtis};
inline constexpr EditorText kDisplayLeftHint{MessageId::HintDisplayLeft};
inline constexpr EditorText kDisplayRightHint{MessageId::HintDisplayRight};
inline constexpr EditorText kRxFrequency{MessageId::RxFrequencyHint};
inline constexpr EditorText kTxFrequency{MessageId::TxFrequencyHint};
inline constexpr EditorText kWxEnableHint{MessageId::HintWxEnable};
inline constexpr EditorText kWxScanHint{MessageId::HintCheckBox};

inline constexpr EditorText kIncompleteChannel{MessageId::DataErrorInputCorrect};

}  // namespace rp770::presentation::texts
