#include "cli/StdioFiles.h"

#include <iostream>
#include <system_error>

#include "files/FileBytes.h"
#include "platform/StandardStreams.h"
#include "os/ExclusiveFile.h"

namespace rp770::cli {

namespace fs = std::filesystem;

namespace {

bool LooksBinary(const std::string& bytes) {
    for (const char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 && c != '\t' && c != '\r' && c != '\n') return true;
    }
    return false;
}

}  // namespace

StdioFiles::~StdioFiles() {
    std::error_code ec;
    if (!folder_.empty()) fs::remove_all(folder_, ec);
}

bool StdioFiles::MakeFolder() {
    if (!folder_.empty()) return true;
    std::error_code ec;
    const fs::path temp = fs::temp_directory_path(ec);
    if (const int error = platform::CreatePrivateFolder(ec ? fs::path(".") : temp, "rp770-", folder_)) {
        std::cerr << "rp770-cli: cannot make a temporary folder: " << platform::SystemErrorText(error) << "\n";
        return false;
    }
    return true;
}

std::string StdioFiles::Input(const std::string& argument, const std::string& suffix) {
    if (!IsStandardStream(argument)) return argument;
    std::string bytes, error;
    if (!platform::ReadStandardInput(bytes, error)) {
        std::cerr << "rp770-cli: cannot read standard input: " << error << "\n";
        return {};
    }
    if (!MakeFolder()) return {};
    platform::ExclusiveFile file;
    const std::string name = "stdin" + (suffix.empty() ? (LooksBinary(bytes) ? ".hex" : ".dat") : suffix);
    int failure = file.Create(folder_ / name);
    if (failure == 0) failure = file.Write(bytes);
    if (failure == 0) failure = file.Close();
    if (failure != 0) {
        std::cerr << "rp770-cli: cannot keep standard input: " << platform::SystemErrorText(failure) << "\n";
        return {};
    }
    return (folder_ / name).string();
}

std::string StdioFiles::Output(const std::string& argument, const std::string& suffix) {
    if (!IsStandardStream(argument)) return argument;
    if (!MakeFolder()) return {};
    const fs::path path = folder_ / ("stdout" + std::to_string(outputs_.size()) + suffix);
    outputs_.push_back(path);
    return path.string();
}

bool StdioFiles::SendOutputs() {
    for (const fs::path& path : outputs_) {
        std::string bytes;
        if (ReadWholeFile(path, bytes).Failed()) continue;  // not written: the command has said why
        std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    }
    std::string error;
    if (platform::FlushStandardOutput(error)) return true;
    std::cerr << "rp770-cli: cannot write to standard output: " << error << "\n";
    return false;
}

}  // namespace rp770::cli
