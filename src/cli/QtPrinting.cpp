// The printed report drawn with Qt: as a PDF document, or on a printer.
#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>

#include "cli/Printing.h"
#include "platform/ReportPrinting.h"
#include "messages/MessageText.h"

namespace rp770::cli {

namespace {

// Qt's own notes ("XDG_RUNTIME_DIR not set") are not the program's to say;
// only what stops Qt is. A failure that would abort the program (no
// drawing surface) ends it with its reason and exit status 1 instead.
void QtNote(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtFatalMsg) {
        const std::string why = text.section(QLatin1Char('\n'), 0, 0).trimmed().toStdString();
        std::fprintf(stderr, "%s\n", platform::NoDrawingSurfaceText(why).c_str());
        std::fflush(stderr);
        std::_Exit(kExitFailure);
    }
    if (type == QtCriticalMsg) std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

// The offscreen graphical application the printed report is drawn with:
// offscreen whatever QT_QPA_PLATFORM names, since nothing is shown.
std::unique_ptr<QGuiApplication> StartGui() {
    qInstallMessageHandler(QtNote);
    qputenv("QT_QPA_PLATFORM", "offscreen");
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

}  // namespace

int CheckPrintOptions(const CliOptions& options, Console& console) {
    if (!PaperOf(options)) {
        console.Say(Words(MessageId::CliProblem, MessageText(MessageId::CliUnknownPaper, *options.Value("--paper"))));
        return kExitUsage;
    }
    return kExitOk;
}

int PrintReport(const CliOptions& options, CliSession& cli, const DataSet& data, const std::string& source) {
    const auto pdf = options.Value("--pdf");
    if (!pdf && !options.Has("--print")) return kExitOk;
    const std::unique_ptr<QGuiApplication> gui = StartGui();
    const std::string title = platform::ReportJobTitle(IsStandardStream(source) ? "" : source);
    if (pdf) {
        std::string document;
        const platform::PrintOutcome rendered = platform::RenderReportPdf(data, document, *PaperOf(options), title);
        if (!rendered.ok) {
            cli.console().Say(rendered.error);
            return kExitFailure;
        }
        if (cli.Save(*pdf, document) != kExitOk) return kExitFailure;
    }
    if (options.Has("--print")) {
        const platform::PrintOutcome printed =
            platform::PrintReportOnQueue(data, options.Value("--print").value_or(""), title);
        if (!printed.ok) {
            cli.console().Say(printed.error);
            return kExitFailure;
        }
        if (!printed.reply.empty()) cli.console().Say(printed.reply);
        if (!printed.notice.empty()) cli.console().Say(printed.notice);
    }
    return kExitOk;
}

}  // namespace rp770::cli
