// rp770-cli report IN.dat|IN.hex [-o OUT.txt] [--pdf OUT.pdf]: the text
// report of a settings or memory image file, on stdout or into OUT.txt
// exactly as the report window saves it, and optionally the printed report
// as a PDF file.

#include <QGuiApplication>
#include <iostream>

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "core/Codecs.h"
#include "files/AtomicFile.h"
#include "platform/ReportPrinting.h"
#include "report/TextReport.h"

namespace rp770::cli {

namespace {

bool EndsWithNoCase(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() && EqualsNoCase(text.substr(text.size() - tail.size()), tail);
}

int RunReport(const std::vector<std::string>& args) {
    const CliSpec spec{"report IN.dat|IN.hex [-o OUT.txt] [--pdf OUT.pdf]", 1, 1, {"-o", "--output", "--pdf"}, {}};
    const auto options = ParseCliOptions(args, spec);
    if (!options) return kExitUsage;
    CliSession session(*options);
    if (const int status = session.Open(); status != kExitOk) return status;
    Workspace& ws = session.workspace();
    const std::string& in = options->positional[0];
    const bool opened = EndsWithNoCase(in, ".hex") ? ws.OpenHexFile(in) : ws.OpenDatFile(in);
    if (!opened) return kExitFailure;

    // The report as the report window saves it: the listing and one CR LF.
    const std::string text = ReportFileText(ws.data());
    const auto out = options->Value("-o") ? options->Value("-o") : options->Value("--output");
    if (out) {
        FileFailure failure;
        if (!WriteFileAtomically(*out, text, &failure)) {
            std::cerr << "FileSave Error!!\n" << failure.description << "\n";
            return kExitFailure;
        }
    } else {
        std::cout << text << std::flush;
    }

    if (const auto pdf = options->Value("--pdf")) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        int argc = 1;
        char name[] = "rp770-cli";
        char* argv[] = {name, nullptr};
        QGuiApplication app(argc, argv);
        const platform::PrintOutcome outcome = platform::RenderReportPdf(ws.data(), *pdf);
        if (!outcome.ok) {
            std::cerr << "FileSave Error!!\n" << outcome.error << "\n";
            return kExitFailure;
        }
    }
    return kExitOk;
}

const Registration reg{"report", "report IN.dat|IN.hex [-o OUT.txt] [--pdf OUT.pdf]",
                       "write the text report (stdout or OUT.txt) and optionally the printed report as PDF",
                       &RunReport};

}  // namespace
}  // namespace rp770::cli
