// The command-line conventions of rp770-cli (and the window's --help and
// --version), as one table: the command line, its exit status, and a part
// of what it says on standard output or standard error (or all of it). The
// rows run in order in one folder: a row may use what an earlier one wrote.

#include "CliFixture.h"

namespace rp770 {
namespace {

struct Convention {
    const char* commandLine;  // a shell command line; $CLI, $GUI, $DATA and $WORK are set
    int status;
    const char* stream;       // "out" or "err"
    const char* part;         // contained in that stream ($WORK replaced)
    bool whole = false;       // the stream is exactly `part`
};

const Convention kConventions[] = {
    {"$CLI --help", 0, "out", "Exit status:"},
    {"$CLI --help", 0, "out", "--yes with --no"},
    {"$CLI destinations --help", 0, "out", "Usage: rp770-cli destinations"},
    {"$CLI dump -h", 0, "out", "Usage: rp770-cli dump IN.hex|-"},
    {"$CLI hex2dat --help", 0, "out", "Usage: rp770-cli hex2dat IN.hex|- OUT.dat|-"},
    {"$CLI dat2hex x y --help", 0, "out", "Usage: rp770-cli dat2hex IN.dat|- OUT.hex|-"},
    {"$CLI report --help", 0, "out", "--print [QUEUE]"},
    {"$CLI read --help", 0, "out", "--port DEVICE"},
    {"$CLI program --help", 0, "out", "--no-echo"},
    {"$CLI simulate --help", 0, "out", "Faults:"},
    {"$CLI ports --help", 0, "out", "Usage: rp770-cli ports"},
    {"$CLI ports >/dev/null; echo status $?", 0, "out", "status 0"},
    {"$CLI probe --help", 0, "out", "--port DEVICE"},
    {"$CLI program --help", 0, "out", "--verify"},
    {"$CLI probe", 2, "err", "option '--port' is needed"},
    {"$CLI", 2, "err", "Usage: rp770-cli COMMAND"},
    {"$CLI frobnicate", 2, "err", "unknown command 'frobnicate'"},
    {"$CLI dump", 2, "err", "wrong number of arguments"},
    {"$CLI dump x.hex --colour", 2, "err", "unknown option '--colour'"},
    {"$CLI read $WORK/out.dat", 2, "err", "option '--port' is needed"},
    {"$CLI program $WORK/missing.dat", 2, "err", "option '--port' is needed"},
    {"$CLI dump $WORK/missing.hex", 1, "err", "FileRead Error!!"},
    // A port that cannot be opened is said at once, with the device and the system's reason.
    {"timeout 5 $CLI read --port /nonexistent/ttyX $WORK/x.dat", 1, "err",
     "port inicialize error!!  (Read from Radio)\nCannot open the serial port /nonexistent/ttyX: No such file or "
     "directory."},
    {"$CLI probe --port sim", 0, "out", "The simulated radio answered: MR318 (model code 0x013E)."},
    {"$CLI probe --port sim --fault no-echo --fault off", 1, "err", "No echo from the cable on the simulated radio's cable"},
    {"$CLI program --port sim --verify $WORK/usa.hex", 0, "err", "Verified: the radio holds every byte that was sent."},
    {"$CLI program --port sim --verify --fault keep=0x120 $WORK/edited.hex", 1, "err",
     "1 byte differs:\n0x120 (USA CH 17: attributes): sent "},
    {"$CLI dump $DATA/USA_013E.ini >/dev/full", 1, "err", "cannot write to standard output: No space left on device"},
    // The edges of standard output: one message with the true reason; trouble is 2 for diff; a closed
    // pipe ends quietly, killed by SIGPIPE as GNU tools are (141).
    {"$CLI hex2dat $DATA/USA_013E.ini - >/dev/full", 1, "err", "FileSave Error!! (-: No space left on device)\n", true},
    {"$CLI diff $WORK/usa.hex $WORK/edited.dat >/dev/full", 2, "err",
     "rp770-cli: cannot write to standard output: No space left on device\n", true},
    {"mkfifo $WORK/in.fifo && { $CLI report - <$WORK/in.fifo 2>$WORK/e; echo \"status $?\" >$WORK/st; }"
     " | { exec 0<&-; cat $WORK/usa.hex >$WORK/in.fifo; }; cat $WORK/st $WORK/e",
     0, "out", "status 141\n", true},
    // Streams of every kind, and no temporary file for standard input or output: not in an empty
    // TMPDIR, and none tried where nothing can be made (/proc).
    {"mkdir $WORK/tmp && export TMPDIR=$WORK/tmp && $CLI hex2dat - - <$WORK/usa.hex | $CLI dat2hex - - >/dev/null"
     " && ls -A $WORK/tmp | wc -l",
     0, "out", "0\n", true},
    {"export TMPDIR=/proc && $CLI hex2dat - - <$WORK/usa.hex >$WORK/p.dat && $CLI dat2hex - - <$WORK/p.dat | wc -c", 0,
     "out", "1024\n", true},
    {"mkfifo $WORK/dump.fifo && { cat $WORK/usa.hex >$WORK/dump.fifo & } && $CLI dump $WORK/dump.fifo | head -n 1", 0,
     "out", "       00 01 02 03"},
    {"$CLI export-csv /dev/stdin - <$WORK/usa.hex | head -c 9", 0, "out", "Plan,Slot", true},
    {"bash -c '$CLI diff <(cat $WORK/usa.hex) <(cat $WORK/edited.dat)'", 1, "out", "Common: Dual Watch off -> on\n", true},
    // A file that cannot be read says so first, whatever its name.
    {"mkdir $WORK/folder.hex && $CLI dump $WORK/folder.hex", 1, "err",
     "FileRead Error!! ($WORK/folder.hex: Is a directory)\n", true},
    {"$CLI diff $WORK/folder.hex $WORK/usa.hex", 2, "err", "FileRead Error!! ($WORK/folder.hex: Is a directory)\n", true},
    // The printed report: a PDF on standard output, on the locale's paper unless --paper says, with a title.
    {"$CLI report $WORK/usa.hex --pdf - | head -c 5", 0, "out", "%PDF-", true},
    {"$CLI report $WORK/usa.hex --pdf - | tr -d '\\000' | grep -a -c 'RP770 report - usa.hex)'", 0, "out",
     "1\n", true},
    {"env LC_ALL=en_US.UTF-8 $CLI report $WORK/usa.hex --pdf - | grep -a -c 'MediaBox \\[0 0 612'", 0, "out", "7\n", true},
    {"env -u LC_ALL LC_PAPER=fr_CA.UTF-8 LANG=de_DE.UTF-8 $CLI report $WORK/usa.hex --pdf $WORK/ca.pdf"
     " && grep -a -c 'MediaBox \\[0 0 612' $WORK/ca.pdf",
     0, "out", "7\n", true},
    {"env -u LC_ALL -u LC_PAPER LANG=en_GB.UTF-8 $CLI report $WORK/usa.hex --pdf - | grep -a -c 'MediaBox \\[0 0 595'", 0,
     "out", "7\n", true},
    {"env LC_ALL=en_CA.UTF-8 $CLI report $WORK/usa.hex --pdf - --paper A4 | grep -a -c 'MediaBox \\[0 0 595'", 0, "out",
     "7\n", true},
    // Drawn offscreen whatever platform the environment names.
    {"env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb $CLI report $WORK/usa.hex --pdf - | head -c 5", 0, "out",
     "%PDF-", true},
    // An OS failure is said in words, never as a bare number.
    {"$CLI report $WORK/usa.hex >&-", 1, "err", "(-: Bad file descriptor (the file or stream is not open))\n"},
    {"$CLI report $WORK/usa.hex --pdf - --paper legal", 2, "err", "rp770-cli: unknown paper 'legal' (a4 or letter)"},
    {"$CLI report $WORK/usa.hex --pdf - -o -", 2, "err", "only one of -o and --pdf can be standard output"},
    // On a terminal the bar reaches 100 % before "Complete!!".
    {"script -qec \"$CLI read --port sim $WORK/bar.dat\" /dev/null </dev/null | tr -d ' \\r'", 0, "out",
     "]100%\nComplete!!(ReadfromRadio)\n"},
    {"$CLI ports", 0, "out", "\nsim  Simulated radio\n"},
    {"$CLI hex2dat $DATA/USA_013E.ini -", 0, "out", "[MAIN]\r\nMODEL=#MR318\r\n"},
    {"$CLI hex2dat - - <$DATA/INT_013E.ini", 0, "out", "[CHINT0]\r\nPosition=0\r\n"},
    {"$CLI hex2dat $DATA/USA_013E.ini - --destination USA | $CLI dat2hex - - --destination USA"
     " | cmp - $DATA/USA_013E.ini && echo same",
     0, "out", "same"},
    {"$CLI dump - <$DATA/USA_013E.ini", 0, "out", " ----  -- --"},
    {"$CLI dump - </dev/null", 1, "err", "bad file!!"},
    {"$CLI report $WORK/usa.hex -o -", 0, "out", "##### Common Setup #####"},
    {"$CLI hex2dat $DATA/USA_013E.ini - | $CLI report -", 0, "out", "##### Programmable USA Channel #####"},
    {"$CLI report - <$DATA/CAN_013E.ini", 0, "out", "##### Programmable Canada Channel #####"},
    {"$CLI report $WORK/usa.hex --print", 0, "err", "request id is fake-1 (-t RP770 report - usa.hex) %PDF\n", true},
    {"$CLI report - --print Q <$WORK/usa.hex", 0, "err", "(-d Q -t RP770 report - untitled) %PDF\n"},
    {"$CLI report $WORK/usa.hex --print -o - | head -c 24", 0, "out", "##### Common Setup #####"},
    // A refusing queue's own reason is shown; a stopped queue is said (the job waits there).
    {"$CLI report $WORK/usa.hex --print closed", 1, "err",
     "The print service refused the report: lp: Destination \"closed\" is not accepting jobs.\n"
     "The queue says: Out of paper\n", true},
    {"$CLI report $WORK/usa.hex --print stopped", 0, "err",
     "The print queue stopped is stopped: the report waits in it until the queue is started again.\n"
     "The queue says: Paused for new toner\n"},
    {"$CLI export-csv --help", 0, "out", "Usage: rp770-cli export-csv IN.dat|IN.hex|- OUT.csv|-"},
    {"$CLI import-csv --help", 0, "out", "every problem is said as \"line N:"},
    {"$CLI diff --help", 0, "out", "  2           trouble"},
    {"$CLI export-csv $WORK/usa.hex -", 0, "out",
     "Plan,Slot,Channel,Tag,RxMHz,TxMHz,Enable,Scan,Duplex,TxEnable,LowPower,PowerUp,Display\r\n"
     "USA,0,01,,156.0500,156.0500,0,"},
    {"$CLI export-csv - - <$WORK/usa.hex | tail -n 1", 0, "out", "EXP,20,20,,,,0,0,,,0,1,\"   \"\r\n"},
    {"$CLI export-csv $WORK/usa.hex $WORK/usa.csv && $CLI import-csv $WORK/usa.hex $WORK/usa.csv $WORK/back.hex"
     " && cmp $WORK/back.hex $DATA/USA_013E.ini && echo same",
     0, "out", "same"},
    {"$CLI export-csv $WORK/usa.hex - | awk 'BEGIN { FS = OFS = \",\" } $1 == \"USA\" && $2 == 30 { $8 = 1 } 1'"
     " | $CLI import-csv $WORK/usa.hex - $WORK/scan.dat && $CLI diff $WORK/usa.hex $WORK/scan.dat >$WORK/d.txt;"
     " echo \"status $? lines $(wc -l <$WORK/d.txt)\"; cat $WORK/d.txt",
     0, "out", "status 1 lines 1\nUSA 16: Scan off -> on\n"},
    {"$CLI diff $WORK/usa.hex - <$WORK/usa.hex >$WORK/d.txt; echo \"status $? bytes $(wc -c <$WORK/d.txt)\"", 0,
     "out", "status 0 bytes 0"},
    {"$CLI diff $WORK/usa.hex $WORK/missing.dat", 2, "err", "FileRead Error!!"},
    {"printf 'Plan,Slot,RxMHz\\r\\nEXP,3,180.0000\\r\\n' | $CLI import-csv $WORK/usa.hex - $WORK/bad.hex", 1, "err",
     "line 2: EXP 3: RxMHz 180.0000 is not 137 to 174 MHz on a 25 kHz step"},
    {"test -e $WORK/bad.hex || echo nothing written", 0, "out", "nothing written"},
    {"$CLI destinations --data-dir $WORK", 1, "err",
     "Unknown model!!\nNo global.ini offering a radio model was found in:\n  $WORK\n"},
    {"env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=none $GUI --version", 0, "out", "rp770 (RP770) "},
    {"env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=none $GUI --help", 0, "out", "Usage: rp770 [/D | /T | /DT | /TD]"},
};

std::string Replaced(std::string text, const std::string& name, const std::string& value) {
    for (size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + value.size()))
        text.replace(at, name.size(), value);
    return text;
}

TEST_F(Cli, CommandLineConventions) {
    // Stand-ins for the print service: lp refuses the queue "closed",
    // otherwise says what it was asked and what came on its input; lpstat
    // says "stopped" is disabled and "closed" rejects jobs, each with a reason.
    fs::create_directories(work.path() / "bin");
    WriteBytes(work / "bin/lp",
               "#!/bin/sh\n"
               "for a; do [ \"$a\" = closed ] && { echo 'lp: Destination \"closed\" is not accepting jobs.' >&2; exit 1; }; done\n"
               "echo \"request id is fake-1 ($*) $(head -c 4)\"\n");
    WriteBytes(work / "bin/lpstat",
               "#!/bin/sh\n"
               "case \"$1 $2\" in\n"
               "  '-p stopped') printf 'printer stopped disabled since Mon 07 Dec 2026 -\\n\\tPaused for new toner\\n' ;;\n"
               "  '-a closed') printf 'closed not accepting requests since Mon 07 Dec 2026 -\\n\\tOut of paper\\n' ;;\n"
               "  '-d ') echo 'system default destination: office' ;;\n"
               "  *) printf 'printer %s is idle.  enabled since Mon 07 Dec 2026\\n' \"$2\" ;;\n"
               "esac\n");
    for (const char* tool : {"bin/lp", "bin/lpstat"}) fs::permissions(work.path() / tool, fs::perms::owner_all);
    WriteBytes(work / "usa.hex", ReadBytes(data / "USA_013E.ini"));
    std::string edited = ReadBytes(data / "USA_013E.ini");
    edited[0x120] ^= 0x02;  // a bit the radio keeps as it is given
    WriteBytes(work / "edited.hex", edited);
    // A settings file that differs from usa.hex in one field.
    ASSERT_EQ(RunCli({"hex2dat", work / "usa.hex", work / "edited.dat"}).status, 0);
    std::string text = ReadBytes(work / "edited.dat");
    text.replace(text.find("Dual Watch=0"), 12, "Dual Watch=1");
    WriteBytes(work / "edited.dat", text);
    setenv("PATH", (work.str() + "/bin:" + std::getenv("PATH")).c_str(), 1);
    setenv("CLI", RP770_CLI_PATH, 1);
    setenv("GUI", RP770_GUI_PATH, 1);
    setenv("DATA", data.str().c_str(), 1);
    setenv("WORK", work.str().c_str(), 1);
    for (const Convention& c : kConventions) {
        const CliRun run = RunShell(c.commandLine);
        EXPECT_EQ(run.status, c.status) << c.commandLine << "\n" << run.err;
        const std::string& said = std::string(c.stream) == "out" ? run.out : run.err;
        const std::string part = Replaced(c.part, "$WORK", work.str());
        if (c.whole)
            EXPECT_EQ(said, part) << c.commandLine;
        else
            EXPECT_NE(said.find(part), std::string::npos) << c.commandLine << "\n" << c.stream << ": " << said;
    }
}

}  // namespace
}  // namespace rp770
