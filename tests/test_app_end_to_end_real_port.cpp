// The whole program on the real port: TMainForm with its production TComPort, watching
// threads and queued line events, on a pseudo-terminal whose far end is the virtual
// board (PtyBoard), in virtual time. A line error at the end of a download, the board's
// converter pulled out and plugged in again, and udev telling about it.
#include "board_config.h"
#include "e2e_session.h"
#include "pty_board.h"

#include <QTest>

using namespace e2e;

namespace {

constexpr const char* kConverter = "PTYRIG01A";

// The PC sees one FTDI converter, whose port is the pty of the moment.
class PtyDiscovery : public PortDiscovery {
public:
    explicit PtyDiscovery(std::string& port) : port_(port) {}
    std::vector<std::string> SerialPorts() override { return {"/dev/ttyS0", port_}; }
    std::vector<std::string> DeviceNames() override { return {std::string(kBoardConverterPrefix) + kConverter}; }
    ConverterPort BoardConverterPort(const std::string& converter) override
    {
        if (converter != kConverter)
            return {};
        return {ConverterPort::Result::Found, port_};
    }

private:
    std::string& port_;
};

class FakeHotplug : public HotplugSource {
public:
    void Send(const HotplugEvent& event) { Emit(event); }
};

// A converter: the board at the far end of a pty of its own.
struct Converter {
    explicit Converter(VirtualClock& clock) : board(clock), pty(board) { board.SetApplication(&config); }
    VirtualBoard board;
    ConfigBoard config;
    PtyBoard pty;
};

class RealPortTest : public Session {
protected:
    void StartOnPty()
    {
        converter = std::make_unique<Converter>(ptyClock);
        portName = converter->pty.DeviceName();
        form = CreateProgramForms(dialogs, params, {}, 1.0f);
        form->EndProcess = [this](int code) { exitCodes.push_back(code); };
        BoardSetup setup;
        setup.Discovery = std::make_unique<PtyDiscovery>(portName);
        setup.NoVirtualBoard = true;
        setup.Trace = false;
        setup.Driver = &driver;
        setup.CheckIntervalMs = 1;
        auto hotplugSource = std::make_unique<FakeHotplug>();
        hotplug = hotplugSource.get();
        setup.Hotplug = std::move(hotplugSource);
        form->UseBoard(std::move(setup));
        form->SleepFunction = [this](int ms) {
            converter->pty.Pump();
            ptyClock.AdvanceMs(ms);
            converter->pty.Pump();
        };
        form->Timer1Timer();
    }

    // The port's threads post in real time: let them, then process the window's queue.
    void LetTheWindowCatchUp(int ms = 100)
    {
        for (int i = 0; i < ms; ++i) {
            QCoreApplication::processEvents();
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        QCoreApplication::processEvents();
    }

    // Forwards to the converter of the moment, so that one can be replaced by another.
    struct Forward : TtyDriver {
        explicit Forward(RealPortTest* t) : test(t) {}
        RealPortTest* test;
        int Ioctl(int fd, unsigned long request, void* argument) override
        {
            return test->converter->pty.Ioctl(fd, request, argument);
        }
        ssize_t Write(int fd, const void* data, size_t size) override { return test->converter->pty.Write(fd, data, size); }
        void WakeLineWait(pthread_t waiter) override { test->converter->pty.WakeLineWait(waiter); }
    } driver{this};

    std::string LineErrorBox() const { return "error:ComPortLineError:  " + portName + " !"; }

    VirtualClock ptyClock;
    std::unique_ptr<Converter> converter;
    std::string portName;
    FakeHotplug* hotplug = nullptr;
};

}  // namespace

TEST_F(RealPortTest, ALineErrorOnTheLastBytesFailsTheDownloadWithOneMessage)
{
    StartOnPty();
    ASSERT_TRUE(dialogs.Log().empty());
    ASSERT_TRUE(form->EmpfangenButton->isEnabled());
    const size_t streamBytes = converter->config.DownloadStream().size();
    size_t delivered = 0;
    for (int run = 0; run < 12; ++run) {
        const std::string at = "run " + std::to_string(run);
        dialogs.Clear();
        delivered = converter->board.BytesSent().size();
        // The ping's answer, then the stream; the error on one of its last bytes.
        converter->board.InjectLineErrorOnByte(delivered + 1 + streamBytes - 1 - size_t(run * 3));
        form->EmpfangenButton->click();
        ASSERT_EQ(dialogs.Log(), (std::vector<std::string>{"beep", LineErrorBox()})) << at;
        EXPECT_EQ(form->statusLabel->text(), "") << at;
        EXPECT_EQ(form->ProgressBar->value(), 0) << at;
        EXPECT_EQ(params.DataPresent, 0) << at;
        EXPECT_EQ(params.Values, ParameterSet::StartValues()) << at;
        EXPECT_EQ(form->Label44->text(), "....") << at;
        EXPECT_FALSE(form->Board().Port().Active()) << at;
        EXPECT_EQ(Colour(form->ResetPanel), kPanelOffColour) << at;
        ExpectUsable(true, at.c_str());  // a failed download switches the editors on
        // What the port's threads still post changes nothing.
        LetTheWindowCatchUp(5);
        EXPECT_EQ(dialogs.Log().size(), 2u) << at;
        form->SuchenButton->click();
        ASSERT_TRUE(form->Board().Port().Active()) << at;
    }
    // A sound line: the board's set arrives.
    dialogs.Clear();
    form->EmpfangenButton->click();
    EXPECT_EQ(dialogs.Log(), std::vector<std::string>{"beep"});
    EXPECT_EQ(form->statusLabel->text(), "Daten gelesen");
    EXPECT_EQ(params.DataPresent, 1);
}

TEST_F(RealPortTest, ALineErrorWhileIdleIsShownOnceAndClosesThePort)
{
    StartOnPty();
    converter->pty.FlagLineErrorNow(LineErrorKind::Break);
    LetTheWindowCatchUp();
    EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{"beep", LineErrorBox()}));
    EXPECT_FALSE(form->Board().Port().Active());
}

