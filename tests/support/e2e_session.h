#pragma once
// The whole program against the virtual board in virtual time: a TMainForm built as at
// start-up (forms in their order, settings and device-type list from a temporary working
// folder), its port stack replaced by a LiveBoard on a VirtualClock behind the port
// "virtuell", and the window's sleeps advancing that clock. Message boxes and file
// dialogs come from ScriptedDialogs. Header only: the end-to-end tests link the app
// library, the rest of the test support does not.
#include "fault_memory.h"
#include "fake_discovery.h"
#include "live_board.h"
#include "main_form.h"
#include "parameter_set.h"
#include "scripted_dialogs.h"
#include "start_up.h"
#include "text_file.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

namespace e2e {

namespace fs = std::filesystem;

inline const QColor kPanelOnColour(0, 255, 0);
inline const QColor kPanelOffColour(0, 128, 0);

class Session : public ::testing::Test {
protected:
    void SetUp() override
    {
        previousFolder_ = QDir::currentPath();
        dir = fs::temp_directory_path()
            / ("e2e_" + std::to_string(getpid()) + "_"
               + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir / "daten");
        QDir::setCurrent(QString::fromStdString(dir.string()));
        // Every successful download leaves a backup; these go to the test's folder.
        const char* state = std::getenv("XDG_STATE_HOME");
        previousState_ = state ? std::optional<std::string>(state) : std::nullopt;
        setenv("XDG_STATE_HOME", (dir / "state").c_str(), 1);
        std::string types;
        for (int k = 0; k < 256; ++k)
            types += "Typ" + std::to_string(k) + "\t;Kommentar\r\n";
        Put("GeraeteTyp.ini", types);
        Put("Tavrix.ini", (dir / "daten").string() + "\t\t;Aktueller Pfad\r\n780\t\t;Bildbreite\r\n"
                              "580\t\t;Bildh\xF6he\r\n");
        TheFaultMemory() = FaultMemory{};
    }

    void TearDown() override
    {
        form.reset();
        QDir::setCurrent(previousFolder_);
        if (previousState_)
            setenv("XDG_STATE_HOME", previousState_->c_str(), 1);
        else
            unsetenv("XDG_STATE_HOME");
        fs::remove_all(dir);
    }

    // Builds the program and runs its start-up tick, which searches the port.
    // liveTicks: let the window's timer drive the board between exchanges.
    void Start(QStringList arguments = {}, bool liveTicks = false)
    {
        form = CreateProgramForms(dialogs, params, arguments, 1.0f);
        form->EndProcess = [this](int code) { exitCodes.push_back(code); };
        auto ownClock = std::make_unique<VirtualClock>();
        clock = ownClock.get();
        BoardSetup setup;
        setup.Discovery = std::make_unique<OneOrdinaryPort>();
        setup.Virtual = std::make_unique<LiveBoard>(std::move(ownClock));
        setup.Trace = false;
        setup.LiveTicks = liveTicks;
        if (Configure)
            Configure(setup);
        form->UseBoard(std::move(setup));
        live = form->Board().Virtual();
        form->SleepFunction = [this](int ms) {
            clock->AdvanceMs(ms);
            if (OnSleep)
                OnSleep(ms);
        };
        form->Timer1Timer();
    }

    ConfigBoard& Board() { return live->Application(); }
    BootRom& Rom() { return live->Rom(); }

    void Put(const std::string& name, const std::string& bytes) const
    {
        std::ofstream((dir / name).string(), std::ios::binary) << bytes;
    }
    std::string Path(const std::string& name) const { return (dir / name).string(); }
    std::string Bytes(const std::string& name) const
    {
        return ReadFileBytes(Path(name)).value_or("<missing>");
    }

    // Runs a handler that shows a modal dialog, acts on the dialog while it is open
    // and closes it. Returns false when no modal dialog came up.
    bool WithModal(const std::function<void()>& handler, const std::function<void(QWidget*)>& act)
    {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal)
                return;
            seen = true;
            act(modal);
            modal->close();
        });
        handler();
        return seen;
    }

    // Virtual and real time an operation took.
    struct Cost {
        double virtualSeconds;
        double realSeconds;
    };
    Cost Measure(const std::function<void()>& operation)
    {
        const int64_t virtualStart = clock->NowUs();
        const auto realStart = std::chrono::steady_clock::now();
        operation();
        const std::chrono::duration<double> real = std::chrono::steady_clock::now() - realStart;
        return {double(clock->NowUs() - virtualStart) / 1e6, real.count()};
    }

    std::vector<QPushButton*> EditorButtons() const
    {
        return {form->AllgemeinButton, form->TimingButton, form->SoftstartrelaisButton,
                form->AnzeigebereicheButton, form->GrenzwerteButton, form->ButtonMaxPWRDauerTr,
                form->Button_IA_MW, form->PWRKorrekturButton};
    }
    std::vector<QWidget*> LinkControls() const
    {
        return {form->EmpfangenButton, form->ResetPanel, form->ModePanel, form->ProgressBar,
                form->SuchenButton, form->ComboBox, form->SendenButton, form->FirmwareButton};
    }

    // The window after an operation ended: the link controls usable, the editors as
    // given, and (after a failure) an empty status and a progress bar at 0.
    void ExpectUsable(bool editors, const char* when)
    {
        for (QWidget* w : LinkControls())
            EXPECT_TRUE(w->isEnabled()) << when << ": " << w->objectName().toStdString();
        for (QPushButton* b : EditorButtons())
            EXPECT_EQ(b->isEnabled(), editors) << when << ": " << b->objectName().toStdString();
    }
    void ExpectFailedAndUsable(bool editors, const char* when)
    {
        ExpectUsable(editors, when);
        EXPECT_EQ(form->ProgressBar->value(), 0) << when;
        EXPECT_EQ(form->statusLabel->text(), "") << when;
    }

    static QColor Colour(QWidget* panel) { return panel->palette().color(QPalette::Window); }
    // The panel turns `colour` within `ms` of the window's event loop: the line's change
    // comes through the port's poster, a turn or more after the board answered.
    static bool TurnsColour(QWidget* panel, const QColor& colour, int ms = 2000)
    {
        return QTest::qWaitFor([&] { return Colour(panel) == colour; }, ms);
    }

    fs::path dir;
    ParameterSet params;
    ScriptedDialogs dialogs;
    std::unique_ptr<TMainForm> form;
    VirtualClock* clock = nullptr;
    LiveBoard* live = nullptr;
    std::vector<int> exitCodes;
    // Called after every sleep of the window, with the virtual clock already advanced.
    std::function<void(int)> OnSleep;
    // Changes the board connection's setup before Start builds it.
    std::function<void(BoardSetup&)> Configure;

private:
    QString previousFolder_;
    std::optional<std::string> previousState_;
};

}  // namespace e2e
