// What the session keeps of the radios it talks to, on the virtual cable:
// every image read (not the read-back that verifies), the read before a
// programming as the confirmation offers it, and the fields it lists.
#include <gtest/gtest.h>

#include <algorithm>

#include "desktop/DiskFiles.h"
#include "files/MemorySettingsStore.h"
#include "files/TestFolder.h"
#include "link/RadioLink.h"
#include "session/AppSession.h"
#include "sim/SimulatedRadio.h"
#include "sim/VirtualWire.h"
#include "support/RadioData.h"

namespace rp770::testing {
namespace {

// Answers Yes, ticking the offered choice as told; keeps every question.
struct ChoosingAsker : Asker {
    bool tick = true;
    std::vector<Question> asked;
    Answer Ask(const Question& q) override {
        asked.push_back(q);
        if (q.option) *q.option = tick;
        return q.buttons == Buttons::YesNo ? Answer::Yes : q.defaultAnswer;
    }
};

struct FailingStorage : MemoryKeeperStorage {
    Failure Write(const std::string&, std::string_view) override { return Failure{FailureKind::DiskFull}; }
};

struct Rig {
    explicit Rig(KeeperStorage& storage)
        : keeper(storage),
          program((CopyShippedData(folder.path()), folder.str())),
          app(program, SessionServices{settings, files, asker, NoErrorLog(), &keeper}),
          wire(radio),
          link(wire.Port(), wire.GetClock(), wire.GetPump(), &asker) {
        EXPECT_TRUE(app.Start().Ok());
        sim::RadioMemory memory = PatternMemory();
        std::fill(memory.begin() + 0x052, memory.begin() + 0x055, 0);  // no EXP channel on: it can be programmed
        radio.SetMemory(memory);
        app.SetLink(&link);
    }
    std::string RadioBytes() const { return std::string(radio.Memory().begin(), radio.Memory().end()); }

    StoredRadioKeeper keeper;
    TestFolder folder;
    FolderProgramData program;
    MemorySettingsStore settings;
    DiskFiles files;
    ChoosingAsker asker;
    AppSession app;
    sim::SimulatedRadio radio;
    sim::VirtualWire wire;
    link::RadioLink link;
};

TEST(KeptRadios, EveryReadIsKeptButNotTheReadBackThatVerifies) {
    MemoryKeeperStorage storage;
    Rig r(storage);
    const std::string before = r.RadioBytes();
    ASSERT_TRUE(r.app.ReadFromRadio().completed);
    ASSERT_EQ(r.keeper.List().size(), 1u);
    EXPECT_EQ(r.keeper.List()[0].reason, KeepReason::Read);
    std::string kept;
    ASSERT_TRUE(r.keeper.Read(r.keeper.List()[0].id, kept).Ok());
    EXPECT_EQ(kept, before);

    r.app.SetVerifyAfterProgramming(true);
    const TransferOutcome programmed = r.app.ProgramToRadio();
    ASSERT_TRUE(programmed.verified);
    EXPECT_EQ(r.keeper.List().size(), 1u);

    DataSet radio;
    ASSERT_TRUE(r.app.CompareWithRadio(radio).completed);
    EXPECT_EQ(r.keeper.List().size(), 2u);
}

TEST(KeptRadios, TheConfirmationOffersToKeepTheRadioFirstAndRemembersTheChoice) {
    MemoryKeeperStorage storage;
    Rig r(storage);
    r.app.OfferBackupChoice(true);
    for (const bool tick : {false, true}) {
        r.asker.tick = tick;
        ASSERT_TRUE(r.app.ConfirmProgramming().Ok());
        EXPECT_EQ(r.asker.asked.back().optionText, "Read the radio's memory and keep it first");
        EXPECT_EQ(r.app.backupBeforeProgramming(), tick);
        ASSERT_TRUE(r.app.ProgramToRadio().completed);
        EXPECT_EQ(r.keeper.List().size(), tick ? 1u : 0u);
    }
    EXPECT_EQ(r.keeper.List()[0].reason, KeepReason::BeforeProgramming);
    // Not offered once the radio's memory is known.
    r.asker.asked.clear();
    (void)r.app.ConfirmProgramming();
    for (const Question& q : r.asker.asked) EXPECT_FALSE(q.option);
}

TEST(KeptRadios, ARadioThatCannotBeKeptIsNotWritten) {
    FailingStorage storage;
    Rig r(storage);
    r.app.RequestBackupFirst(true);
    const std::string before = r.RadioBytes();
    const TransferOutcome programmed = r.app.ProgramToRadio();
    EXPECT_TRUE(programmed.Failed());
    EXPECT_EQ(r.RadioBytes(), before);
}

TEST(KeptRadios, TheConfirmationListsTheChangedFieldsUpToTwenty) {
    MemoryKeeperStorage storage;
    Rig r(storage);
    ASSERT_TRUE(r.app.ReadFromRadio().completed);
    // The radio's pattern is not what its data would send back.
    const std::vector<Difference> changes = r.app.ChangesInRadio();
    ASSERT_GT(changes.size(), kReviewedChanges + 1);
    ASSERT_TRUE(r.app.ConfirmProgramming().Ok());
    const std::string review = ChangeReviewText(changes);
    EXPECT_NE(r.asker.asked.at(0).text.find("\n\n" + review + "\n\nProgram the radio anyway?"), std::string::npos);
    EXPECT_TRUE(review.starts_with("Programming changes " + std::to_string(changes.size()) +
                                   " fields in the radio (as read from it before):\n  " + DifferenceLine(changes[0])));
    EXPECT_EQ(std::count(review.begin(), review.end(), '\n'), static_cast<long>(kReviewedChanges + 1));
    EXPECT_EQ(review.find(DifferenceLine(changes[kReviewedChanges])), std::string::npos);
    EXPECT_TRUE(review.ends_with("and " + std::to_string(changes.size() - kReviewedChanges) + " more"));
}

}  // namespace
}  // namespace rp770::testing
