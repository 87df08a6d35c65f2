#pragma once
// A copy of an editing session with unsaved changes, kept aside while the
// user works so that a crash, a killed process or a closed tab loses
// nothing: the data being edited exactly (the memory image and every field
// of the typed model), the clean state they were edited from when it is
// still known (so that Undo goes back to it), the current file and whether
// it is a memory image file, the model and the checked destination, when
// it was kept and the last step's name.
//
// Kept as versioned text, one item a line, texts hex-encoded so that no
// value can break a line. Reading is bounded: a text longer than
// kSnapshotLimit, an unknown version, a value out of its range or a
// missing part refuses the whole copy. Plain C++.

#include <optional>
#include <string>
#include <string_view>

#include "core/Model.h"

namespace rp770 {

inline constexpr size_t kSnapshotLimit = 1024 * 1024;
inline constexpr int kSnapshotVersion = 1;

struct SessionSnapshot {
    std::string keptAt;        // UTC, ISO 8601 ("2026-12-09T06:10:00Z"); set by whoever keeps it
    int model = 0;
    std::string destination;   // the checked Destination entry's name; empty for none
    std::string filePath;      // the current file; empty for none
    bool imageFile = false;    // the current file is a memory image file
    std::string action;        // the name of the last step
    DataSet edited;            // the data being edited
    std::optional<DataSet> base;  // the clean state, when known

    bool operator==(const SessionSnapshot&) const = default;
};

std::string EncodeSnapshot(const SessionSnapshot& snapshot);
// Nothing for a text that is not a complete copy of this version.
std::optional<SessionSnapshot> DecodeSnapshot(std::string_view text);

// When a copy was kept, as people read it: "2026-12-09T06:10:00Z" gives
// "2026-12-09 06:10:00" (the texts that show it say UTC); anything else
// as it is.
std::string ShownKeptTime(const std::string& keptAt);

// The file name without its folders, for offering a copy ("boat.dat"), or
// an empty text for data that have no file.
std::string SnapshotFileName(const SessionSnapshot& snapshot);

}  // namespace rp770
