// What the session keeps of the radios it talks to, on the virtual cable:
// every image read (not the read-back that verifies), the read before a
// programming as the confirmation offers it, the fields the confirmation
// lists, and the radios left partly programmed until a complete transfer.
#include <gtest/gtest.h>

#include "core/MemoryImage.h"
#include "desktop/DiskFiles.h"
#include "files/MemorySettingsStore.h"
#include "files/TestFolder.h"
#include "link/RadioLink.h"
#include "session/AppSession.h"
#include "sim/Faults.h"
#include "sim/SimulatedRadio.h"
#include "sim/VirtualWire.h"
#include "support/RadioData.h"

namespace rp770::testing {
namespace {

constexpr const char* kPort = "/dev/ttyUSB7";

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
    explicit Rig(KeeperStorage& storage, std::vector<const char*> faults = {})
        : keeper(storage),
          program((CopyShippedData(folder.path()), folder.str())),
          app(program, SessionServices{settings, files, asker, NoErrorLog(), &keeper}),
          radio(FaultsOf(faults)),
          wire(radio),
          link(wire.Port(), wire.GetClock(), wire.GetPump(), &asker) {
        EXPECT_TRUE(app.Start().Ok());
        radio.SetMemory(PatternMemory());
        app.SetLink(&link);
        app.ChooseDevice(kPort);
    }
    static sim::Faults FaultsOf(const std::vector<const char*>& names) {
        sim::Faults f;
        for (const char* name : names) {
            std::string error;
            EXPECT_TRUE(sim::ApplyFault(f, name, error)) << error;
        }
        return f;
    }
    std::string RadioBytes() const { return std::string(radio.Memory().begin(), radio.Memory().end()); }
    std::string Kept(size_t newest) {
        std::string bytes;
        EXPECT_TRUE(keeper.Read(keeper.List().at(newest).id, bytes).Ok());
        return bytes;
    }

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
    EXPECT_EQ(r.Kept(0), before);

    r.app.SetVerifyAfterProgramming(true);
    const TransferOutcome programmed = r.app.ProgramToRadio();
    ASSERT_TRUE(programmed.verified);
    EXPECT_EQ(r.keeper.List().size(), 1u);

