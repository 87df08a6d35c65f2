// The printed report through QPrinter into a PDF file.
#include <gtest/gtest.h>

#include <QFont>
#include <QGuiApplication>
#include <QPrinter>
#include <QTemporaryDir>
#include <fstream>
#include <iterator>
#include <memory>

#include "platform/QtPrintSurface.h"
#include "platform/ReportPrinting.h"
#include "report/ReportData.h"

namespace rp770 {
namespace {

class PdfReport : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        if (!QGuiApplication::instance()) app_ = std::make_unique<QGuiApplication>(argc_, argv_);
    }
    static void TearDownTestSuite() { app_.reset(); }

    std::string PathFor(const char* name) const { return dir_.filePath(name).toStdString(); }

    QTemporaryDir dir_;

private:
    static inline int argc_ = 1;
    static inline char arg0_[] = "report_pdf_tests";
    static inline char* argv_[] = {arg0_, nullptr};
    static inline std::unique_ptr<QGuiApplication> app_;
};

// Page objects of a PDF file: "/Type /Page" not followed by "s".
int CountPdfPages(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string pdf{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    int pages = 0;
    const std::string key = "/Type /Page";
    for (size_t at = pdf.find(key); at != std::string::npos; at = pdf.find(key, at + key.size()))
        if (at + key.size() >= pdf.size() || pdf[at + key.size()] != 's') ++pages;
    return pages;
}

TEST_F(PdfReport, PageCountsFollowTheModelFlags) {
    ASSERT_TRUE(dir_.isValid());
    struct Case {
        ModelFlags flags;
        int pages;
    };
    for (const Case& c : {Case{{false, false, false}, 5}, Case{{true, true, true}, 7}}) {
        DataSet data = testing::FactoryData(c.flags);
        const std::string path = PathFor(c.pages == 5 ? "off.pdf" : "on.pdf");
        const auto outcome = platform::RenderReportPdf(data, path);
        ASSERT_TRUE(outcome.ok) << outcome.error;
        EXPECT_EQ(outcome.pages, c.pages);
        EXPECT_EQ(CountPdfPages(path), c.pages);
    }
}

TEST_F(PdfReport, LongListBreaksOntoANewPage) {
    ASSERT_TRUE(dir_.isValid());
    DataSet data = testing::FactoryData({false, false, false});
    for (auto& r : data.plan(PlanUSA)) r.Enable = true;
    const QFont font("DejaVu Sans", 10);
    const std::string path = PathFor("long.pdf");
    const auto outcome = platform::RenderReportPdf(data, path, &font);
    ASSERT_TRUE(outcome.ok) << outcome.error;
    // 114 rows and five header lines of a 10 pt font do not fit one A4 page,
    // but do fit two.
    EXPECT_EQ(outcome.pages, 6);
    EXPECT_EQ(CountPdfPages(path), 6);
}

TEST_F(PdfReport, SurfaceMeasuresInTwips) {
    ASSERT_TRUE(dir_.isValid());
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(PathFor("measure.pdf")));
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    const QFont font("DejaVu Sans", 12);
    platform::QtPrintSurface surface(printer, &font);
    ASSERT_TRUE(surface.Ok());
    // 297 mm less the margins is 277 mm of 56.7 twips.
    EXPECT_NEAR(surface.PageHeightTwips(), 277 * 56.7, 30);
    // A 12 pt font (240 twips) has a line spacing a little above its size.
    EXPECT_GT(surface.LineHeightTwips(), 240);
    EXPECT_LT(surface.LineHeightTwips(), 400);
    surface.SetCurrentX(1000);
    surface.Print("WWW", false);
    EXPECT_GT(surface.CurrentX(), 1000 + 3 * 120) << "three wide letters of 12 pt";
    surface.Print("x", true);
    EXPECT_DOUBLE_EQ(surface.CurrentX(), 0);
    EXPECT_DOUBLE_EQ(surface.CurrentY(), surface.LineHeightTwips());
    surface.EndDoc();
    EXPECT_TRUE(surface.Ok());
    EXPECT_EQ(CountPdfPages(PathFor("measure.pdf")), 1);
}

TEST_F(PdfReport, UnwritableFileIsReported) {
    DataSet data = testing::FactoryData({false, false, false});
    // A folder that does not exist stops root as well.
    const auto outcome = platform::RenderReportPdf(data, "/nonexistent-rp770-folder/report.pdf");
    EXPECT_FALSE(outcome.ok);
    EXPECT_NE(outcome.error.find("/nonexistent-rp770-folder/report.pdf"), std::string::npos) << outcome.error;
}

}  // namespace
}  // namespace rp770
