// rp770-cli report IN.dat|IN.hex [-o OUT.txt] [--pdf OUT.pdf] [--paper a4|letter] [--print [QUEUE]]:
// the text report of a settings or memory image file, on stdout or into
// OUT.txt exactly as the report window saves it; optionally the printed
// report as a PDF file or on a printer (then the text only with -o). "-"
// reads standard input (a memory image when it holds bytes no text holds)
// or, for -o or --pdf, writes standard output.

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "cli/Printing.h"
#include "report/TextReport.h"

namespace rp770::cli {

namespace {

const char* kSynopsis = "report IN.dat|IN.hex|- [-o OUT.txt|-] [--pdf OUT.pdf|-] [--paper a4|letter] [--print [QUEUE]]";

int RunReport(const std::vector<std::string>& args) {
    const std::vector<OptionHelp> help = {
        {"-o, --output OUT.txt", MessageId::CliOptionOutput},
        {"--pdf OUT.pdf", MessageId::CliOptionPdf},
        {"--paper a4|letter", MessageId::CliOptionPaper},
        {"--print [QUEUE]", MessageId::CliOptionPrint}};
    const CliSpec spec{kSynopsis, 1, 1, {"-o", "--output", "--pdf", "--paper"}, {}, {}, help, {"--print"}};
    return RunWithSession(args, spec, [](const CliOptions& options, CliSession& cli) {
        const std::string& source = options.positional[0];
        const auto out = options.Value("-o") ? options.Value("-o") : options.Value("--output");
        const auto pdf = options.Value("--pdf");
        if (const int checked = CheckPrintOptions(options, cli.console()); checked != kExitOk) return checked;
        if (out && pdf && IsStandardStream(*out) && IsStandardStream(*pdf)) {
            cli.console().Say(Words(MessageId::CliProblem, MessageText(MessageId::CliOneStandardOutput)));
            return kExitUsage;
        }
        std::vector<NamedFile> outputs;
        if (out) outputs.push_back({*out, FileContent::TextReport});
        if (pdf) outputs.push_back({*pdf, FileContent::PdfDocument});
        if (!OutputsSpareInputs(cli.console(), outputs, {{source, ContentOf(KindOf(source))}})) return kExitFailure;
        AppSession& session = cli.session();
        if (cli.Show(session.Open(source, KindOf(source))) != kExitOk) return kExitFailure;
        const DataSet& data = session.DataForReport();

        // The listing as the report window saves it; with --pdf or --print
        // it is written only where -o says.
        const bool printed = pdf || options.Has("--print");
        if (out || !printed) {
            if (cli.Save(out.value_or("-"), ReportFileText(data)) != kExitOk) return kExitFailure;
        }
        return PrintReport(options, cli, data, source);
    });
}

const Registration reg{"report", kSynopsis, MessageId::CliSummaryReport, &RunReport};

}  // namespace
}  // namespace rp770::cli
