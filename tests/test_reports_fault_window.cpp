// The fault-memory window: grid shape and header, rows filled from the fault memory at
// every showing, caption, sizes stored for the settings file, and the save menu.
#include "fault_memory.h"
#include "fehler_speicher_form.h"
#include "parameter_set.h"
#include "reports.h"
#include "scripted_dialogs.h"
#include "text_file.h"

#include <QAction>
#include <QGuiApplication>
#include <QScreen>
#include <QHeaderView>
#include <QMenuBar>
#include <QTableWidget>

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class FaultWindow : public ::testing::Test {
protected:
    FaultWindow()
    {
        params_.ProgramVersion = "7.9";
        params_.FileName = "Endstufe.lcd";
        faults_.Entry(1) = {90061, 3};
        faults_.Entry(2) = {0, 5};           // empty, whatever the number
        faults_.Entry(3) = {-1, 250};        // 4294967295 s, invalid number
        faults_.Entry(1000) = {86400, 31};   // a time, but no text
    }

    std::vector<QString> Row(const TFehlerSpeicherForm& form, int row)
    {
        std::vector<QString> cells;
        for (int column = 0; column < TFehlerSpeicherForm::kColumns; ++column)
            cells.push_back(form.Cell(column, row));
        return cells;
    }

    ParameterSet params_;
    FaultMemory faults_;
    ScriptedDialogs dialogs_;
};

}  // namespace

TEST_F(FaultWindow, GridShapeHeaderAndWidths)
{
    struct Case {
        float Scale;
        std::vector<int> Widths;  // columns 0 to 5
        int RowHeight;
    };
    const Case cases[] = {{1.0f, {43, 43, 33, 33, 33, 790}, 24},
                          {1.5f, {64, 64, 49, 49, 49, 1185}, 36}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Scale);
        TFehlerSpeicherForm form(params_, faults_, dialogs_, c.Scale);
        EXPECT_EQ(form.StringGrid->columnCount(), 6);
        EXPECT_EQ(form.StringGrid->rowCount() + 1, 1001);  // plus the header row
        EXPECT_EQ(Row(form, 0), (std::vector<QString>{" ", "Tage", "Std", "Min", "Sek", "Fehler"}));
        EXPECT_EQ(form.size(), QSize(1022, 766));
        for (int column = 0; column < 6; ++column)
            EXPECT_EQ(form.ColumnWidth(column), c.Widths[column]) << column;
        EXPECT_EQ(form.StringGrid->verticalHeader()->defaultSectionSize(), c.RowHeight);
        EXPECT_EQ(form.StringGrid->font().pixelSize(), 16);
        EXPECT_EQ(form.StringGrid->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        EXPECT_EQ(form.StringGrid->editTriggers(), QAbstractItemView::NoEditTriggers);
        EXPECT_EQ(form.Speichern1->text(), "&Speichern");
        EXPECT_TRUE(form.isModal());
        EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
    }
}

TEST_F(FaultWindow, RowsFilledAtEveryShowing)
{
    TFehlerSpeicherForm form(params_, faults_, dialogs_, 1.0f);
    form.show();
    EXPECT_EQ(Row(form, 1), (std::vector<QString>{"1", "1", "1", "1", "1",
                                                  "I-Anode hat 5 Sekunden lang den Spitzenwert "
                                                  "überschritten, PTT 5 sek blockiert."}));
    EXPECT_EQ(Row(form, 2), (std::vector<QString>{"2", "", "", "", "", ""}));
    EXPECT_EQ(Row(form, 3), (std::vector<QString>{"3", "49710", "6", "28", "15",
                                                  "Ungültige Fehlertext-Nr."}));
    EXPECT_EQ(Row(form, 999), (std::vector<QString>{"999", "", "", "", "", ""}));
    EXPECT_EQ(Row(form, 1000), (std::vector<QString>{"1000", "1", "0", "0", "0", ""}));
    form.hide();

    // A download in between: the next showing shows the new memory only.
    faults_ = FaultMemory{};
    faults_.Entry(2) = {61, 9};
    form.show();
    EXPECT_EQ(Row(form, 1), (std::vector<QString>{"1", "", "", "", "", ""}));
    EXPECT_EQ(Row(form, 2), (std::vector<QString>{"2", "0", "0", "1", "1",
                                                  "Fehlerspeicher gelöscht."}));
    EXPECT_EQ(Row(form, 1000), (std::vector<QString>{"1000", "", "", "", "", ""}));
}