    DataSet radio;
    ASSERT_TRUE(r.app.CompareWithRadio(radio).completed);
    EXPECT_EQ(r.keeper.List().size(), 2u);
}

TEST(KeptRadios, TheConfirmationOffersToKeepTheRadioFirstAndRemembersTheChoice) {
    for (const bool tick : {true, false}) {
        MemoryKeeperStorage storage;
        Rig r(storage);
        r.app.OfferBackupChoice(true);
        r.asker.tick = tick;
        const std::string before = r.RadioBytes();
        ASSERT_TRUE(r.app.ConfirmProgramming().Ok());
        ASSERT_EQ(r.asker.asked.size(), 1u);
        EXPECT_EQ(r.asker.asked[0].optionText, "Read the radio's memory and keep it first");
        EXPECT_EQ(r.app.backupBeforeProgramming(), tick);
        ASSERT_TRUE(r.app.ProgramToRadio().completed);
        ASSERT_EQ(r.keeper.List().size(), tick ? 1u : 0u);
        if (tick) {
            EXPECT_EQ(r.keeper.List()[0].reason, KeepReason::BeforeProgramming);
            EXPECT_EQ(r.Kept(0), before);
        }
        // Offered while the radio's memory is not known.
        r.asker.asked.clear();
        (void)r.app.ConfirmProgramming();
        for (const Question& q : r.asker.asked) EXPECT_EQ(q.option != nullptr, !tick);
    }
}

TEST(KeptRadios, ARadioThatCannotBeKeptIsNotWritten) {
    FailingStorage storage;
    Rig r(storage);
    r.app.RequestBackupFirst(true);
    const std::string before = r.RadioBytes();
    const TransferOutcome programmed = r.app.ProgramToRadio();
    EXPECT_TRUE(programmed.Failed());
    EXPECT_FALSE(programmed.partial);
    EXPECT_EQ(r.RadioBytes(), before);
}

TEST(KeptRadios, TheConfirmationListsTheChangedFieldsUpToTwenty) {
    MemoryKeeperStorage storage;
    Rig r(storage);
    // The radio holds what the data would send: nothing changes yet.
    DataSet sent = r.app.data();
    EncodeImage(sent);
    FixStartChannel(sent);
    sim::RadioMemory memory{};
    std::copy_n(sent.image.bytes.begin(), memory.size(), memory.begin());
    r.radio.SetMemory(memory);
    ASSERT_TRUE(r.app.ReadFromRadio().completed);
    EXPECT_TRUE(r.app.ChangesInRadio().empty());
    DataSet one = r.app.data();
    one.common.ResumeTime = one.common.ResumeTime == 9 ? 3 : 9;
    r.app.workspace().ReplaceData(one, "edit");
    ASSERT_EQ(r.app.ChangesInRadio().size(), 1u);
    ASSERT_TRUE(r.app.ConfirmProgramming().Ok());
    ASSERT_EQ(r.asker.asked.size(), 1u);
    EXPECT_EQ(r.asker.asked[0].text, "Programming changes 1 field in the radio (as read from it before):\n  " +
                                         DifferenceLine(r.app.ChangesInRadio()[0]) + "\n\nProgram the radio?");

    // A radio whose every byte looks different from what would be sent.
    r.radio.SetMemory(PatternMemory());
    ASSERT_TRUE(r.app.ReadFromRadio().completed);
    const std::vector<Difference> changes = r.app.ChangesInRadio();
    ASSERT_GT(changes.size(), kReviewedChanges + 1);
    const std::string review = ChangeReviewText(changes);
    EXPECT_EQ(std::count(review.begin(), review.end(), '\n'), static_cast<long>(kReviewedChanges + 1));
    EXPECT_NE(review.find(DifferenceLine(changes[kReviewedChanges - 1])), std::string::npos);
    EXPECT_EQ(review.find(DifferenceLine(changes[kReviewedChanges])), std::string::npos);
    EXPECT_TRUE(review.ends_with("and " + std::to_string(changes.size() - kReviewedChanges) + " more"));
}

TEST(KeptRadios, APartlyProgrammedRadioIsRememberedUntilAWholeTransfer) {
    MemoryKeeperStorage storage;
    std::string plan;
    {
        Rig stopped(storage, {"silent-from=40"});
        plan = stopped.app.workspace().DatText();
        ASSERT_TRUE(stopped.app.ProgramToRadio().partial);
    }
    for (const bool read : {true, false}) {
        Rig next(storage);
        const std::optional<PartialProgramming> partial = next.app.PartialOnPort();
        ASSERT_TRUE(partial);
        EXPECT_EQ(partial->port, kPort);
        EXPECT_EQ(partial->plan, plan);
        EXPECT_NE(AppSession::PartialNotice(*partial).find(kPort), std::string::npos);
        next.app.ChooseDevice("/dev/ttyUSB8");
        EXPECT_FALSE(next.app.PartialOnPort()) << "another port";
        next.app.ChooseDevice(kPort);
        if (read) {
            // The plan comes back as it was being sent; a whole read forgets the radio.
            ASSERT_TRUE(next.app.ResumePartial(*partial).Ok());
            EXPECT_EQ(next.app.workspace().DatText(), plan);
            ASSERT_TRUE(next.app.ReadFromRadio().completed);
            EXPECT_TRUE(next.app.PartlyProgrammed().empty());
            ASSERT_TRUE(next.keeper.RememberPartial(*partial).Ok());  // for the programming's turn
        } else {
            ASSERT_TRUE(next.app.ProgramToRadio().completed);
            EXPECT_TRUE(next.app.PartlyProgrammed().empty());
        }
    }
}

}  // namespace
}  // namespace rp770::testing
