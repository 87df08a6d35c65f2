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

int RunReport(const std::vector<std::string>& args) {
    const CliSpec spec{"report IN.dat|IN.hex [-o OUT.txt] [--pdf OUT.pdf]", 1, 1, {"-o", "--output", "--pdf"}, {}};
    return RunWithSession(args, spec, [](const CliOptions& options, Workspace& ws) {
        const std::string& in = options.positional[0];
        const bool opened = OpenDataFile(ws, in);
        if (!opened) return kExitFailure;

        // The report as the report window saves it: the listing and one CR LF.
        const std::string text = ReportFileText(ws.data());
        const auto out = options.Value("-o") ? options.Value("-o") : options.Value("--output");
        if (out) {
            if (const Failure failure = WriteFileAtomically(*out, text)) {
                std::cerr << WithReason("FileSave Error!!", *out, failure) << "\n";
                return kExitFailure;
            }
        } else {
            std::cout << text << std::flush;
        }

        if (const auto pdf = options.Value("--pdf")) {
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
    });
}

const Registration reg{"report", "report IN.dat|IN.hex [-o OUT.txt] [--pdf OUT.pdf]",
                       "write the text report (stdout or OUT.txt) and optionally the printed report as PDF",
                       &RunReport};

}  // namespace
}  // namespace rp770::cli
