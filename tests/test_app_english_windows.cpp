// The program in English: every window's texts in English, and every text fits its
// control and runs into no neighbour at 96 and 120 dpi, as far as the German window
// lets its own texts fit (a German label that already touches its field in the
// window's design is not counted against the English one).
#include "e2e_session.h"
#include "fehler_speicher_form.h"
#include "language.h"

#include <QAbstractButton>
#include <QDialog>
#include <QTest>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QMenu>
#include <QTableWidget>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

#include <set>

using namespace e2e;

namespace {

// The data fields of the main window show values, not the program's texts.
const std::set<QString> kDataFields = {"Label61", "Label44", "Label4", "statusLabel"};

QString Plain(QString text) { return text.remove('&'); }

// Which texts of a window do not fit: "<window>/<control>: <why>".
std::set<std::string> Misfits(QWidget* window)
{
    std::set<std::string> misfits;
    const std::string where = window->objectName().toStdString() + "/";
    auto add = [&](QWidget* w, const std::string& why) {
        misfits.insert(where + w->objectName().toStdString() + "[" + std::to_string(w->x()) + ","
                       + std::to_string(w->y()) + "]: " + why);
    };
    std::vector<QWidget*> texts;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window) || w->window() != window || kDataFields.count(w->objectName()))
            continue;
        if (auto* button = qobject_cast<QPushButton*>(w)) {
            if (button->fontMetrics().horizontalAdvance(Plain(button->text())) + 8 > button->width())
                add(w, "text wider than the button");
            texts.push_back(w);
        } else if (qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w)) {
            if (!static_cast<QAbstractButton*>(w)->text().isEmpty() && w->sizeHint().width() > w->width())
                add(w, "text cut off");
            texts.push_back(w);
        } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
            if (group->fontMetrics().horizontalAdvance(Plain(group->title())) + 12 > group->width())
                add(w, "title wider than the group");
        } else if (auto* label = qobject_cast<QLabel*>(w)) {
            if (!label->text().isEmpty() && label->sizeHint().width() > label->width() + 1)
                add(w, "text wider than the label");
            texts.push_back(w);
        }
    }
    // A text that runs into the control to its right on the same row, or past the
    // window's edge.
    for (QWidget* w : texts) {
        const QRect own = w->geometry();
        const int textRight = own.x() + std::min(own.width(), w->sizeHint().width());
        if (w->parentWidget() == window->findChild<QWidget*>() || w->parentWidget() == window) {
            if (textRight > w->parentWidget()->width())
                add(w, "past the window's edge");
        }
        for (QWidget* other : window->findChildren<QWidget*>()) {
            if (other == w || other->parentWidget() != w->parentWidget() || !other->isVisibleTo(window)
                || other->x() <= own.x() || qobject_cast<QGroupBox*>(other))
                continue;
            const QRect o = other->geometry();
            const bool sameRow = o.top() < own.bottom() && own.top() < o.bottom();
            if (sameRow && textRight > o.x() + 1)
                add(w, "runs into " + other->objectName().toStdString());
        }
    }
    return misfits;
}

class EnglishWindows : public Session {
protected:
    void TearDown() override
    {
        UseLanguage(Language::German);
        Session::TearDown();
    }

    // Every window of the program as start-up makes it, in service mode, shown.
    std::set<std::string> MisfitsOf(Language language, float scale)
    {
        UseLanguage(language);
        form = CreateProgramForms(dialogs, params, {kServiceWord}, scale);
        std::set<std::string> all;
        std::vector<QWidget*> windows{form.get()};
        for (QDialog* dialog : form->Forms())
            windows.push_back(dialog);
        for (QWidget* window : windows) {
            window->show();
            QCoreApplication::processEvents();
            const std::set<std::string> m = Misfits(window);
            all.insert(m.begin(), m.end());
            window->hide();
        }
        form.reset();
        return all;
    }
};

}  // namespace

TEST_F(EnglishWindows, EveryEnglishTextFitsAtNinetySixAndHundredTwentyDpi)
{
    for (float scale : {1.0f, 1.25f}) {
        const std::set<std::string> german = MisfitsOf(Language::German, scale);
        const std::set<std::string> english = MisfitsOf(Language::English, scale);
        for (const std::string& misfit : english) {
            // The same place in German: the window's own design, not the translation.
            const std::string place = misfit.substr(0, misfit.find(": "));
            bool alsoGerman = false;
            for (const std::string& g : german)
                alsoGerman = alsoGerman || g.rfind(place, 0) == 0;
            if (!alsoGerman)
                ADD_FAILURE() << "at scale " << scale << ": " << misfit;
        }
    }
}

