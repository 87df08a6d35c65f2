#pragma once
// Where the engine's files come from and go to. The engine parses and
// formats bytes; a front end gives it the files: the desktop from its disk,
// the command line from its disk and standard streams, the browser from the
// files the user picks and the data it carries embedded.
//
// Every read names the most bytes the caller takes (each kind of file has
// its limit, files/ReadLimits.h): a file that holds more is refused with a
// TooLargeFailure, and no more than the limit and one byte is ever read,
// so that a device or a stream that never ends cannot fill the memory.

#include <cerrno>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "core/Failure.h"

namespace rp770 {

// The program's own data: global.ini and the model definition files. On the
// desktop a folder beside the program, in the browser embedded in the page.
class ProgramData {
public:
    virtual ~ProgramData() = default;
    // Where the data are, for messages ("/usr/share/rp770").
    virtual std::string Where() const = 0;
    // The names of the files held (regular files only), in no particular order.
    virtual std::vector<std::string> Names() const = 0;
    // A file's whole content; a Failure when it is missing, unreadable or
    // longer than `limit` bytes.
    virtual Failure Read(const std::string& name, std::string& content, size_t limit) const = 0;
};

// Program data held in memory: the browser's embedded copy, and tests.
class MemoryProgramData : public ProgramData {
public:
    explicit MemoryProgramData(std::string where = Words(MessageId::DataBuiltIn)) : where_(std::move(where)) {}
    void Add(const std::string& name, std::string content) { files_[name] = std::move(content); }
    std::string Where() const override { return where_; }
    std::vector<std::string> Names() const override {
        std::vector<std::string> names;
        for (const auto& [name, content] : files_) names.push_back(name);
        return names;
    }
    Failure Read(const std::string& name, std::string& content, size_t limit) const override {
        content.clear();
        const auto it = files_.find(name);
        if (it == files_.end()) return FailureFromErrno(ENOENT, FailureKind::FileNotFound);
        if (it->second.size() > limit) return TooLargeFailure(it->second.size(), limit);
        content = it->second;
        return {};
    }

private:
    std::string where_;
    std::map<std::string, std::string> files_;
};

// The user's own files, by the name the user chose them by: a path on the
// desktop ("-" for a standard stream on the command line), a file handle's
// name in the browser.
class FileAccess {
public:
    virtual ~FileAccess() = default;
    // The whole file; a Failure when it is missing, unreadable or longer
    // than `limit` bytes (then reading stopped there).
    virtual Failure Read(const std::string& name, std::string& content, size_t limit) = 0;
    // The whole file: a file that exists is replaced only once the new
    // content has been written completely.
    virtual Failure Write(const std::string& name, std::string_view content) = 0;
    // What the writes since the last call have to tell the user besides
    // their success (a file saved without its owner), in order.
    virtual std::vector<std::string> TakeNotices() { return {}; }
};

}  // namespace rp770
