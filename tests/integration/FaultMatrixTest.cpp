// Every fault the simulated radio can show, met by a read and by a
// programming as the window runs them: the application session with a file
// open and edits not yet saved, the radio link on the virtual cable. For each
// case: the messages the user sees, the flags left behind, the data set,
// and the radio's memory afterwards (a programming that stops has written
// the rows before the failure and none after).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>

#include "core/MemoryImage.h"
#include "desktop/DiskFiles.h"
#include "files/MemorySettingsStore.h"
#include "files/TestFolder.h"
#include "integration/RecordingAsker.h"
#include "link/LinkAdvice.h"
#include "link/RadioLink.h"
#include "link/WritePlan.h"
#include "session/AppSession.h"
#include "sim/Faults.h"
#include "sim/SimulatedRadio.h"
#include "sim/VirtualWire.h"
#include "support/RadioData.h"

namespace rp770::testing {
namespace {

struct Case {
    const char* name;                 // the fault the case is about
    std::vector<const char*> faults;  // as --fault takes them
    // What the user sees, in order: each text, with its title in brackets
    // where that is not the dialog's caption.
    std::vector<std::string> messages;
    bool synced;      // the synchronisation succeeded, so the transfer ran
    bool completed;   // "Complete!!": read and applied, or programmed
    bool closes;      // the dialog closes afterwards (synchronised, CommError clear)
    int rows = 0;     // programming: rows of the write plan in the radio afterwards
    std::vector<Answer> answers = {};  // the user's answers to questions
    bool noEchoMode = false;           // started with the no-echo switch
};

std::ostream& operator<<(std::ostream& out, const Case& c) {
    out << c.name;
    for (const char* f : c.faults) out << " " << f;
    return out;
}

const std::string kCE = "Communication Error!!";
const std::string kCheckFailed = "Communication Error!! (Model Check)";
const std::string kModelType = "ModelType Error !!";  // titled "Read from Radio", also when programming
const std::string kModelTypeInProgram = kModelType + " (Read from Radio)";
const std::string kNotReady = "Radio not ready!!";
const std::string kBusy = "Radio is busy!!";
const std::string kResync = "confirm the synchronization of the communication";
const std::string kComplete = "Complete!!";
const std::string kPartly = Words(link::kPartlyProgrammed);  // said whenever programming stopped after writing began
constexpr int kAllRows = 61;  // 64 rows, three of which the radio keeps
const std::vector<Answer> kCancel = {Answer::Cancel};
// A failed synchronisation ends by saying which stage failed.
const std::string kRefused = link::SyncFailureText(link::SyncStage::Refused);
const std::string kNoAnswer = link::SyncFailureText(link::SyncStage::NoAnswer);

// Block requests are counted from 1 and include the model check's two
// reads: request 12 of a read is block 10 (0x0A0); request 40 of a
// programming is write 38 (row 0x0A0, after 2 rows of single bytes and 8
// of 16 bytes). Radio bytes 700 and echo 900 fall in the read's block 10.
const Case kReadCases[] = {
    {"none", {}, {kComplete}, true, true, true},
    {"no-probe", {"no-probe"}, {kComplete}, true, true, true},
    {"acmd", {"acmd=unknown"}, {kComplete}, true, true, true},
    {"acmd", {"acmd=none"}, {kComplete}, true, true, true},
    {"acmd", {"acmd=error"}, {"ACMD Command error!!", kRefused}, false, false, false},
    {"acmd", {"acmd=other"}, {"error!!", kRefused}, false, false, false},
    {"acmd", {"acmd=bad-end"}, {"error!!", kComplete}, true, true, true},
    {"sync-once", {"sync-once"}, {kRefused}, false, false, false},
    {"off", {"off"}, {kNoAnswer}, false, false, false},
    {"busy", {"busy"}, {kBusy, kNotReady}, true, false, true},
    {"busy", {"busy=1"}, {kBusy, kComplete}, true, true, true, 0, {Answer::Retry}},
    {"status-error", {"status-error"}, {kResync, kNotReady}, true, false, true, 0, kCancel},
    {"status-error", {"status-error"}, {kResync, kResync, kResync, kNotReady}, true, false, true, 0,
     {Answer::Ok, Answer::Ok, Answer::Cancel}},
    {"status-error", {"status-error=2"}, {kComplete}, true, true, true},
    {"status-checksum", {"status-checksum"}, {kNotReady}, true, false, true},
    {"checksum", {"checksum=12"}, {kCE}, true, false, false},
    {"checksum", {"checksum=1"}, {kCheckFailed}, true, false, false},
    {"address", {"address=12"}, {"address error!!", kCE}, true, false, false},
    {"count", {"count=12"}, {"data error!!", kCE}, true, false, false},
    {"length", {"length=12"}, {"data error!!", kCE}, true, false, false},
    {"header", {"header=12"}, {kCE}, true, false, false},
    {"error", {"error=12"}, {kComplete}, true, true, true},
    {"error", {"error=12,3"}, {kResync, kCE}, true, false, false, 0, kCancel},
    {"error", {"error=12,3"}, {kResync, kComplete}, true, true, true, 0, {Answer::Ok}},
    {"silent-from", {"silent-from=12"}, {kCE}, true, false, false},
    {"silent-from", {"silent-from=1"}, {kCheckFailed}, true, false, false},
    {"no-echo", {"no-echo"}, {"error!!", kRefused}, false, false, false},
    {"no-echo", {"no-echo"}, {kComplete}, true, true, true, 0, {}, true},
    {"drop", {"drop=700"}, {kCE}, true, false, false},
    {"corrupt", {"corrupt=700"}, {kCE}, true, false, false},
    {"drop-echo", {"drop-echo=900"}, {kCE}, true, false, false},
    {"corrupt-echo", {"corrupt-echo=900"}, {kCE}, true, false, false},
    {"model", {"model=0x0140"}, {kModelType}, true, false, false},
    {"model-tail", {"model-tail=0x0000"}, {kModelType}, true, false, false},
    {"reply-delay", {"reply-delay=300"}, {kComplete}, true, true, true},
    // Slower than the probe's one second: the late answers garble the
    // answer to "ACMD:002".
    {"reply-delay", {"reply-delay=1500"}, {"error!!", kRefused}, false, false, false},
    {"keep", {"keep=0x120"}, {kComplete}, true, true, true},
};

const Case kProgramCases[] = {
    {"none", {}, {kComplete}, true, true, true, kAllRows},
    {"no-probe", {"no-probe"}, {kComplete}, true, true, true, kAllRows},
    {"acmd", {"acmd=unknown"}, {kComplete}, true, true, true, kAllRows},
    {"acmd", {"acmd=error"}, {"ACMD Command error!!", kRefused}, false, false, false, 0},
    {"acmd", {"acmd=bad-end"}, {"error!!", kComplete}, true, true, true, kAllRows},
    {"sync-once", {"sync-once"}, {kRefused}, false, false, false, 0},
    {"off", {"off"}, {kNoAnswer}, false, false, false, 0},
    {"busy", {"busy"}, {kBusy, kNotReady}, true, false, true, 0},
    {"status-error", {"status-error"}, {kResync, kNotReady}, true, false, true, 0, kCancel},
    {"status-checksum", {"status-checksum"}, {kNotReady}, true, false, true, 0},
    // Data reply faults reach only the model check's two reads.
    {"checksum", {"checksum=2"}, {kCheckFailed}, true, false, false, 0},
    {"checksum", {"checksum=3"}, {kComplete}, true, true, true, kAllRows},
    {"address", {"address=1"}, {"address error!!", kCheckFailed}, true, false, false, 0},
    {"count", {"count=2"}, {"data error!!", kCheckFailed}, true, false, false, 0},
    {"length", {"length=1"}, {"data error!!", kCheckFailed}, true, false, false, 0},
    {"header", {"header=2"}, {kCheckFailed}, true, false, false, 0},
    {"error", {"error=40"}, {kComplete}, true, true, true, kAllRows},
    {"error", {"error=40,3"}, {kResync, kCE, kPartly}, true, false, false, 10, kCancel},
    {"silent-from", {"silent-from=50"}, {kCE, kPartly}, true, false, false, 20},
    {"silent-from", {"silent-from=3"}, {kCE, kPartly}, true, false, false, 0},
    {"no-echo", {"no-echo"}, {"error!!", kRefused}, false, false, false, 0},
    {"no-echo", {"no-echo"}, {kComplete}, true, true, true, kAllRows, {}, true},
    {"drop", {"drop=700"}, {kCE, kPartly}, true, false, false, 48},
    {"corrupt", {"corrupt=700"}, {kCE, kPartly}, true, false, false, 48},
    {"drop-echo", {"drop-echo=900"}, {kCE, kPartly}, true, false, false, 5},
    {"corrupt-echo", {"corrupt-echo=900"}, {kCE, kPartly}, true, false, false, 5},
    {"model", {"model=0x0140"}, {kModelTypeInProgram}, true, false, false, 0},
    {"model-tail", {"model-tail=0x0000"}, {kModelTypeInProgram}, true, false, false, 0},
    {"reply-delay", {"reply-delay=300"}, {kComplete}, true, true, true, kAllRows},
    // Acknowledged and kept: the programming cannot tell (verification can).
    {"keep", {"keep=0x120"}, {kComplete}, true, true, true, kAllRows},
};

sim::Faults FaultsOf(const Case& c) {
    sim::Faults faults;
    for (const char* text : c.faults) {
        std::string error;
        EXPECT_TRUE(sim::ApplyFault(faults, text, error)) << error;
    }
    return faults;
}

// What the window holds: a settings file opened, then edited.
struct Session {
    explicit Session(const Case& c)
        : program((CopyShippedData(folder.path()), folder.str())),
          app(program, SessionServices{settings, files, asker}, Switches{false, c.noEchoMode}),
          radio(FaultsOf(c)),
          wire(radio),
          link(wire.Port(), wire.GetClock(), wire.GetPump(), &asker) {
        EXPECT_TRUE(app.Start().Ok());
        EXPECT_TRUE(app.SaveAs(folder / "boat.dat").Ok());
        DataSet edited = app.data();
        edited.common.ResumeTime = 9;
        app.workspace().ReplaceData(edited, "edit");
        asker.answers.assign(c.answers.begin(), c.answers.end());
        app.SetLink(&link);
    }
    // What a programming sends: the data encoded, the start channel fixed.
    // The radio is given the opposite of every byte, so that each written byte shows.
    DataSet RadioHoldingTheOpposite() {
        DataSet sent = app.data();
        EncodeImage(sent);
        FixStartChannel(sent);
        sim::RadioMemory opposite{};
        for (int a = 0; a < 1024; ++a) opposite[static_cast<size_t>(a)] = static_cast<uint8_t>(~sent.image[a]);
        for (int a : {0, 1, 1022, 1023}) opposite[static_cast<size_t>(a)] = sent.image[a];
        radio.SetMemory(opposite);
        return sent;
    }
    // A transfer as the dialog runs it, its messages shown after those said before its questions.
    TransferOutcome Read() {
        link.SetTitle("Read from Radio");
        TransferOutcome outcome = app.ReadFromRadio();
        asker.Show(outcome.messages);
        return outcome;
    }
    TransferOutcome Program() {
        link.SetTitle("Program to Radio");
        TransferOutcome outcome = app.ProgramToRadio();
        asker.Show(outcome.messages);
        return outcome;
    }
    void ExpectUserSaw(const Case& c, bool synced) {
        std::vector<std::string> seen;
        for (const Shown& box : asker.boxes)
            seen.push_back(box.title == link.Title() ? box.text : box.text + " (" + box.title + ")");
        EXPECT_EQ(seen, c.messages);
        EXPECT_EQ(synced && !link.State().CommError, c.closes);
        EXPECT_FALSE(link.State().CancelRequested);
    }