TEST_F(EnglishWindows, TheMainWindowAndItsDialogsSpeakEnglish)
{
    UseLanguage(Language::English);
    Start({kServiceWord});
    EXPECT_EQ(form->windowTitle(), "LCD Configuration v7.9");
    EXPECT_EQ(form->EmpfangenButton->text(), "Device to PC");
    EXPECT_EQ(form->GroupBox1->title(), "Transfer configuration");
    EXPECT_EQ(form->Label61->text(), "untitled");
    EXPECT_EQ(form->Fehlerspeicher1->text(), "Fault &memory");
    EXPECT_EQ(form->Form("TGrenzwerteForm")->windowTitle(), "General limits");

    // An exchange in English: the board does not answer, then a download.
    Board().Ping.mode = PingBehaviour::Mode::NoAnswer;
    form->EmpfangenButton->click();
    EXPECT_EQ(dialogs.Messages(), std::vector<std::string>{
        "The device does not answer!\n\nPossible reasons, e.g.:\nTest jumper left on the board.\n"
        "Mains cable not removed.\nNo firmware loaded yet."});
    dialogs.Clear();
    Board().Ping.mode = PingBehaviour::Mode::Answer;
    form->EmpfangenButton->click();
    EXPECT_TRUE(dialogs.Messages().empty());
    EXPECT_EQ(form->statusLabel->text(), "Data read");

    // A value out of range in an editor.
    bool refused = false;
    WithModal([this] { form->GrenzwerteButton->click(); }, [&](QWidget* dialog) {
        auto* edit = dialog->findChild<QLineEdit*>("EditUAmax");
        ASSERT_NE(edit, nullptr);
        edit->setText("70000");
        QTest::keyClick(edit, Qt::Key_Return);
        refused = !dialogs.Messages().empty()
                  && dialogs.Messages().back() == "Valid entries are 1 V to 65000 V!";
    });
    EXPECT_TRUE(refused) << (dialogs.Messages().empty() ? "" : dialogs.Messages().back());

    // The line error of a port.
    dialogs.Clear();
    live->Port().InjectLineError();
    form->EmpfangenButton->click();
    EXPECT_EQ(dialogs.Messages(), std::vector<std::string>{"Line error on port virtuell!"});
}

// What the review of the English program found: the fault window's hours heading fits
// its 33 px column, no German is left in its title, save proposal and the file filters,
// the key-down button leaves room at both edges, and the menu says "Tools".
TEST_F(EnglishWindows, ReviewedTextsFitAndSpeakEnglish)
{
    UseLanguage(Language::English);
    for (float scale : {1.0f, 1.25f}) {
        form = CreateProgramForms(dialogs, params, {}, scale);
        QPushButton* keyDown = form->ButtonMaxPWRDauerTr;
        EXPECT_EQ(keyDown->text(), "Max power, key-down");
        // At least 4 px of the button's face on either side of its text.
        EXPECT_LE(keyDown->fontMetrics().horizontalAdvance(keyDown->text()) + 8, keyDown->width()) << scale;

        auto* faults = dynamic_cast<TFehlerSpeicherForm*>(form->Form("TFehlerSpeicherForm"));
        ASSERT_NE(faults, nullptr);
        EXPECT_EQ(faults->Cell(2, 0), "h");
        EXPECT_EQ(faults->ColumnWidth(2), int(33 * scale));
        const QFontMetrics header(faults->StringGrid->horizontalHeader()->font());
        EXPECT_LT(header.horizontalAdvance("h"), faults->ColumnWidth(2) / 2);
        faults->FormPaint();
        EXPECT_EQ(faults->windowTitle(), "LCD Configuration v7.9  -  untitled");
        form.reset();
    }

    Start();
    EXPECT_EQ(form->findChild<QMenu*>("Extras1")->title(), "&Tools");
    dialogs.ChooseOpen(std::nullopt);
    form->ffnen1->trigger();
    dialogs.ChooseSave(std::nullopt);
    form->Speichernunter1->trigger();
    auto* faults = dynamic_cast<TFehlerSpeicherForm*>(form->Form("TFehlerSpeicherForm"));
    dialogs.ChooseSave(std::nullopt);
    faults->Speichern1Click();
    const std::vector<FileDialogRequest>& requests = dialogs.FileRequests();
    ASSERT_EQ(requests.size(), 3u);
    EXPECT_EQ(requests[0].Filter, "LCD configuration (*.lcd)|*.LCD|");
    EXPECT_EQ(requests[1].Filter, "LCD configuration (*.lcd)|*.LCD|");
    EXPECT_EQ(requests[1].FileName, "untitled");
    EXPECT_EQ(requests[2].FileName, "untitled");
}
