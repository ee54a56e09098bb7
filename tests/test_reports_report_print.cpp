// The print job on a PDF printer: the entry checks, the pages printed for a page range,
// the document title, and where the painter puts text and rules on pages of any size.
#include "parameter_set.h"
#include "report_layout.h"
#include "report_painter.h"
#include "report_print.h"
#include "reports.h"
#include "scripted_dialogs.h"

#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QProcess>

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class ReportPrint : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("report_print_" + std::to_string(getpid()));
        fs::create_directories(dir_);
        params_.DataPresent = 1;
        params_.SerialNumber = "0815";
        params_.FileName = "Endstufe.lcd";
        params_.BoardVersionText = "7.14";
        params_.DeviceType = 1;
    }
    void TearDown() override
    {
        if (!getenv("LCD_KEEP_REPORT_PDF"))
            fs::remove_all(dir_);
    }

    std::string Pdf(const std::string& name) const { return (dir_ / name).string(); }

    static std::string Run(const QString& program, const QStringList& arguments)
    {
        QProcess process;
        process.start(program, arguments);
        if (!process.waitForFinished(30000) || process.exitCode() != 0)
            return {};
        return process.readAllStandardOutput().toStdString();
    }
    static int PageCount(const std::string& pdf)
    {
        const std::string info = Run("pdfinfo", {QString::fromStdString(pdf)});
        const auto at = info.find("Pages:");
        return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
    }
    static std::string PdfText(const std::string& pdf)
    {
        return Run("pdftotext", {"-layout", QString::fromStdString(pdf), "-"});
    }

    fs::path dir_;
    ParameterSet params_;
    std::vector<std::string> names_ = {"", "Tavrix 4"};
    ScriptedDialogs dialogs_;
};

}  // namespace

TEST_F(ReportPrint, BothSheetsShowEveryLabel)
{
    const std::string pdf = Pdf("start.pdf");
    ASSERT_TRUE(PrintReportToPdf(pdf, params_, names_));
    EXPECT_EQ(PageCount(pdf), 2);
    const std::string text = PdfText(pdf);
    // pdftotext keeps the words but not the blanks between them (nor the spread-out
    // title), and other columns may sit in a padded label's run of blanks.
    auto compact = [](std::string s) {
        std::erase(s, ' ');
        return s;
    };
    const std::string compactText = compact(text);
    int labels = 0;
    for (int page = 1; page <= 2; ++page) {
        for (const ReportItem& item : BuildReportPage(page, params_, names_)) {
            if (item.Type != ReportItem::Kind::Text)
                continue;
            std::string part = item.Text.substr(item.Text.find_first_not_of(' '));
            part = part.substr(0, part.find("  "));
            EXPECT_NE(compactText.find(compact(part)), std::string::npos) << part;
            ++labels;
        }
    }
    EXPECT_GT(labels, 200);
    const auto sheet2 = text.find("Blatt: 2");
    ASSERT_NE(sheet2, std::string::npos);
    EXPECT_LT(text.find("Balken G1:"), sheet2);
    EXPECT_GT(text.find("Service-Einstellungen:"), sheet2);
}

TEST_F(ReportPrint, PageRangeAndDocumentTitle)
{
    const std::string pdf = Pdf("page2.pdf");
    ASSERT_TRUE(PrintReportToPdf(pdf, params_, names_, 2, 2));
    EXPECT_EQ(PageCount(pdf), 1);
    const std::string text = PdfText(pdf);
    EXPECT_NE(text.find("Blatt: 2"), std::string::npos);
    EXPECT_EQ(text.find("Blatt: 1"), std::string::npos);
    EXPECT_NE(Run("pdfinfo", {QString::fromStdString(pdf)}).find("Tavrix S0815 Endstufe.lcd"),
              std::string::npos);

    const std::string first = Pdf("page1.pdf");
    ASSERT_TRUE(PrintReportToPdf(first, params_, names_, 1, 1));
    EXPECT_EQ(PageCount(first), 1);
    EXPECT_EQ(PdfText(first).find("Blatt: 2"), std::string::npos);
}

