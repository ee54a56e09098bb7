// Fault texts, the split of fault times, and the fault-memory text export with its
// save sequence (file dialog, extension, overwrite question, failures).
#include "fault_export.h"
#include "fault_memory.h"
#include "fault_texts.h"
#include "parameter_set.h"
#include "scripted_dialogs.h"
#include "text_file.h"
#include "unprivileged.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(FaultTexts, TableAndInvalidNumbers)
{
    EXPECT_EQ(FaultText(0), "Gerät wurde vom Benutzer abgeschaltet.");
    EXPECT_EQ(FaultText(6), "I-Anode < Minimalwert und I-G2 > Maximalwert. (HV-Sicherung prüfen)");
    EXPECT_EQ(FaultText(13), "Unerwarteter Prozessor-Neustart");
    EXPECT_EQ(FaultText(28), "Der minimale Wirkungsgrad wurde 5 Sekunden lang unterschritten, "
                             "PTT 5 sek blockiert.");
    EXPECT_EQ(FaultText(38), "Unzulässiger Anodenstrom in der Aufwärmphase, Notabschaltung.");
    EXPECT_EQ(FaultText(27), "");
    EXPECT_EQ(FaultText(31), "");
    EXPECT_EQ(FaultText(39), "Ungültige Fehlertext-Nr.");
    EXPECT_EQ(FaultText(40), "Ungültige Fehlertext-Nr.");
    EXPECT_EQ(FaultText(255), "Ungültige Fehlertext-Nr.");
    // Every other number has a text of its own that fits the board's 101-character slot.
    for (unsigned n = 0; n < 39; ++n) {
        if (n == 27 || n == 31)
            continue;
        EXPECT_FALSE(FaultText(n).empty()) << n;
        EXPECT_LE(ToWindows1252(FaultText(n)).size(), 101u) << n;
        for (unsigned m = 0; m < n; ++m)
            EXPECT_NE(FaultText(n), FaultText(m)) << n << " " << m;
    }
}

TEST(FaultTexts, TimeSplit)
{
    auto split = [](uint32_t t) {
        FaultTime f = SplitFaultTime(t);
        return std::vector<uint32_t>{f.Days, f.Hours, f.Minutes, f.Seconds};
    };
    EXPECT_EQ(split(90061), (std::vector<uint32_t>{1, 1, 1, 1}));
    EXPECT_EQ(split(4294967295u), (std::vector<uint32_t>{49710, 6, 28, 15}));
    EXPECT_EQ(split(86399), (std::vector<uint32_t>{0, 23, 59, 59}));
    EXPECT_EQ(split(86400), (std::vector<uint32_t>{1, 0, 0, 0}));
    EXPECT_EQ(split(1), (std::vector<uint32_t>{0, 0, 0, 1}));
}

namespace {

FaultMemory SmallMemory()
{
    FaultMemory m;
    m.Entry(1) = {90061, 0};
    m.Entry(2) = {-1, 39};     // 4294967295 seconds
    m.Entry(3) = {59, 200};    // a negative byte from the board
    m.Entry(4) = {3600, 27};   // no text
    m.Entry(5) = {0, 5};       // the first empty entry ends the list
    m.Entry(6) = {100, 1};
    return m;
}

const std::string kHeaderBytes = "Tage\tStd\tMin\tSek\tFehler\r\n\r\n";

const std::string kSmallMemoryBytes = kHeaderBytes
    + "1\t1\t1\t1\tGer\xE4t wurde vom Benutzer abgeschaltet.\r\n"
      "49710\t6\t28\t15\tUng\xFCltige Fehlertext-Nr.\r\n"
      "0\t0\t0\t59\tUng\xFCltige Fehlertext-Nr.\r\n"
      "0\t1\t0\t0\t\r\n";

class FaultExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = fs::temp_directory_path() / ("fault_export_" + std::to_string(getpid()));
        fs::create_directories(dir_ / "andere");
        params_.DataFolder = dir_.string();
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    bool Save(const FaultMemory& m) { return SaveFaultMemory(m, params_, dialogs_, name_); }

    fs::path dir_;
    ParameterSet params_;
    ScriptedDialogs dialogs_;
    std::string name_ = "unbenannt";
};

const std::string kFilter = "LCD Fehlerspeicher (*.txt)|*.TXT|";

std::string Question(const std::string& name)
{
    return name + "\nist schon vorhanden.\n\nMöchten Sie die vorhandene Datei überschreiben?";
}

}  // namespace

TEST_F(FaultExport, FileBytes)
{
    dialogs_.ChooseSave(Path("klein.txt"));
    ASSERT_TRUE(Save(SmallMemory()));
    EXPECT_EQ(ReadFileBytes(Path("klein.txt")).value_or(""), kSmallMemoryBytes);

    dialogs_.ChooseSave(Path("leer.txt"));
    ASSERT_TRUE(Save(FaultMemory{}));
    EXPECT_EQ(ReadFileBytes(Path("leer.txt")).value_or(""), kHeaderBytes);
    EXPECT_EQ(dialogs_.Beeps(), 0);
    EXPECT_TRUE(dialogs_.Messages().empty());

    FaultMemory full;
    for (int n = 1; n <= kFaultEntries; ++n)
        full.Entry(n) = {n, static_cast<uint8_t>(n % 40)};
    const std::string text = FaultExportText(full);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 2 + kFaultEntries);
    EXPECT_TRUE(text.ends_with("0\t0\t16\t40\t" + FaultText(0) + "\n"));
}