TEST_F(FaultWindow, CaptionAtPaintAndSizeForTheSettings)
{
    TFehlerSpeicherForm form(params_, faults_, dialogs_, 1.0f);
    EXPECT_EQ(form.windowTitle(), "FehlerSpeicher");
    form.show();
    form.grab();
    EXPECT_EQ(form.windowTitle(), "LCD Konfiguration v7.9  -  Endstufe.lcd");
    params_.FileName = "Neu.lcd";
    form.grab();
    EXPECT_EQ(form.windowTitle(), "LCD Konfiguration v7.9  -  Neu.lcd");

    // Width and height are the outer size, frame included.
    const QSize frame = form.frameGeometry().size() - form.size();
    ASSERT_GT(frame.width(), 0);
    form.resize(QSize(800, 600) - frame);
    EXPECT_EQ(params_.FaultWindowWidth, 800);
    EXPECT_EQ(params_.FaultWindowHeight, 600);
    EXPECT_EQ(form.StringGrid->width(), 776);
    EXPECT_EQ(form.StringGrid->height(), 520);
    EXPECT_EQ(form.ColumnWidth(5), 776 - (43 + 43 + 3 * 33) - 35);

    // The next start opens the window at the stored size.
    TFehlerSpeicherForm next(params_, faults_, dialogs_, 1.0f);
    EXPECT_EQ(next.size(), QSize(800, 600));  // hidden: no frame known yet
    next.show();
    EXPECT_EQ(next.frameGeometry().size(), QSize(800, 600));
}

TEST_F(FaultWindow, SaveMenuWritesTheMemory)
{
    const fs::path dir = fs::temp_directory_path() / ("fault_window_" + std::to_string(getpid()));
    fs::create_directories(dir);
    params_.DataFolder = dir.string();

    QDialog* dialog = CreateFehlerSpeicherForm(params_, faults_, dialogs_, 1.0f, nullptr);
    auto* form = dynamic_cast<TFehlerSpeicherForm*>(dialog);
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->objectName(), "TFehlerSpeicherForm");

    dialogs_.ChooseSave((dir / "speicher.dat").string());
    form->Speichern1->trigger();
    EXPECT_EQ(form->FaultExportName, "speicher.txt");
    EXPECT_EQ(ReadFileBytes((dir / "speicher.txt").string()).value_or(""),
              "Tage\tStd\tMin\tSek\tFehler\r\n\r\n"
              "1\t1\t1\t1\tI-Anode hat 5 Sekunden lang den Spitzenwert \xFC"
              "berschritten, PTT 5 sek blockiert.\r\n");
    ASSERT_EQ(dialogs_.FileRequests().size(), 1u);
    EXPECT_EQ(dialogs_.FileRequests()[0].FileName, "unbenannt");
    delete dialog;
    fs::remove_all(dir);
}

TEST_F(FaultWindow, UnusableStoredSizeOpensAtTheUsualSize)
{
    params_.FaultWindowWidth = 0;
    params_.FaultWindowHeight = -5;
    TFehlerSpeicherForm form(params_, faults_, dialogs_, 1.0f);
    EXPECT_EQ(form.width(), 1022);
    EXPECT_EQ(form.height(), 766);
    EXPECT_EQ(params_.FaultWindowWidth, 1022);
    EXPECT_EQ(params_.FaultWindowHeight, 766);
}

TEST_F(FaultWindow, StoredSizeLargerThanTheScreenOpensAtTheUsualSize)
{
    const QSize available = QGuiApplication::primaryScreen()->availableGeometry().size();
    struct Case {
        int Width, Height;
        QSize Opens;
    };
    const Case cases[] = {{40000, 30000, {1022, 766}},
                          {available.width() + 1, 300, {1022, 766}},
                          {300, available.height() + 1, {1022, 766}},
                          {available.width(), available.height(), available},
                          {640, 480, {640, 480}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.Width) + " x " + std::to_string(c.Height));
        params_.FaultWindowWidth = c.Width;
        params_.FaultWindowHeight = c.Height;
        TFehlerSpeicherForm form(params_, faults_, dialogs_, 1.0f);
        EXPECT_EQ(form.size(), c.Opens);
        EXPECT_EQ(params_.FaultWindowWidth, c.Opens.width());
        EXPECT_EQ(params_.FaultWindowHeight, c.Opens.height());
    }
}