TEST_F(ReportPrint, RefusalsBeforeAndAfterThePrintDialog)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(Pdf("refused.pdf")));
    printer.setPageOrientation(QPageLayout::Landscape);
    printer.setFromTo(2, 2);
    printer.setCopyCount(3);

    int dialogsShown = 0;
    params_.DataPresent = 0;
    EXPECT_FALSE(PrintReport(params_, names_, dialogs_, printer, [&](QPrinter&) {
        ++dialogsShown;
        return true;
    }));
    EXPECT_EQ(dialogsShown, 0);
    EXPECT_EQ(dialogs_.Log(),
              (std::vector<std::string>{"beep", "info:Es sind noch keine Daten vorhanden!"}));

    // The dialog sees the prepared printer; the user turns it to landscape.
    dialogs_.Clear();
    params_.DataPresent = 1;
    EXPECT_FALSE(PrintReport(params_, names_, dialogs_, printer, [&](QPrinter& p) {
        ++dialogsShown;
        EXPECT_EQ(p.fromPage(), 1);
        EXPECT_EQ(p.toPage(), 2);
        EXPECT_EQ(p.copyCount(), 1);
        EXPECT_EQ(p.pageLayout().orientation(), QPageLayout::Portrait);
        p.setPageOrientation(QPageLayout::Landscape);
        return true;
    }));
    EXPECT_EQ(dialogsShown, 1);
    EXPECT_EQ(dialogs_.Log(),
              (std::vector<std::string>{"beep",
                                        "info:Es ist nicht möglich im Querformat zu Drucken !"}));
    EXPECT_FALSE(fs::exists(Pdf("refused.pdf")));

    // Cancelled: nothing printed, nothing said.
    dialogs_.Clear();
    EXPECT_FALSE(PrintReport(params_, names_, dialogs_, printer, [](QPrinter&) { return false; }));
    EXPECT_TRUE(dialogs_.Log().empty());
    EXPECT_FALSE(fs::exists(Pdf("refused.pdf")));

    // Page 2 chosen in the dialog: a one-page document.
    EXPECT_TRUE(PrintReport(params_, names_, dialogs_, printer, [](QPrinter& p) {
        p.setFromTo(2, 2);
        return true;
    }));
    EXPECT_TRUE(dialogs_.Log().empty());
    EXPECT_EQ(PageCount(Pdf("refused.pdf")), 1);
}

TEST(ReportPainter, FontAndPenFollowThePageWidth)
{
    // 600 dpi, 8 inch printable width.
    EXPECT_EQ(ReportFontPoints(4800), 77);
    EXPECT_EQ(ReportQFont(ReportFont::Regular, 4800).pixelSize(), 103);
    EXPECT_EQ(ReportPenWidth(4800), 7);
    EXPECT_EQ(ReportFontPoints(1600), 25);
    EXPECT_EQ(ReportPenWidth(1600), 2);
    EXPECT_EQ(ReportPixel(170, 4800, kReportWidthMm), 4015);
    EXPECT_EQ(ReportPixel(271, 6646, kReportHeightMm), 6403);

    const QFont title = ReportQFont(ReportFont::Title, 4800);
    EXPECT_TRUE(title.bold());
    EXPECT_TRUE(title.underline());
    EXPECT_TRUE(ReportQFont(ReportFont::Heading, 4800).underline());
    EXPECT_FALSE(ReportQFont(ReportFont::Regular, 4800).underline());
    EXPECT_FALSE(ReportQFont(ReportFont::Regular, 4800).bold());
}

namespace {

// Rows of an image that hold a horizontal black run at least half the page wide.
std::vector<int> RuleRows(const QImage& image)
{
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        int run = 0, longest = 0;
        for (int x = 0; x < image.width(); ++x) {
            run = qGray(image.pixel(x, y)) < 128 ? run + 1 : 0;
            longest = std::max(longest, run);
        }
        if (longest > image.width() / 2)
            rows.push_back(y);
    }
    return rows;
}

QImage Painted(int page, int width, int height, const ParameterSet& params)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintReportItems(painter, BuildReportPage(page, params, {}), width, height);
    painter.end();
    return image;
}

}  // namespace

TEST(ReportPainter, SameLayoutInMillimetresOnAnyPage)
{
    ParameterSet params;
    const double small = 4, large = 10;  // pixels per millimetre
    for (double scale : {small, large}) {
        const int width = static_cast<int>(kReportWidthMm * scale);
        const int height = static_cast<int>(kReportHeightMm * scale);
        const QImage image = Painted(2, width, height, params);
        // The sheet's rules, each as thick as a third of a millimetre.
        const std::vector<float> expected = {21, 54, 117, 185, 248, 271};
        std::vector<int> rows = RuleRows(image);
        std::vector<float> rules;
        for (size_t i = 0; i < rows.size(); ++i)
            if (i == 0 || rows[i] != rows[i - 1] + 1)
                rules.push_back(rows[i] / scale);
        ASSERT_EQ(rules.size(), expected.size()) << scale;
        for (size_t i = 0; i < rules.size(); ++i)
            EXPECT_NEAR(rules[i], expected[i], 0.5) << scale;

        // A rule runs from 19 mm to 197 mm.
        const int ruleRow = rows.front();
        int first = -1, last = -1;
        for (int x = 0; x < width; ++x)
            if (qGray(image.pixel(x, ruleRow)) < 128) {
                if (first < 0)
                    first = x;
                last = x;
            }
        EXPECT_NEAR(first / scale, 19, 0.5);
        EXPECT_NEAR(last / scale, 197, 0.5);

        // The first dark pixel of "Blatt: 2" sits just right of 170 mm, below 5 mm.
        int left = width, top = height;
        for (int y = 0; y < ReportPixel(12, height, kReportHeightMm); ++y)
            for (int x = ReportPixel(165, width, kReportWidthMm); x < width; ++x)
                if (qGray(image.pixel(x, y)) < 128) {
                    left = std::min(left, x);
                    top = std::min(top, y);
                }
        EXPECT_GE(left / scale, 170);
        EXPECT_LT(left / scale, 172);
        EXPECT_GE(top / scale, 5);
        EXPECT_LT(top / scale, 7);
    }
}
