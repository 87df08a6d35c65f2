// Writes the fuzzers' seed corpora with the program's own writers and the
// simulated radio:
//
//   make_corpus DATA_DIR OUT_DIR
//
// DATA_DIR holds the shipped global.ini and definition files; OUT_DIR gets
// one folder per fuzzer (dat, hex, ini, link_read, link_program).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/MemoryImage.h"
#include "files/DatWriter.h"
#include "files/HexFile.h"
#include "files/ModelDefinitions.h"
#include "link/RadioLink.h"
#include "sim/Faults.h"
#include "sim/SimulatedRadio.h"
#include "sim/VirtualWire.h"
#include "support/ScriptedRadio.h"

using namespace rp770;
namespace fs = std::filesystem;

namespace {

fs::path gOut;

void Write(const std::string& folder, const std::string& name, const std::string& bytes) {
    const fs::path dir = gOut / folder;
    fs::create_directories(dir);
    std::ofstream out(dir / name, std::ios::binary | std::ios::trunc);
    out << bytes;
    std::printf("%s/%s: %zu bytes\n", folder.c_str(), name.c_str(), bytes.size());
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

DataSet Destination(const fs::path& dataDir, const std::string& name, ModelFlags flags) {
    DataSet data;
    data.modelNumber = 1;
    data.flags = flags;
    ResetDataSet(data);
    if (LoadDefinition(Failure{}, ReadFile(dataDir / (name + "_013E.ini")), data) != DefinitionLoad::Loaded)
        std::fprintf(stderr, "cannot load %s\n", name.c_str());
    return data;
}

// A data set with edits in every kind of field.
DataSet Edited(DataSet data) {
    data.common.ResumeTime = 7;
    data.common.OffsetTime = -3;
    data.atis.AtisCode = "2111234567";
    data.plan(PlanUSA)[16].ChTag = "  harbour";
    data.plan(PlanINT)[5].Enable = !data.plan(PlanINT)[5].Enable;
    data.exp[1].Enable = true;
    data.exp[1].CHDisplayL = "A1";
    data.exp[1].CHDisplayR = "X";
    data.exp[1].Rxfreq = 157.0125;
    data.exp[1].Txfreq = 161.6125;
    data.exp[2].ChTag = "#tag";
    return data;
}

// The first `lines` lines of a text.
std::string Head(const std::string& text, int lines) {
    size_t at = 0;
    for (int i = 0; i < lines && at != std::string::npos; ++i) {
        at = text.find('\n', at);
        if (at != std::string::npos) ++at;
    }
    return at == std::string::npos ? text : text.substr(0, at);
}

void DatSeeds(const fs::path& dataDir) {
    Write("dat", "usa-all-features.dat", FormatSettingsText(Destination(dataDir, "USA", {true, true, true})));
    Write("dat", "int-plain-head.dat", Head(FormatSettingsText(Destination(dataDir, "INT", {false, false, false})), 300));
    const std::string edited = FormatSettingsText(Edited(Destination(dataDir, "CAN", {true, true, true})));
    Write("dat", "can-edited-head.dat", Head(edited, 160));
    const size_t exp = edited.find("[CHEXP1]");
    Write("dat", "can-edited-exp.dat", Head(edited, 5) + edited.substr(exp));
}

void HexSeeds(const fs::path& dataDir) {
    const std::string usa = ReadFile(dataDir / "USA_013E.ini");
    Write("hex", "usa-definition.hex", usa);
    DataSet data = Edited(Destination(dataDir, "INT", {true, true, true}));
    EncodeImage(data);
    FixStartChannel(data);
    Write("hex", "int-edited.hex", HexFileBytes(data.image));
    Write("hex", "short.hex", usa.substr(0, 1023));
    std::string tail = usa;
    tail[1022] = tail[1023] = '\xFF';
    Write("hex", "bad-tail.hex", tail);
}

void IniSeeds(const fs::path& dataDir) {
    Write("ini", "global.ini", ReadFile(dataDir / "global.ini"));
    std::string all;
    for (int n = 1; n <= 10; ++n)
        all += "[model" + std::to_string(n) + "]\r\nuse=" + (n % 3 ? "1" : "0") + "\r\natis=True\r\nwx=#0\r\nwa=\"1\"\r\n";
    Write("ini", "ten-models.ini", all);
}

// The PC's port on the virtual cable, noting where in the radio's stream of
// answers each transmission of the PC falls.
class RecordingPort : public link::SerialPort {
public:
    explicit RecordingPort(sim::VirtualWire& wire) : wire_(wire), port_(wire.Port()) {}
    bool Open(const link::PortAddress& a, const std::string& s) override { return port_.Open(a, s); }
    void Close() override { port_.Close(); }
    bool IsOpen() const override { return port_.IsOpen(); }
    std::string Settings() const override { return port_.Settings(); }
    bool Write(const std::vector<uint8_t>& bytes) override {
        const bool ok = port_.Write(bytes);
        if (ok) marks_.push_back(wire_.SentByRadio().size());
        return ok;
    }
    int BytesAvailable() override { return port_.BytesAvailable(); }
    int ReadByte() override { return port_.ReadByte(); }
    link::PortError LastError() const override { return port_.LastError(); }

    // What the radio answered to each transmission, as a script.
    fuzz::Script Script(uint8_t questionAnswers) const {
        fuzz::Script script;
        script.questionAnswers = questionAnswers;
        const sim::Bytes& radio = wire_.SentByRadio();
        for (size_t i = 0; i < marks_.size(); ++i) {
            const size_t end = i + 1 < marks_.size() ? marks_[i + 1] : radio.size();
            fuzz::ScriptAnswer answer;
            answer.bytes.assign(radio.begin() + static_cast<long>(marks_[i]), radio.begin() + static_cast<long>(end));
            script.answers.push_back(std::move(answer));
        }
        return script;
    }

private:
    sim::VirtualWire& wire_;
    link::SerialPort& port_;
    std::vector<size_t> marks_;
};


// A whole transfer against the simulated radio, kept as the script of its
// answers. With noEcho the cable echoes nothing and the program runs with
// the no-echo switch.
void LinkSeed(const std::string& folder, const std::string& name, const std::vector<const char*>& faultNames, bool program,
              bool noEcho = false) {
    sim::Faults faults;
    for (const char* f : faultNames) {
        std::string error;
        if (!sim::ApplyFault(faults, f, error)) std::fprintf(stderr, "%s\n", error.c_str());
    }
    sim::SimulatedRadio radio(faults);
    sim::VirtualWire wire(radio);
    RecordingPort port(wire);
    link::RadioLink link(port, wire.GetClock(), wire.GetPump());  // every question takes its default
    link.State().NoEchoMode = noEcho;
    DataSet data;
    data.modelNumber = 1;
    data.flags = {true, true, true};
    ResetDataSet(data);
    if (link.SyncRadio()) {
        if (program)
            link.ProgramToRadio(data);
        else
            link.ReadFromRadio(data);
    }
    fuzz::Script script = port.Script(noEcho ? 0xFF : 0x7F);
    if (noEcho)
        for (fuzz::ScriptAnswer& answer : script.answers) answer.control = 0x02;
    const fuzz::Bytes bytes = fuzz::FormatScript(script);
    Write(folder, name, std::string(bytes.begin(), bytes.end()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_corpus DATA_DIR OUT_DIR\n");
        return 2;
    }
    const fs::path dataDir = argv[1];
    gOut = argv[2];
    DatSeeds(dataDir);
    HexSeeds(dataDir);
    IniSeeds(dataDir);
    LinkSeed("link_read", "whole-read", {}, false);
    LinkSeed("link_read", "busy-once", {"busy=1", "acmd=none"}, false);
    LinkSeed("link_read", "refused-three-times", {"error=12,3"}, false);
    LinkSeed("link_read", "bad-checksum", {"checksum=20"}, false);
    LinkSeed("link_read", "no-echo-switch", {"no-echo"}, false, true);
    LinkSeed("link_program", "whole-programming", {}, true);
    LinkSeed("link_program", "refused-three-times", {"error=40,3", "acmd=unknown"}, true);
    LinkSeed("link_program", "wrong-model", {"model=0x0140"}, true);
    return 0;
}
