// A fleet on the virtual clock: every radio on a virtual cable of its own,
// on a thread of its own, programmed with its own ATIS code and verified;
// one that stops answering fails alone; the check before programming, an
// interrupt, and reading every radio into a file of its own.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>

#include "core/MemoryImage.h"
#include "desktop/DiskFiles.h"
#include "files/DatWriter.h"
#include "files/MemorySettingsStore.h"
#include "files/TestData.h"
#include "fleet/FleetRun.h"
#include "fleet/RadioJobs.h"
#include "fleet/UnattendedAsker.h"
#include "link/RadioLink.h"
#include "sim/SimulatedRadio.h"
#include "sim/VirtualWire.h"
#include "support/RadioData.h"

namespace rp770::testing {
namespace {

using fleet::RadioReport;
using fleet::RadioResult;
using fleet::RosterEntry;

// A radio on its own virtual cable.
struct VirtualRadio {
    explicit VirtualRadio(const std::vector<std::string>& faults = {}) : radio(FaultsOf(faults)) {}
    static sim::Faults FaultsOf(const std::vector<std::string>& names) {
        sim::Faults f;
        for (const std::string& name : names) {
            std::string error;
            EXPECT_TRUE(sim::ApplyFault(f, name, error)) << error;
        }
        return f;
    }
    // The ATIS code the radio holds.
    std::string Atis() const {
        DataSet data = FreshData();
        std::copy(radio.Memory().begin(), radio.Memory().end(), data.image.bytes.begin());
        DecodeImage(data);
        return data.atis.AtisCode;
    }
    sim::SimulatedRadio radio;
    sim::VirtualWire wire{radio};
    link::RadioLink link{wire.Port(), wire.GetClock(), wire.GetPump()};
};

class Fleet : public ::testing::Test {
protected:
    void SetUp() override { CopyShippedData(folder.path()); }

