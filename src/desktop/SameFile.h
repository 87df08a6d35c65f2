#pragma once
// Whether two names a command line was given are one file on the disk, so
// that an output of one kind never replaces an input of another.

#include <string>

namespace rp770 {

// The same device and inode: hard links, symbolic links and other
// spellings of a path included. A name of nothing that exists yet, or "-"
// (a standard stream), is never the same file as anything.
bool IsSameFile(const std::string& a, const std::string& b);

// What a file named on a command line holds.
enum class FileContent { SettingsText, MemoryImage, SettingsOrImage, ChannelTable, TextReport, PdfDocument };

// A file named on a command line, as an input or an output.
struct NamedFile {
    std::string name;
    FileContent content;
};

// The text telling that `output` would replace `input`, an input of another
// kind ("boat.dat (the output) is the same file as boat.dat (the input): a
// text report would replace the settings text file. Nothing was read or
// written."); empty when it would not (another file, or the same kind:
// an update in place).
std::string OutputReplacingInput(const NamedFile& output, const NamedFile& input);

}  // namespace rp770