TEST_F(RealPortTest, UnpluggedThePortClosesAtOnceAndPluggingInOpensItAgain)
{
    StartOnPty();
    // The board answers on DSR while the program holds reset, so the panel is bright.
    form->Board().Port().SetDTR();
    form->Sleep(20);
    LetTheWindowCatchUp();
    ASSERT_EQ(Colour(form->ResetPanel), kPanelOnColour);

    // Pulled out: the port's checker notices the hang-up, the port closes, both panels
    // go dark, nothing is said.
    converter->pty.HangUp();
    LetTheWindowCatchUp(300);
    EXPECT_FALSE(form->Board().Port().Active());
    EXPECT_EQ(Colour(form->ResetPanel), kPanelOffColour);
    EXPECT_EQ(Colour(form->ModePanel), kPanelOffColour);
    EXPECT_TRUE(dialogs.Log().empty());

    // udev tells of other devices: nothing happens.
    hotplug->Send({HotplugEvent::Action::Add, "/dev/ttyACM0", "2341", "0043"});
    EXPECT_FALSE(form->Board().Port().Active());

    // Plugged in again (a new tty): the search runs by itself and opens it.
    converter = std::make_unique<Converter>(ptyClock);
    portName = converter->pty.DeviceName();
    hotplug->Send({HotplugEvent::Action::Add, portName, "0403", "6001"});
    EXPECT_TRUE(form->Board().Port().Active());
    EXPECT_EQ(form->ComboBox->currentText().toStdString(), portName);
    EXPECT_TRUE(dialogs.Log().empty());
    dialogs.Clear();
    form->EmpfangenButton->click();
    EXPECT_EQ(dialogs.Log(), std::vector<std::string>{"beep"});
    EXPECT_EQ(params.DataPresent, 1);

    // udev's removal of the open port's tty closes it too, before the hang-up shows.
    hotplug->Send({HotplugEvent::Action::Remove, portName, "0403", "6001"});
    EXPECT_FALSE(form->Board().Port().Active());
}

TEST_F(RealPortTest, AConverterThatComesDuringAnExchangeIsSearchedForAfterIt)
{
    StartOnPty();
    const std::string firstPort = portName;
    // Pulled out while the download opens its session, plugged in again at once.
    int sleeps = 0;
    form->SleepFunction = [&](int ms) {
        converter->pty.Pump();
        ptyClock.AdvanceMs(ms);
        converter->pty.Pump();
        if (++sleeps != 2)
            return;
        converter->pty.HangUp();
        LetTheWindowCatchUp(300);
        EXPECT_FALSE(form->Board().Port().Active());
        converter = std::make_unique<Converter>(ptyClock);
        portName = converter->pty.DeviceName();
        hotplug->Send({HotplugEvent::Action::Add, portName, "0403", "6001"});
        EXPECT_FALSE(form->Board().Port().Active()) << "no search inside an exchange";
    };
    form->EmpfangenButton->click();
    EXPECT_GE(sleeps, 2);
    EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{"beep", "error:ComPortError:  " + firstPort + " !"}));
    EXPECT_TRUE(form->Board().Port().Active()) << "the search ran once the exchange was over";
    EXPECT_EQ(form->ComboBox->currentText().toStdString(), portName);
}
