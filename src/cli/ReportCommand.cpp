// rp770-cli report IN.dat|IN.hex [-o OUT.txt] [--pdf OUT.pdf] [--print [QUEUE]]:
// the text report of a settings or memory image file, on stdout or into
// OUT.txt exactly as the report window saves it; optionally the printed
// report as a PDF file or on a printer (then the text only with -o). "-" reads standard input (a memory
// image when it holds bytes no text holds) or, for -o, writes standard
// output.

#include <QGuiApplication>
#include <iostream>
#include <memory>

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "cli/StdioFiles.h"
#include "core/Codecs.h"
#include "files/AtomicFile.h"
#include "platform/ReportPrinting.h"
#include "report/TextReport.h"
#include "workspace/Messages.h"

namespace rp770::cli {

namespace {

const char* kSynopsis = "report IN.dat|IN.hex|- [-o OUT.txt|-] [--pdf OUT.pdf] [--print [QUEUE]]";

// The offscreen graphical application the printed report is drawn with.
std::unique_ptr<QGuiApplication> StartGui() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "rp770-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

int RunReport(const std::vector<std::string>& args) {
    const CliSpec spec{kSynopsis, 1, 1, {"-o", "--output", "--pdf"}, {}, {},
                       {{"-o, --output OUT.txt", "write the text report into OUT.txt (\"-\": standard output, the default "
                                                 "unless --pdf or --print is given)"},
                        {"--pdf OUT.pdf", "also write the printed report as a PDF file"},
                        {"--print [QUEUE]", "also print the report on QUEUE, or on the default printer without a name"}},
                       {"--print"}};
    return RunWithSession(args, spec, [](const CliOptions& options, Workspace& ws) {
        StdioFiles stdio;
        const std::string& source = options.positional[0];
        const std::string in = stdio.Input(source, "");
        if (in.empty() || !OpenDataFile(ws, in)) return kExitFailure;

        // The report as the report window saves it: the listing and one CR LF.
        const std::string text = ReportFileText(ws.data());
        const auto out = options.Value("-o") ? options.Value("-o") : options.Value("--output");
        // With --pdf or --print the listing is written only where -o says.
        const bool printed = options.Value("--pdf") || options.Has("--print");
        if (out && !StdioFiles::IsStandardStream(*out)) {
            if (const Failure failure = WriteFileAtomically(*out, text); failure.Failed()) {
                std::cerr << WithReason(msg::FileSaveError, *out, failure) << "\n";
                return kExitFailure;
            }
        } else if (out || !printed) {
            std::cout << text;
        }

        std::unique_ptr<QGuiApplication> gui;
        if (const auto pdf = options.Value("--pdf")) {
            gui = StartGui();
            const platform::PrintOutcome outcome = platform::RenderReportPdf(ws.data(), *pdf);
            if (!outcome.ok) {
                std::cerr << msg::FileSaveError << "\n" << outcome.error << "\n";
                return kExitFailure;
            }
        }
        if (options.Has("--print")) {
            if (!gui) gui = StartGui();
            const std::string title = platform::ReportJobTitle(StdioFiles::IsStandardStream(source) ? "" : source);
            const platform::PrintOutcome outcome =
                platform::PrintReportOnQueue(ws.data(), options.Value("--print").value_or(""), title);
            if (!outcome.ok) {
                std::cerr << outcome.error << "\n";
                return kExitFailure;
            }
            if (!outcome.reply.empty()) std::cerr << outcome.reply << "\n";
        }
        return stdio.SendOutputs() ? kExitOk : kExitFailure;
    });
}

const Registration reg{"report", kSynopsis,
                       "write the text report (standard output or OUT.txt), and optionally the printed report as a "
                       "PDF file or on a printer",
                       &RunReport};

}  // namespace
}  // namespace rp770::cli