TEST_F(FaultExport, DialogRequestNamesAndFolder)
{
    dialogs_.ChooseSave(Path("andere/fehler"));   // typed without an extension
    ASSERT_TRUE(Save(SmallMemory()));
    ASSERT_EQ(dialogs_.FileRequests().size(), 1u);
    const FileDialogRequest& first = dialogs_.FileRequests()[0];
    EXPECT_EQ(first.Filter, kFilter);
    EXPECT_EQ(first.InitialFolder, dir_.string());
    EXPECT_EQ(first.FileName, "unbenannt");
    EXPECT_EQ(first.DefaultExtension, "txt");
    EXPECT_EQ(name_, "fehler.txt");
    EXPECT_EQ(params_.DataFolder, Path("andere"));
    EXPECT_TRUE(fs::exists(Path("andere/fehler.txt")));

    // The next dialog opens in that folder with the last name; .log becomes .txt.
    dialogs_.ChooseSave(Path("andere/protokoll.log"));
    ASSERT_TRUE(Save(SmallMemory()));
    EXPECT_EQ(dialogs_.FileRequests()[1].InitialFolder, Path("andere"));
    EXPECT_EQ(dialogs_.FileRequests()[1].FileName, "fehler.txt");
    EXPECT_EQ(name_, "protokoll.txt");
    EXPECT_TRUE(fs::exists(Path("andere/protokoll.txt")));
    EXPECT_FALSE(fs::exists(Path("andere/protokoll.log")));

    EXPECT_EQ(FaultExportFileName("/a/b/FEHLER.TXT"), "FEHLER.txt");
    EXPECT_EQ(FaultExportFileName("/a/b.c/name"), "name.txt");
    EXPECT_EQ(FolderOfPath("/a/b.c/name"), "/a/b.c");
    // A file in the root folder leaves "/" as DataFolder, not an empty folder that the
    // settings file could not carry.
    EXPECT_EQ(FolderOfPath("/fehler.txt"), "/");
}

TEST_F(FaultExport, OverwriteQuestion)
{
    ASSERT_TRUE(WriteFileAtomically(Path("alt.txt"), "alt"));

    // No: the dialog again; cancelled there: the name the window had before.
    dialogs_.ChooseSave(Path("alt.txt"));
    dialogs_.AnswerYesNo(Answer::No);
    dialogs_.ChooseSave(std::nullopt);
    EXPECT_FALSE(Save(SmallMemory()));
    EXPECT_EQ(dialogs_.Log(), (std::vector<std::string>{"save:" + kFilter, "beep",
                                                        "yesno:" + Question("alt.txt"),
                                                        "save:" + kFilter}));
    EXPECT_EQ(dialogs_.FileRequests()[1].FileName, "alt.txt");
    EXPECT_EQ(name_, "unbenannt");
    EXPECT_EQ(ReadFileBytes(Path("alt.txt")).value_or(""), "alt");

    // Yes: written over.
    dialogs_.Clear();
    dialogs_.ChooseSave(Path("alt.txt"));
    dialogs_.AnswerYesNo(Answer::Yes);
    EXPECT_TRUE(Save(SmallMemory()));
    EXPECT_EQ(ReadFileBytes(Path("alt.txt")).value_or(""), kSmallMemoryBytes);
    EXPECT_EQ(name_, "alt.txt");
    EXPECT_TRUE(dialogs_.ScriptUsedUp());
}

TEST_F(FaultExport, FailedWriteAsksAgainAndKeepsWhatWasThere)
{
    // A folder that does not exist cannot take the file.
    dialogs_.ChooseSave(Path("fehlt/x.txt"));
    // A folder of that name cannot be replaced by the file: the old one stays.
    fs::create_directories(dir_ / "ordner.txt" / "inhalt");
    dialogs_.ChooseSave(Path("ordner.txt"));
    dialogs_.AnswerYesNo(Answer::Yes);
    dialogs_.ChooseSave(Path("gut.txt"));
    EXPECT_TRUE(Save(SmallMemory()));

    const std::string failed = "info:Datei kann nicht geöffnet werden!";
    EXPECT_EQ(dialogs_.Log(),
              (std::vector<std::string>{"save:" + kFilter, "beep", failed, "save:" + kFilter,
                                        "beep", "yesno:" + Question("ordner.txt"), "beep",
                                        failed, "save:" + kFilter}));
    EXPECT_TRUE(fs::is_directory(dir_ / "ordner.txt" / "inhalt"));
    EXPECT_EQ(ReadFileBytes(Path("gut.txt")).value_or(""), kSmallMemoryBytes);
    EXPECT_EQ(name_, "gut.txt");
}

TEST(FaultExportProtected, WriteProtectedFileIsRefusedAndTheDialogComesBack)
{
    const std::string dir = SharedTempFolder("fault_export_protect");
    const fs::path file = fs::path(dir) / "alt.txt";
    ASSERT_TRUE(WriteFileAtomically(file.string(), "alt"));
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    ParameterSet params;
    params.DataFolder = dir;

    const UnprivilegedRun run = RunUnprivileged([&] {
        ScriptedDialogs dialogs;
        dialogs.ChooseSave(file.string());
        dialogs.AnswerYesNo(Answer::Yes);
        dialogs.ChooseSave(std::nullopt);
        std::string name = "unbenannt";
        std::string log = SaveFaultMemory(SmallMemory(), params, dialogs, name) ? "saved" : "not saved";
        for (const std::string& line : dialogs.Log())
            log += "|" + line;
        return log;
    });
    ASSERT_TRUE(run.Completed);
    EXPECT_EQ(run.Result, "not saved|save:" + kFilter + "|beep|yesno:" + Question("alt.txt")
                              + "|beep|info:Datei kann nicht geöffnet werden!|save:" + kFilter);
    EXPECT_EQ(*ReadFileBytes(file.string()), "alt");
    fs::remove_all(dir);
}
