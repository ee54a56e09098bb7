// No lost edits: the window ends as before (no question, exit code 0, nothing on
// screen), but a set changed since it was last opened, saved, read from the board or
// written to it is left in the state folder's "unsaved" folder with its companion.
#include "e2e_session.h"

#include <QLineEdit>
#include <QTest>

using namespace e2e;

namespace {

class UnsavedTest : public Session {
protected:
    fs::path Folder() const { return dir / "state" / "lcdkonfig" / "unsaved"; }
    std::vector<std::string> Left() const
    {
        std::vector<std::string> names;
        std::error_code ec;
        for (const auto& entry : fs::directory_iterator(Folder(), ec))
            names.push_back(entry.path().extension().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    // The pre-heat time typed into the Timing dialog, as a user edits.
    void TypeWarmUp(const char* seconds)
    {
        ASSERT_TRUE(WithModal([this] { form->TimingButton->click(); }, [&](QWidget* dialog) {
            auto* edit = dialog->findChild<QLineEdit*>("EditVorheizzeit");
            edit->setFocus();
            edit->selectAll();
            QTest::keyClicks(edit, seconds);
            QTest::keyClick(edit, Qt::Key_Return);
        }));
    }
    void Download()
    {
        form->EmpfangenButton->click();
        ASSERT_EQ(form->statusLabel->text(), "Daten gelesen");
    }
};

}  // namespace

TEST_F(UnsavedTest, OnlyAChangedSetIsLeftAtTheEnd)
{
    struct Case {
        const char* what;
        std::function<void()> steps;
        bool left;
    };
    const Case cases[] = {
        {"nothing done", [] {}, false},
        {"read from the board", [this] { Download(); }, false},
        {"read, then edited", [this] { Download(); TypeWarmUp("120"); }, true},
        {"edited, then written to the board",
         [this] {
             Download();
             TypeWarmUp("120");
             dialogs.AnswerConfirm(true);
             form->SendenButton->click();
             EXPECT_EQ(form->statusLabel->text(), "Programmiert");
         },
         false},
        {"edited, then saved",
         [this] {
             Download();
             TypeWarmUp("120");
             dialogs.ChooseSave(Path("daten/a.lcd"));
             form->Speichernunter1->trigger();
         },
         false},
        {"saved, then edited again",
         [this] {
             Download();
             dialogs.ChooseSave(Path("daten/a.lcd"));
             form->Speichernunter1->trigger();
             TypeWarmUp("130");
         },
         true},
        {"edited, then the save dialog cancelled",
         [this] {
             Download();
             TypeWarmUp("120");
             dialogs.ChooseSave(std::nullopt);
             form->Speichernunter1->trigger();
         },
         true},
        {"edited, then a file opened",
         [this] {
             Download();
             dialogs.ChooseSave(Path("daten/a.lcd"));
             form->Speichernunter1->trigger();
             TypeWarmUp("120");
             dialogs.ChooseOpen(Path("daten/a.lcd"));
             form->ffnen1->trigger();
         },
         false},
        {"edited, then a download the board does not answer",
         [this] {
             Download();
             TypeWarmUp("120");
             Board().Ping.mode = PingBehaviour::Mode::NoAnswer;
             form->EmpfangenButton->click();
             dialogs.Clear();
         },
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(Folder());
        fs::remove(dir / "daten" / "a.lcd");
        fs::remove(dir / "daten" / "a.txt");
        Start();
        c.steps();
        ASSERT_TRUE(dialogs.ScriptUsedUp());
        const std::array<int32_t, kValueCount> values = params.Values;
        dialogs.Clear();
        form->Beenden1->trigger();
        EXPECT_EQ(exitCodes, std::vector<int>{0});
        EXPECT_TRUE(dialogs.Log().empty()) << "the end asks and says nothing";
        if (c.left) {
            EXPECT_EQ(Left(), (std::vector<std::string>{".lcd", ".txt"}));
            for (const auto& entry : fs::directory_iterator(Folder())) {
                if (entry.path().extension() != ".lcd")
                    continue;
                const std::string bytes = ReadFileBytes(entry.path().string()).value_or("");
                ParameterSet expected = params;
                expected.Values = values;
                EXPECT_EQ(bytes, WithCrLf(ToWindows1252(LcdFileText(expected))));
                // "2026-12-09_14-03-22.lcd"
                EXPECT_EQ(entry.path().filename().string().size(), 23u);
            }
        } else {
            EXPECT_TRUE(Left().empty());
        }
        form.reset();
        exitCodes.clear();
        params = ParameterSet{};
    }
}

TEST_F(UnsavedTest, AFolderThatCannotBeWrittenIsOneLineOnStandardErrorAndTheEndGoesOn)
{
    Start();
    Download();
    TypeWarmUp("120");
    fs::create_directories(Folder().parent_path());
    std::ofstream(Folder().string()) << "a file where the folder should be";
    dialogs.Clear();
    ::testing::internal::CaptureStderr();
    form->Beenden1->trigger();
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(exitCodes, std::vector<int>{0});
    EXPECT_TRUE(dialogs.Log().empty());
    EXPECT_EQ(err.rfind("lcdkonfig: unsaved set not kept: " + Folder().string() + ": ", 0), 0u) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1);
}
