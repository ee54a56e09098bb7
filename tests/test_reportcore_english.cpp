// The printed report and the fault memory in English: the report's labels from its
// item list, the spaced-out title, the rendered PDF's text, and the fault texts and
// export header; the German report stays as it is.
#include "fault_export.h"
#include "fault_memory.h"
#include "fault_texts.h"
#include "language.h"
#include "parameter_set.h"
#include "report_layout.h"
#include "report_pdf_writer.h"

#include <QProcess>

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

class English : public ::testing::Test {
protected:
    void SetUp() override
    {
        params.SerialNumber = "0815";
        params.BoardVersionText = "7.14";
        params.DeviceType = 0;
        UseLanguage(Language::English);
    }
    void TearDown() override { UseLanguage(Language::German); }

    std::vector<std::string> Texts(int page) const
    {
        std::vector<std::string> texts;
        for (const ReportItem& item : BuildReportPage(page, params, {"Tetrode"}))
            if (item.Type == ReportItem::Kind::Text)
                texts.push_back(item.Text);
        return texts;
    }
    static bool Has(const std::vector<std::string>& texts, const std::string& text)
    {
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }

    ParameterSet params;
};

}  // namespace

TEST_F(English, ReportLabelsFromTheItemList)
{
    const std::vector<std::string> page1 = Texts(1);
    EXPECT_TRUE(Has(page1, "T a v r i x   R e p o r t"));
    EXPECT_TRUE(Has(page1, "Sheet: 1"));
    EXPECT_TRUE(Has(page1, "Device: Tetrode    Serial no: 0815    Version: 7.14"));
    for (const char* label : {"General", "Display language:", "Warm-up time:", "Soft-start relay",
                              "Display ranges:", "General limits:", "Max SWR:", "Minimum efficiency allowed:"})
        EXPECT_TRUE(Has(page1, label)) << label;
    const std::vector<std::string> page2 = Texts(2);
    EXPECT_TRUE(Has(page2, "Sheet: 2"));
    for (const char* label : {"IA mean limits:", "PWR display correction:", "Service settings:",
                              "Disable protection:", "No correction factor:"})
        EXPECT_TRUE(Has(page2, label)) << label;
    // No German word is left on either page.
    for (int page : {1, 2})
        for (const std::string& text : Texts(page))
            for (const char* german : {"Grenzwerte", "Blatt", "Gerät", "Zeitfenster", "ja", "nein", "sek"})
                EXPECT_EQ(text.find(german), std::string::npos) << page << ": " << text;

    UseLanguage(Language::German);
    EXPECT_TRUE(Has(Texts(1), "T a v r i x   P r o t o k o l l"));
    EXPECT_TRUE(Has(Texts(1), "Blatt: 1"));
}

TEST_F(English, RenderedReportReadsEnglish)
{
    const std::string pdf = (std::filesystem::temp_directory_path() / ("report_en_" + std::to_string(getpid()) + ".pdf")).string();
    ASSERT_TRUE(WriteReportPdf(pdf, params, {"Tetrode"}, 150));
    QProcess text;
    text.start("pdftotext", {"-layout", QString::fromStdString(pdf), "-"});
    ASSERT_TRUE(text.waitForFinished(30000));
    const QString out = text.readAllStandardOutput();
    EXPECT_TRUE(out.contains("Sheet: 1"));
    EXPECT_TRUE(out.contains("Sheet: 2"));
    EXPECT_TRUE(out.contains("Serial no: 0815"));
    EXPECT_TRUE(out.contains("PWR display correction:"));
    EXPECT_FALSE(out.contains("Grenzwerte"));
    std::filesystem::remove(pdf);
}

TEST_F(English, FaultTextsAndTheExportHeader)
{
    EXPECT_EQ(FaultText(0), "Device switched off by the user.");
    EXPECT_EQ(FaultText(39), "Invalid fault text number.");
    EXPECT_EQ(FaultText(200), "Invalid fault text number.");
    EXPECT_EQ(FaultText(27), "");
    FaultMemory faults;
    faults.Entry(1) = {90061, 1};
    const std::string text = FaultExportText(faults);
    EXPECT_EQ(text.rfind("Days\tHours\tMin\tSec\tFault\n\n", 0), 0u) << text;
    EXPECT_NE(text.find("Maximum SWR exceeded, PTT blocked for 5 s."), std::string::npos) << text;
}