    // Runs the fleet: one radio for each roster entry, `work` on each
    // radio's own session.
    template <typename Work>
    std::vector<RadioReport> Run(std::vector<std::unique_ptr<VirtualRadio>>& radios, const std::vector<RosterEntry>& roster,
                                 bool yes, Work work) {
        std::vector<std::string> order;
        auto reports = fleet::RunFleet(
            roster,
            [&](const RosterEntry& entry) {
                VirtualRadio& r = *radios[static_cast<size_t>(entry.line) - 2];
                FolderProgramData program(folder.str());
                MemorySettingsStore settings;
                DiskFiles files;
                fleet::UnattendedAsker asker(yes);
                AppSession session(program, SessionServices{settings, files, asker, NoErrorLog(), keeper});
                EXPECT_TRUE(session.Start().Ok());
                session.SetLink(&r.link);
                session.ChooseDevice(entry.port);
                return work(session, entry);
            },
            [&](const RadioReport& report) { order.push_back(report.radio.port); });
        EXPECT_EQ(order.size(), roster.size()) << "a line for each radio";
        return reports;
    }
    std::vector<RadioReport> Program(std::vector<std::unique_ptr<VirtualRadio>>& radios,
                                     const std::vector<RosterEntry>& roster, const DataSet& plan, bool yes = false,
                                     bool backup = false) {
        const std::string text = FormatSettingsText(plan);
        return Run(radios, roster, yes, [&](AppSession& session, const RosterEntry& entry) {
            return fleet::ProgramRadio(session, text, "plan.dat", entry, backup);
        });
    }
    static std::vector<RosterEntry> Roster(size_t count) {
        std::vector<RosterEntry> roster;
        for (size_t i = 0; i < count; ++i)
            roster.push_back({static_cast<int>(i) + 2, "port" + std::to_string(i), "Boat " + std::to_string(i),
                              "92112345" + std::to_string(60 + i)});
        return roster;
    }
    TestFolder folder;
    RadioKeeper* keeper = nullptr;  // the radios' memories, for every radio's session
};

std::vector<std::unique_ptr<VirtualRadio>> Radios(size_t count, size_t silentOne = 99) {
    std::vector<std::unique_ptr<VirtualRadio>> radios;
    for (size_t i = 0; i < count; ++i)
        radios.push_back(std::make_unique<VirtualRadio>(i == silentOne ? std::vector<std::string>{"silent-from=40"}
                                                                       : std::vector<std::string>{}));
    return radios;
}

TEST_F(Fleet, EveryRadioGetsItsOwnCodeAndIsVerifiedAndOneThatFallsSilentFailsAlone) {
    auto radios = Radios(4, 2);
    std::vector<RosterEntry> roster = Roster(4);
    roster[3].atis = "";  // the plan's own
    DataSet plan = FactoryDataSet();
    plan.atis.AtisCode = "9211234500";
    const std::vector<RadioReport> reports = Program(radios, roster, plan);
    const std::vector<std::pair<RadioResult, std::string>> expected = {
        {RadioResult::Ok, "9211234560"},
        {RadioResult::Ok, "9211234561"},
        {RadioResult::PartlyProgrammed, "9211234562"},
        {RadioResult::Ok, "9211234500"},
    };
    for (size_t i = 0; i < reports.size(); ++i) {
        EXPECT_EQ(reports[i].result, expected[i].first) << i << ": " << reports[i].reason;
        EXPECT_EQ(reports[i].atis, expected[i].second) << i;
        EXPECT_EQ(reports[i].model, "MR318");
        EXPECT_EQ(reports[i].sha256.size(), 64u) << "the image sent";
        if (expected[i].first == RadioResult::Ok) {
            EXPECT_EQ(reports[i].reason, "verified");
            EXPECT_EQ(radios[i]->Atis(), expected[i].second) << "what the radio holds";
        }
    }
    EXPECT_NE(reports[2].reason.find("Communication Error!!"), std::string::npos) << reports[2].reason;
    EXPECT_NE(reports[0].sha256, reports[1].sha256) << "each image carries its own code";
}

TEST_F(Fleet, WithBackupEachRadiosMemoryIsKeptFirstAndARadioThatIsNotKeptIsNotWritten) {
    MemoryKeeperStorage storage;
    StoredRadioKeeper kept(storage);
    keeper = &kept;
    std::vector<std::unique_ptr<VirtualRadio>> radios;
    radios.push_back(std::make_unique<VirtualRadio>());
    radios.push_back(std::make_unique<VirtualRadio>(std::vector<std::string>{"off"}));
    const std::vector<RadioReport> reports = Program(radios, Roster(2), FactoryDataSet(), false, true);
    EXPECT_EQ(reports[0].result, RadioResult::Ok) << reports[0].reason;
    EXPECT_EQ(reports[1].result, RadioResult::Untouched);
    EXPECT_NE(reports[1].reason.find("not kept"), std::string::npos) << reports[1].reason;
    EXPECT_EQ(radios[1]->radio.Log().writeRequests, 0);
    const std::vector<KeptImage> list = kept.List();
    ASSERT_EQ(list.size(), 1u);
    EXPECT_EQ(list[0].reason, KeepReason::BeforeProgramming);
}

TEST_F(Fleet, ThePlansFaultsLeaveTheRadiosUntouchedUnlessYesIsGiven) {
    DataSet plan = FactoryDataSet();
    plan.groups[GroupEXP].Usable = true;  // a usable group without an enabled channel: a question
    DataSet incomplete = plan;
    incomplete.exp[3].Enable = true;  // an EXP channel without a frequency: never sent
    incomplete.exp[3].Rxfreq = 0;
    for (const bool yes : {false, true}) {
        auto radios = Radios(2);
        auto refused = Radios(2);
        const std::vector<RadioReport> reports = Program(radios, Roster(2), plan, yes);
        const std::vector<RadioReport> never = Program(refused, Roster(2), incomplete, yes);
        for (size_t i = 0; i < never.size(); ++i) {
            EXPECT_EQ(never[i].result, RadioResult::Untouched) << never[i].reason;
            EXPECT_NE(never[i].reason.find("EXP3"), std::string::npos) << never[i].reason;
            EXPECT_EQ(refused[i]->radio.Log().writeRequests, 0);
        }
        for (size_t i = 0; i < reports.size(); ++i) {
            if (yes) {
                EXPECT_EQ(reports[i].result, RadioResult::Ok) << reports[i].reason;
                continue;
            }
            EXPECT_EQ(reports[i].result, RadioResult::Untouched);
            EXPECT_NE(reports[i].reason.find("the check before programming"), std::string::npos) << reports[i].reason;
            EXPECT_NE(reports[i].reason.find("EXP"), std::string::npos) << reports[i].reason;
            EXPECT_EQ(radios[i]->radio.Log().writeRequests, 0);
            EXPECT_TRUE(reports[i].sha256.empty());
        }
    }
}

TEST_F(Fleet, AnInterruptEndsEachRadioAsCancelDoes) {
    auto radios = Radios(2);
    // One radio is interrupted while synchronising, the other half-way.
    radios[0]->link.SetStopRequest([&w = radios[0]->wire] { return w.Now() > 0.5; });
    radios[1]->link.SetStopRequest([&w = radios[1]->wire] { return w.Now() > 6.0; });
    const std::vector<RadioReport> reports = Program(radios, Roster(2), FactoryDataSet());
    EXPECT_EQ(reports[0].result, RadioResult::Untouched);
    EXPECT_EQ(reports[1].result, RadioResult::PartlyProgrammed);
    for (const RadioReport& r : reports) EXPECT_EQ(r.reason, "interrupted");
    EXPECT_EQ(radios[0]->radio.Log().writeRequests, 0);
}

TEST_F(Fleet, ReadingPutsEachRadioInAFileOfItsOwn) {
    auto radios = Radios(3, 2);
    std::vector<RosterEntry> roster = Roster(3);
    roster[1].vessel = "Boat 0";  // a second radio of one vessel, one code
    roster[1].atis = roster[0].atis;
    fleet::NameClaims names;
    const std::vector<RadioReport> reports = Run(radios, roster, false, [&](AppSession& session, const RosterEntry& e) {
        return fleet::ReadRadio(session, e, folder.str(), names);
    });
    EXPECT_EQ(reports[0].result, RadioResult::Ok);
    EXPECT_EQ(reports[1].result, RadioResult::Ok);
    EXPECT_EQ(reports[2].result, RadioResult::Failed);
    std::vector<std::string> files = {reports[0].reason, reports[1].reason};
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{folder / "Boat_0-9211234560-2.dat", folder / "Boat_0-9211234560.dat"}));
    for (const std::string& file : files) EXPECT_NE(ReadBytes(file).find("[MAIN]"), std::string::npos);
}

}  // namespace
}  // namespace rp770::testing
