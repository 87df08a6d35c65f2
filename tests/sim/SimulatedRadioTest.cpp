// The simulated radio on its own: what it answers, byte for byte, how the
// line times bytes, and how faults are named.
#include <gtest/gtest.h>

#include "link/Frame.h"
#include "sim/Faults.h"
#include "sim/HalfDuplexLine.h"
#include "sim/SimulatedRadio.h"

namespace rp770::sim {
namespace {

class Capture : public RadioOutput {
public:
    std::string echoed;
    std::string sent;
    double lastDelay = 0;
    void Echo(uint8_t b) override { echoed += static_cast<char>(b); }
    void Transmit(const Bytes& bytes, double delay) override {
        sent.append(bytes.begin(), bytes.end());
        lastDelay = delay;
    }
};

struct RadioRig {
    explicit RadioRig(Faults f = {}) : radio(f) { radio.Connect(&out); }
    std::string Say(const std::string& s) {
        out.sent.clear();
        for (char c : s) radio.Receive(static_cast<uint8_t>(c));
        return out.sent;
    }
    std::string Say(const link::Bytes& b) { return Say(std::string(b.begin(), b.end())); }
    Capture out;
    SimulatedRadio radio;
};

std::string Reply(const char* header, const std::string& f1, const std::string& f2, const std::string& f3) {
    const link::Bytes b = link::BuildFrame(header, f1, f2, f3);
    return std::string(b.begin(), b.end());
}

TEST(SimulatedRadioTest, AnswersTheConversation) {
    RadioRig r;
    EXPECT_EQ(r.Say("P"), "P");
    EXPECT_EQ(r.Say("0"), "");
    EXPECT_EQ(r.Say("ACMD:002\r\n"), "OK\r\n");
    EXPECT_EQ(r.Say("#CMDSY\r\n"), "#CMDOK\r\n");
    EXPECT_EQ(r.Say(link::BuildFrame("#CEPSR", "00", "", "")), "#CMDOK\r\n" + Reply("#CEPSD", "00", "", ""));
    EXPECT_EQ(r.Say("#CMDOK\r\n"), "");
    EXPECT_EQ(r.Say(std::string(1, '\x18')), "\x06");
    EXPECT_EQ(r.out.echoed, "P0ACMD:002\r\n#CMDSY\r\n#CEPSR\t00\t74\r\n#CMDOK\r\n\x18");
}

TEST(SimulatedRadioTest, ReadsAndWritesItsMemory) {
    RadioRig r;
    const RadioMemory& m = r.radio.Memory();
    EXPECT_EQ(m[0], 0x01);
    EXPECT_EQ(m[1], 0x3E);
    EXPECT_EQ(m[1022], 0x01);
    EXPECT_EQ(m[1023], 0x3E);
    EXPECT_EQ(r.Say(link::BuildFrame("#CEPWR", "0002", "01", "FF")), "#CMDOK\r\n");
    EXPECT_EQ(m[2], 0xFF);
    EXPECT_EQ(r.Say(link::BuildFrame("#CEPWR", "0100", "02", "A55a")), "#CMDOK\r\n");
    EXPECT_EQ(m[0x100], 0xA5);
    EXPECT_EQ(m[0x101], 0x5A);
    EXPECT_EQ(r.Say(link::BuildFrame("#CEPRD", "0100", "02", "")), "#CMDOK\r\n" + Reply("#CEPDT", "0100", "02", "A55A"));
    const auto& blocks = r.radio.Log().blocks;
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_TRUE(blocks[0].write);
    EXPECT_FALSE(blocks[2].write);
}

TEST(SimulatedRadioTest, RefusesWhatItCannotDo) {
    RadioRig r;
    const RadioMemory before = r.radio.Memory();
    for (const std::string& bad : {std::string("#CEPRD\t0010\t10\t6B\r\n"),                       // checksum
                                   Reply("#CEPRD", "03FF", "02", ""),                               // past the end
                                   Reply("#CEPRD", "0010", "00", ""),                               // nothing
                                   Reply("#CEPWR", "0010", "02", "FF"),                             // short data
                                   Reply("#CEPWR", "0010", "01", "ZZ"),                             // not hex
                                   Reply("#CEPXX", "00", "", ""), std::string("HELLO\r\n")}) {
        EXPECT_EQ(r.Say(bad), "ERROR\r\n") << bad;
    }
    EXPECT_EQ(r.radio.Memory(), before);
}

TEST(SimulatedRadioTest, FaultsChangeTheAnswers) {
    struct Case {
        const char* fault;
        std::string said;
        std::string expected;
    };
    const Case cases[] = {
        {"no-probe", "P", ""},
        {"acmd=unknown", "ACMD:002\r\n", "#CMDUN\r\n"},
        {"acmd=error", "ACMD:002\r\n", "ERROR\r\n"},
        {"acmd=none", "ACMD:002\r\n", ""},
        {"acmd=other", "ACMD:002\r\n", "NG\r\n"},
        {"acmd=bad-end", "ACMD:002\r\n", "OK\r\r"},
        {"busy", Reply("#CEPSR", "00", "", ""), "#CMDOK\r\n" + Reply("#CEPSD", "01", "", "")},
        {"status-error", Reply("#CEPSR", "00", "", ""), "ERROR\r\n"},
        {"error=1", Reply("#CEPRD", "0000", "02", ""), "ERROR\r\n"},
        {"silent-from=1", Reply("#CEPRD", "0000", "02", ""), ""},
        {"address=1", Reply("#CEPRD", "0000", "02", ""), "#CMDOK\r\n" + Reply("#CEPDT", "0010", "02", "013E")},
        {"count=1", Reply("#CEPRD", "0000", "02", ""), "#CMDOK\r\n" + Reply("#CEPDT", "0000", "03", "013E")},
        {"length=1", Reply("#CEPRD", "0000", "02", ""), "#CMDOK\r\n" + Reply("#CEPDT", "0000", "02", "01")},
        {"header=1", Reply("#CEPRD", "0000", "02", ""), "#CMDOK\r\n" + Reply("#CEPDX", "0000", "02", "013E")},
        {"model=0x0140", Reply("#CEPRD", "0000", "02", ""), "#CMDOK\r\n" + Reply("#CEPDT", "0000", "02", "0140")},
        {"drop=2", "ACMD:002\r\n", "O\r\n"},
        {"corrupt=1", "ACMD:002\r\n", "NK\r\n"},
    };
    for (const Case& c : cases) {
        Faults f;
        std::string error;
        ASSERT_TRUE(ApplyFault(f, c.fault, error)) << c.fault << ": " << error;
        RadioRig r(f);
        EXPECT_EQ(r.Say(c.said), c.expected) << c.fault;
    }
}

TEST(SimulatedRadioTest, ChecksumFaultBreaksOnlyTheChecksum) {
    Faults f;
    std::string error;
    ASSERT_TRUE(ApplyFault(f, "checksum=1", error));
    RadioRig r(f);
    const std::string said = r.Say(link::BuildFrame("#CEPRD", "0000", "02", ""));
    const std::string good = "#CMDOK\r\n" + Reply("#CEPDT", "0000", "02", "013E");
    ASSERT_EQ(said.size(), good.size());
    EXPECT_NE(said, good);
    EXPECT_EQ(said.substr(0, said.size() - 3), good.substr(0, good.size() - 3));
}

TEST(SimulatedRadioTest, EchoFaults) {
    for (const char* fault : {"no-echo", "drop-echo=2", "corrupt-echo=2"}) {
        Faults f;
        std::string error;
        ASSERT_TRUE(ApplyFault(f, fault, error));
        RadioRig r(f);
        r.Say("ABC");
        const std::string expected = std::string(fault) == "no-echo" ? "" : std::string(fault) == "drop-echo=2" ? "AC" : "ACC";
        EXPECT_EQ(r.out.echoed, expected) << fault;
    }
}

TEST(FaultsTest, NamesAndArguments) {
    Faults f;
    std::string error;
    EXPECT_TRUE(ApplyFault(f, "error=12,3", error));
    EXPECT_EQ(f.errorAt, 12);
    EXPECT_EQ(f.errorTimes, 3);
    EXPECT_TRUE(ApplyFault(f, "busy", error));
    EXPECT_EQ(f.busyReplies, -1);
    EXPECT_TRUE(ApplyFault(f, "busy=2", error));
    EXPECT_EQ(f.busyReplies, 2);
    EXPECT_TRUE(ApplyFault(f, "model-tail=0x013F", error));
    EXPECT_EQ(f.modelCodeTail, 0x013F);
    EXPECT_TRUE(ApplyFault(f, "reply-delay=250", error));
    EXPECT_DOUBLE_EQ(f.replyDelay, 0.25);
    for (const char* bad : {"nonsense", "no-probe=1", "silent-from", "silent-from=0", "silent-from=x", "acmd=maybe",
                            "model=0x10000", "checksum=1,2", "error=1,0"}) {
        EXPECT_FALSE(ApplyFault(f, bad, error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
    EXPECT_NE(FaultHelp().find("silent-from=K"), std::string::npos);
}

TEST(HalfDuplexLineTest, TenBitsAByteOneAtATime) {
    HalfDuplexLine line(4800);
    EXPECT_DOUBLE_EQ(line.ByteSeconds(), 10.0 / 4800);
    line.Send(Side::Pc, 0, {1, 2});
    line.Send(Side::Radio, 0, {3}, 0);         // waits for the PC's bytes
    line.Send(Side::Radio, 0, {4}, 1.0);       // after a pause
    std::vector<LineEvent> got;
    LineEvent e;
    EXPECT_FALSE(line.PopArrived(0.001, e));
    while (line.PopArrived(10, e)) got.push_back(e);
    ASSERT_EQ(got.size(), 4u);
    const double b = line.ByteSeconds();
    EXPECT_DOUBLE_EQ(got[0].time, b);
    EXPECT_DOUBLE_EQ(got[1].time, 2 * b);
    EXPECT_DOUBLE_EQ(got[2].time, 3 * b);
    EXPECT_EQ(got[2].from, Side::Radio);
    EXPECT_DOUBLE_EQ(got[3].time, 1.0 + b);
    EXPECT_EQ(line.Carried(Side::Pc), 2u);
    EXPECT_EQ(line.Carried(Side::Radio), 2u);
    EXPECT_FALSE(line.NextTime());
}

}  // namespace
}  // namespace rp770::sim