    TestFolder folder;
    FolderProgramData program;
    MemorySettingsStore settings;
    DiskFiles files;
    RecordingAsker asker;
    AppSession app;
    sim::SimulatedRadio radio;
    sim::VirtualWire wire;
    link::RadioLink link;
};

// Everything the user can see or save of a data set.
void ExpectSameData(const DataSet& a, const DataSet& b) {
    EXPECT_EQ(a.image, b.image);
    EXPECT_EQ(a.plans, b.plans);
    EXPECT_EQ(a.wx, b.wx);
    EXPECT_EQ(a.exp, b.exp);
    EXPECT_EQ(a.groups, b.groups);
    EXPECT_EQ(a.common, b.common);
    EXPECT_EQ(a.atis, b.atis);
}

class ReadMatrix : public ::testing::TestWithParam<Case> {};

TEST_P(ReadMatrix, UserSeesWhatHappenedAndNothingIsLost) {
    const Case& c = GetParam();
    Session s(c);
    s.radio.SetMemory(PatternMemory());
    const sim::RadioMemory radioBefore = s.radio.Memory();
    const Workspace& ws = s.app.workspace();
    const DataSet before = ws.data();
    const std::string file = ws.currentFilePath();

    const TransferOutcome result = s.Read();
    const bool synced = result.synchronised, read = result.completed;

    EXPECT_EQ(synced, c.synced);
    EXPECT_EQ(read, c.completed);
    s.ExpectUserSaw(c, synced);
    EXPECT_EQ(s.radio.Memory(), radioBefore);  // a read never writes
    if (read) {
        for (int a = 2; a < 1024; ++a) ASSERT_EQ(ws.data().image[a], radioBefore[static_cast<size_t>(a)]) << a;
        EXPECT_EQ(ws.data().image[0], before.image[0]);
        EXPECT_EQ(ws.data().image[1], before.image[1]);
        EXPECT_FALSE(ws.modified());
        EXPECT_EQ(ws.currentFilePath(), "");
        EXPECT_EQ(ws.UndoAction(), "Read from Radio");
        EXPECT_TRUE(result.Ok());
    } else {
        ExpectSameData(ws.data(), before);  // bit for bit, edits included
        EXPECT_TRUE(ws.modified());
        EXPECT_EQ(ws.currentFilePath(), file);
        EXPECT_TRUE(result.Failed());
    }
}

// How many rows of the write plan the radio holds, checking that they are
// the first ones: rows before are written whole, rows after untouched (a
// row of single bytes may be written in part where it failed), and the
// bytes the radio keeps never change.
int RowsWritten(const sim::RadioMemory& radio, const sim::RadioMemory& before, const MemoryImage& image) {
    int written = 0;
    bool stopped = false;
    for (const link::PlannedRow& row : link::WritePlan(image.lastAddress)) {
        if (row.writes.empty()) continue;
        int same = 0, untouched = 0, total = 0;
        for (const link::PlannedWrite& w : row.writes)
            for (int a = w.address; a < w.address + w.count; ++a, ++total) {
                same += radio[static_cast<size_t>(a)] == image[a];
                untouched += radio[static_cast<size_t>(a)] == before[static_cast<size_t>(a)];
            }
        if (!stopped && same == total) {
            ++written;
            continue;
        }
        const bool partOfSingles = row.writes.size() > 1 && !stopped;
        EXPECT_TRUE(untouched == total || partOfSingles) << "row " << row.row << " written after the failure";
        stopped = true;
    }
    std::set<int> planned;
    for (const link::PlannedRow& row : link::WritePlan(image.lastAddress))
        for (const link::PlannedWrite& w : row.writes)
            for (int a = w.address; a < w.address + w.count; ++a) planned.insert(a);
    for (int a = 0; a < 1024; ++a) {
        if (!planned.count(a)) {
            EXPECT_EQ(radio[static_cast<size_t>(a)], before[static_cast<size_t>(a)]) << a;
        }
    }
    return written;
}

class ProgramMatrix : public ::testing::TestWithParam<Case> {};

TEST_P(ProgramMatrix, RowsBeforeTheFailureAreWrittenAndNoneAfter) {
    const Case& c = GetParam();
    Session s(c);
    const DataSet sent = s.RadioHoldingTheOpposite();
    const sim::RadioMemory radioBefore = s.radio.Memory();
    const std::string file = s.app.workspace().currentFilePath();

    const TransferOutcome result = s.Program();
    // A byte the radio kept counts as written: what the radio did with it is the radio's.
    sim::RadioMemory after = s.radio.Memory();
    for (int a : FaultsOf(c).keep) after[static_cast<size_t>(a)] = sent.image[a];
    const bool synced = result.synchronised;
    const bool completed = !s.asker.boxes.empty() && s.asker.boxes.back().text == kComplete;
    EXPECT_EQ(result.completed, completed);
    EXPECT_EQ(result.partial, std::count(c.messages.begin(), c.messages.end(), kPartly) == 1);

    EXPECT_EQ(synced, c.synced);
    EXPECT_EQ(completed, c.completed);
    s.ExpectUserSaw(c, synced);
    EXPECT_EQ(RowsWritten(after, radioBefore, sent.image), c.rows);
    // Programming changes nothing the user edits; the image follows the model when synchronised.
    if (synced) ExpectSameData(s.app.data(), sent);
    EXPECT_TRUE(s.app.workspace().modified());
    EXPECT_EQ(s.app.workspace().currentFilePath(), file);
}

std::string CaseName(const ::testing::TestParamInfo<Case>& info) {
    std::string name = std::to_string(info.index) + "_" + info.param.name;
    for (const char* f : info.param.faults) name += std::string("_") + f;
    if (info.param.noEchoMode) name += "_switch";
    if (!info.param.answers.empty()) name += "_answered";
    for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Faults, ReadMatrix, ::testing::ValuesIn(kReadCases), CaseName);
INSTANTIATE_TEST_SUITE_P(Faults, ProgramMatrix, ::testing::ValuesIn(kProgramCases), CaseName);

// Programming with verification: the radio read back into a separate data
// set, every written byte compared, the data shown left as they are.
TEST(Verification, NamesEachByteTheRadioDoesNotHold) {
    const struct {
        std::vector<const char*> faults;
        bool verified;
        std::vector<int> differing;
        std::string says;  // the end of the last message
    } cases[] = {
        {{}, true, {}, "Verified: the radio holds every byte that was sent."},
        {{"keep=0x120"}, false, {0x120}, "0x120 (USA CH 17: attributes): sent "},
        {{"keep=0x285", "keep=0x00E"}, false, {0x00E, 0x285}, "0x285 (EXP CH 1: Rx frequency)"},
        {{"keep=0x017", "keep=0x3F5"}, true, {}, "Verified"},  // bytes never written are not compared
        // Programming takes 90 block requests, the read-back's model check two more.
        {{"silent-from=95"}, false, {}, Words(kNotVerified)},
    };
    for (const auto& c : cases) {
        Session s(Case{"verify", c.faults, {}, true, true, true});
        const DataSet sent = s.RadioHoldingTheOpposite();
        s.app.SetVerifyAfterProgramming(true);
        const TransferOutcome result = s.Program();
        EXPECT_TRUE(result.completed);
        EXPECT_EQ(result.verified, c.verified) << c.says;
        std::vector<int> differing;
        for (const ByteDifference& d : result.differences) differing.push_back(d.address);
        EXPECT_EQ(differing, c.differing) << c.says;
        ASSERT_FALSE(s.asker.boxes.empty());
        const std::vector<std::string> texts = s.asker.Texts();
        EXPECT_EQ(std::count(texts.begin(), texts.end(), kComplete), 0) << "the finding is the result";
        EXPECT_NE(s.asker.boxes.back().text.find(c.says), std::string::npos) << s.asker.boxes.back().text;
        EXPECT_EQ(s.asker.boxes.back().icon, c.verified ? Icon::Information : Icon::Warning);
        EXPECT_EQ(result.Ok(), c.verified);
        ExpectSameData(s.app.data(), sent);  // the read-back never replaces the data shown
        EXPECT_TRUE(s.app.workspace().modified());
    }
}

TEST(FaultMatrix, CoversEveryFaultTheRadioCanShow) {
    for (const std::string& name : sim::FaultNames()) {
        const auto covers = [&](const Case& c) { return name == c.name; };
        EXPECT_TRUE(std::any_of(std::begin(kReadCases), std::end(kReadCases), covers)) << name << " (read)";
        EXPECT_TRUE(std::any_of(std::begin(kProgramCases), std::end(kProgramCases), covers)) << name << " (program)";
    }
    for (const Case& c : kReadCases) {
        const auto names = sim::FaultNames();
        EXPECT_TRUE(std::string(c.name) == "none" || std::find(names.begin(), names.end(), c.name) != names.end()) << c.name;
    }
}

}  // namespace
}  // namespace rp770::testing
