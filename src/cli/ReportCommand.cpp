// rp770-cli report IN.dat|IN.hex [-o OUT.txt] [--pdf OUT.pdf] [--paper a4|letter] [--print [QUEUE]]:
// the text report of a settings or memory image file, on stdout or into
// OUT.txt exactly as the report window saves it; optionally the printed
// report as a PDF file or on a printer (then the text only with -o). "-"
// reads standard input (a memory image when it holds bytes no text holds)
// or, for -o or --pdf, writes standard output.

#include <QGuiApplication>
#include <cstdio>
#include <memory>

#include "cli/CliCommands.h"
#include "cli/CliOptions.h"
#include "cli/CliSession.h"
#include "platform/ReportPrinting.h"
#include "report/TextReport.h"

namespace rp770::cli {

namespace {

const char* kSynopsis = "report IN.dat|IN.hex|- [-o OUT.txt|-] [--pdf OUT.pdf|-] [--paper a4|letter] [--print [QUEUE]]";

// Qt's own notes ("XDG_RUNTIME_DIR not set") are not the program's to say;
// only what stops Qt is.
void QtNote(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg) std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

// The offscreen graphical application the printed report is drawn with.
std::unique_ptr<QGuiApplication> StartGui() {
    qInstallMessageHandler(QtNote);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "rp770-cli";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

// --paper, else the paper of the user's locale; nothing for a paper not known.
std::optional<platform::Paper> PaperOf(const CliOptions& options) {
    const auto named = options.Value("--paper");
    if (!named) return platform::UsersPaper();
    std::string lower = *named;
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (lower == "a4") return platform::Paper::A4;
    if (lower == "letter") return platform::Paper::Letter;
    return std::nullopt;
}

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
        const std::optional<platform::Paper> paper = PaperOf(options);
        if (!paper) {
            cli.console().Say("rp770-cli: unknown paper '" + *options.Value("--paper") + "' (a4 or letter)");
            return kExitUsage;
        }
        if (out && pdf && IsStandardStream(*out) && IsStandardStream(*pdf)) {
            cli.console().Say("rp770-cli: only one of -o and --pdf can be standard output");
            return kExitUsage;
        }
        AppSession& session = cli.session();
        if (cli.Show(session.Open(source, KindOf(source))) != kExitOk) return kExitFailure;
        const DataSet& data = session.DataForReport();

        // The listing as the report window saves it; with --pdf or --print
        // it is written only where -o says.
        const bool printed = pdf || options.Has("--print");
        if (out || !printed) {
            if (cli.Save(out.value_or("-"), ReportFileText(data)) != kExitOk) return kExitFailure;
        }
        std::unique_ptr<QGuiApplication> gui;
        const std::string title = platform::ReportJobTitle(IsStandardStream(source) ? "" : source);
        if (pdf) {
            gui = StartGui();
            std::string document;
            const platform::PrintOutcome rendered = platform::RenderReportPdf(data, document, *paper, title);
            if (!rendered.ok) {
                cli.console().Say(rendered.error);
                return kExitFailure;
            }
            if (cli.Save(*pdf, document) != kExitOk) return kExitFailure;
        }
        if (options.Has("--print")) {
            if (!gui) gui = StartGui();
            const platform::PrintOutcome printedOut =
                platform::PrintReportOnQueue(data, options.Value("--print").value_or(""), title);
            if (!printedOut.ok) {
                cli.console().Say(printedOut.error);
                return kExitFailure;
            }
            if (!printedOut.reply.empty()) cli.console().Say(printedOut.reply);
            if (!printedOut.notice.empty()) cli.console().Say(printedOut.notice);
        }
        return kExitOk;
    });
}

const Registration reg{"report", kSynopsis, MessageId::CliSummaryReport, &RunReport};

}  // namespace
}  // namespace rp770::cli
