#include <gtest/gtest.h>

#include <QLabel>
#include <QPageLayout>
#include <QPageSize>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <deque>
#include <optional>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "core/MemoryImage.h"
#include "files/TestFolder.h"
#include "support/ScriptedPrompter.h"
#include "platform/ReportPrinting.h"
#include "ui/FileDialogs.h"
#include "ui/PrintPreviewDialog.h"
#include "ui/ReportWindow.h"
#include "ui/Tr.h"
#include "ui/Twips.h"

namespace rp770::ui {
namespace {

namespace fs = std::filesystem;

class OnePath : public FileDialogs {
public:
    std::deque<QString> paths;
    QString OpenPath(QWidget*, FileKind, const QString&) override { return {}; }
    QString SavePath(QWidget*, FileKind, const QString&) override {
        if (paths.empty()) return {};
        QString p = paths.front();
        paths.pop_front();
        return p;
    }
    bool ChoosePrinter(QWidget*, QPrinter&) override { return false; }
};

class NoClock : public Clock {
public:
    double Now() override { return 0; }
    void Sleep(int) override {}
};

struct ReportWindowTest : ::testing::Test {
    DataSet data;
    rp770::testing::ScriptedPrompter prompter;
    OnePath dialogs;
    NoClock clock;
    // A folder of this test's own: the tests run as separate processes, side by side.
    rp770::testing::TestFolder folder;
    const fs::path& dir = folder.path();
    void SetUp() override {
        data.flags = {true, true, true};
        ResetDataSet(data);
    }
    static std::string Read(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
};

TEST_F(ReportWindowTest, ShowsTheWaitingTextThenTheReportAndSavesItWithOneLineEnd) {
    ReportWindow window(data, prompter, dialogs, clock, "MR318 PC Program for MR318");
    EXPECT_EQ(window.windowTitle(), "Print to File");
    EXPECT_EQ(window.text(), ReportWindow::WaitingText());
    window.BuildReport();
    EXPECT_TRUE(window.text().startsWith("##### Common Setup #####\n"));

    const fs::path target = dir / "report.txt";
    {
        std::ofstream old(target, std::ios::binary);
        old << std::string(100000, 'x');  // a longer file is replaced whole
    }
    dialogs.paths = {QString::fromStdString(target.string())};
    ASSERT_TRUE(window.SaveAs());
    const std::string saved = Read(target);
    EXPECT_EQ(saved.substr(0, 26), "##### Common Setup #####\r\n");
    ASSERT_GE(saved.size(), 4u);
    EXPECT_EQ(saved.substr(saved.size() - 2), "\r\n");
    EXPECT_NE(saved.substr(saved.size() - 4), "\r\n\r\n") << "exactly one line end after the last line";
    EXPECT_EQ(saved.find("\n\n"), std::string::npos) << "no bare LF";

    EXPECT_FALSE(window.SaveAs()) << "cancelled dialog";
    EXPECT_TRUE(window.operationCancelled());
}

TEST_F(ReportWindowTest, AFailedSaveShowsItsDescriptionAndKeepsTheText) {
    ReportWindow window(data, prompter, dialogs, clock, "MR318 PC Program for MR318");
    window.BuildReport();
    dialogs.paths = {QString::fromStdString((dir / "missing-folder" / "r.txt").string())};
    EXPECT_FALSE(window.SaveAs());
    ASSERT_EQ(prompter.boxes.size(), 1u);
    EXPECT_EQ(prompter.boxes[0].title, "MR318 PC Program for MR318");
    EXPECT_EQ(prompter.boxes[0].icon, Icon::Warning);
    EXPECT_FALSE(prompter.boxes[0].text.empty());
    EXPECT_TRUE(window.fileError());
    EXPECT_TRUE(window.text().startsWith("##### Common Setup #####"));
}

TEST_F(ReportWindowTest, ReopeningShowsChangedData) {
    data.common.DualWatch = false;
    {
        ReportWindow first(data, prompter, dialogs, clock, "t");
        first.BuildReport();
        EXPECT_TRUE(first.text().contains("Dual Watch:                        Off"));
    }
    data.common.DualWatch = true;
    ReportWindow second(data, prompter, dialogs, clock, "t");
    second.BuildReport();
    EXPECT_TRUE(second.text().contains("Dual Watch:                        On"));
}

TEST_F(ReportWindowTest, ResizeRuleAndTinyWindows) {
    ReportWindow window(data, prompter, dialogs, clock, "t");
    window.show();
    window.resize(558, 409);
    auto* box = window.findChild<QPlainTextEdit*>("txtPrn");
    auto* ok = window.findChild<QPushButton*>("cmdOK");
    EXPECT_NEAR(PxToTwips(box->width(), &window), 8370 - 300, 20);
    EXPECT_NEAR(PxToTwips(ok->y(), &window), 6135 - 1200, 20);
    EXPECT_NEAR(ok->x() + ok->width() / 2.0, window.width() / 2.0, 1);
    window.setMinimumSize(0, 0);
    window.resize(10, 10);  // narrower than the rule allows: nothing negative
    EXPECT_GE(box->width(), 0);
    EXPECT_GE(box->height(), 0);
}

// File > Print: the print dialog, then the preview of the pages the printer
// gets (a PDF file here: no real printer), from which the user prints or
// cancels.
class PreviewingDialogs : public OnePath {
public:
    QString pdf;
    QPageSize paper{QPageSize::A4};
    bool printAfterPreview = true;
    int previewPages = -1;
    int lastPageShown = -1;
    QString pageLine;  // what the preview says of the page shown
    std::optional<QPageLayout> layout;  // the printer's, as the preview saw it
    bool ChoosePrinter(QWidget*, QPrinter& printer) override {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        printer.setPageSize(paper);
        return true;
    }
    bool PreviewPages(QWidget* parent, QPrinter& printer, const PageDrawer& draw, bool chooseNext) override {
        PrintPreviewDialog dialog(printer, draw, chooseNext, parent);
        dialog.UpdatePreview();
        previewPages = dialog.PageCount();
        dialog.GoToPage(previewPages);
        lastPageShown = dialog.CurrentPage();
        pageLine = dialog.findChild<QLabel*>("lblPreviewPage")->text();
        layout = printer.pageLayout();
        return printAfterPreview;
    }
};

TEST_F(ReportWindowTest, PrintShowsThePreviewOfExactlyThePagesPrinted) {
    const struct {
        QPageSize::PageSizeId paper;
        bool print;
    } cases[] = {{QPageSize::A4, true}, {QPageSize::Letter, true}, {QPageSize::A5, true}, {QPageSize::A4, false}};
    int n = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(QPageSize::name(c.paper).toStdString() + (c.print ? " printed" : " cancelled"));
        PreviewingDialogs previewing;
        previewing.pdf = QString::fromStdString((dir / ("printed" + std::to_string(++n) + ".pdf")).string());
        previewing.paper = QPageSize(c.paper);
        previewing.printAfterPreview = c.print;
        ReportWindow window(data, prompter, previewing, clock, "t");
        EXPECT_EQ(window.Print(), c.print);
        ASSERT_TRUE(previewing.layout.has_value());
        // The print service gets a PDF drawn on the printer's page: the
        // pages the preview showed, as many.
        const auto service = platform::RenderReportPdf(data, (dir / "service.pdf").string(), nullptr, &*previewing.layout);
        ASSERT_TRUE(service.ok) << service.error;
        EXPECT_GT(previewing.previewPages, 0);
        EXPECT_EQ(previewing.previewPages, service.pages);
        EXPECT_EQ(previewing.lastPageShown, service.pages) << "the last page can be seen";
        EXPECT_EQ(previewing.pageLine, Tr({MessageId::PrintPreviewPage, service.pages, service.pages}));
        EXPECT_EQ(fs::exists(previewing.pdf.toStdString()), c.print) << "paper only after the preview's Print";
    }
}

}  // namespace
}  // namespace rp770::ui
