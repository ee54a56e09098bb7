#include "board_connection.h"

#include "backups.h"
#include "diagnostics_sink.h"
#include "download.h"
#include "fault_memory.h"
#include "firmware_button.h"
#include "live_board.h"
#include "main_form.h"
#include "parameter_set.h"
#include "safety_check.h"
#include "service_clear.h"
#include "service_device_type.h"
#include "service_serial_number.h"
#include "sound_player.h"
#include "upload.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMetaObject>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <ctime>
#include <filesystem>

namespace {
// The longest single wait of the live board's timer; it looks again then.
constexpr int64_t kLiveTickMaxMs = 60'000;
}  // namespace

class BoardConnection::WindowTransferHost : public LinkHostForwarder<TransferHost> {
public:
    explicit WindowTransferHost(TMainForm& form) : LinkHostForwarder(form), form_(form) {}
    void RefreshMainWindow() override { form_.RefreshMainWindow(); }
    void EnableDeviceTypeButton() override { form_.EnableDeviceTypeButton(); }
    std::string SerialEditText() override { return form_.SerienNrEdit->text().toStdString(); }
    void EnableSendSerialButton(bool on) override { form_.SendSerienNrButton->setEnabled(on); }

private:
    TMainForm& form_;
};

class BoardConnection::WindowFirmwareHost : public LinkHostForwarder<FirmwareHost> {
public:
    explicit WindowFirmwareHost(TMainForm& form) : LinkHostForwarder(form), form_(form) {}
    void EnablePortList(bool on) override { form_.ComboBox->setEnabled(on); }
    void FocusMainWindow() override
    {
        form_.activateWindow();
        form_.setFocus();
    }
    void RepaintMainWindow() override { form_.repaint(); }

private:
    TMainForm& form_;
};

BoardConnection::BoardConnection(TMainForm& form, BoardSetup setup)
    : form_(form), sound_(new SoundPlayer(&form))
{
    hotplug_ = std::move(setup.Hotplug);
    // With the platform's discovery come the platform's device events.
    if (!setup.Discovery && !hotplug_)
        hotplug_ = MakeHotplugSource();
    if (hotplug_)
        hotplug_->OnEvent = [this](const HotplugEvent& event) { OnHotplug(event); };

    BoardPortSetup board;
    board.Stack = PortStackFromProcessEnvironment();
    if (setup.NoVirtualBoard)
        board.Stack.VirtualRequested = false;
    if (!setup.Trace)
        board.Stack.TracePath.clear();
    board.Stack.Discovery = std::move(setup.Discovery);
    board.Stack.Virtual = std::move(setup.Virtual);
    board.Stack.Driver = setup.Driver;
    board.Stack.CheckIntervalMs = setup.CheckIntervalMs;
    // Line events of the port's own thread run on the window's thread, when it
    // processes its messages.
    board.Stack.Poster = [this](std::function<void()> call) {
        QMetaObject::invokeMethod(&form_, [call = std::move(call)] { call(); }, Qt::QueuedConnection);
    };
    board.PaintReset = [&form](bool on) { form.PaintResetPanel(on); };
    board.PaintMode = [&form](bool on) { form.PaintModePanel(on); };
    board_ = std::make_unique<BoardPort>(std::move(board), form_.Messages(), form_.Params());
    board_->Events().OnClosedByDevice = [this] { openNode_.clear(); };
    transferHost_ = std::make_unique<WindowTransferHost>(form_);
    firmwareHost_ = std::make_unique<WindowFirmwareHost>(form_);

    // The live board acts on its own clock; between exchanges nobody asks the port, so
    // a timer lets it answer the lines the service user drives by hand. It runs only
    // while the live board is the open port and has an event coming.
    if (Virtual() && setup.LiveTicks) {
        liveTicks_ = new QTimer(&form_);
        liveTicks_->setSingleShot(true);
        QObject::connect(liveTicks_, &QTimer::timeout, &form_, [this] {
            if (Virtual()->Port().Active())
                Virtual()->Port().CatchUp();
            ArmLiveTicks();
        });
    }
}

bool BoardConnection::LiveTicking() const { return liveTicks_ && liveTicks_->isActive(); }

void BoardConnection::ArmLiveTicks()
{
    if (!liveTicks_ || !Virtual()->Port().Active())
        return;
    const std::optional<int64_t> nextUs = Virtual()->Port().NextEventInUs();
    if (!nextUs)
        return;
    liveTicks_->start(int(std::clamp<int64_t>((*nextUs + 999) / 1000, 1, kLiveTickMaxMs)));
}

BoardConnection::~BoardConnection()
{
    hotplug_.reset();
    // The window outlives a replaced connection: its timer and player go with it.
    delete liveTicks_;
    delete sound_;
    board_.reset();
}

PortSearch BoardConnection::MakeSearch()
{
    return MakePortSearch(Port(), board_->Discovery(), *this, form_.Params());
}

Outcome BoardConnection::Exchange(const std::function<Outcome()>& run)
{
    if (busy_)
        return Outcome::Declined;
    busy_ = true;
    form_.EnableMenusBesideExchange(false);
    const Outcome outcome = run();
    form_.EnableMenusBesideExchange(true);
    busy_ = false;
    ArmLiveTicks();
    if (searchPending_) {
        searchPending_ = false;
        if (!Port().Active())
            SearchBoardPort();
    }
    return outcome;
}

void BoardConnection::RememberOpenNode()
{
    openNode_.clear();
    if (!Port().Active())
        return;
    std::error_code ec;
    const std::filesystem::path node = std::filesystem::canonical(Port().DeviceName(), ec);
    openNode_ = ec ? Port().DeviceName() : node.string();
}

void BoardConnection::SearchBoardPort()
{
    Exchange([this] {
        searched_ = true;
        PortSearch search = MakeSearch();
        ::SearchBoardPort(search);
        board_->ShowLines();
        RememberOpenNode();
        return Outcome::Done;
    });
}

void BoardConnection::ComboBoxChange()
{
    Exchange([this] {
        PortSearch search = MakeSearch();
        ::ComboBoxChange(search);
        board_->ShowLines();
        RememberOpenNode();
        return Outcome::Done;
    });
}

// Plugging the board in is all a user has to do: its converter appearing while no port
// is open runs the search once. Before the start-up search nothing happens.
void BoardConnection::OnHotplug(const HotplugEvent& event)
{
    switch (ReactToHotplug(event, Port().Active(), openNode_)) {
    case HotplugReaction::SearchPort:
        if (!searched_)
            return;
        if (busy_)
            searchPending_ = true;
        else
            SearchBoardPort();
        return;
    case HotplugReaction::PortGone:
        board_->Events().OnPortGone();
        return;
    case HotplugReaction::None:
        return;
    }
}

void BoardConnection::ClosePort() { board_->CloseQuietly(); }

void BoardConnection::ResetPanelClick()
{
    Exchange([this] {
        Link link{Port(), form_, form_.Params()};
        ::ResetPanelClick(link);
        return Outcome::Done;
    });
}

void BoardConnection::ModePanelClick()
{
    Exchange([this] {
        Link link{Port(), form_, form_.Params()};
        ::ModePanelClick(link);
        return Outcome::Done;
    });
}

Outcome BoardConnection::EmpfangenButtonClick()
{
    return Exchange([this] {
        const BoardPort::DownloadResult result =
            board_->DownloadAndBackUp(*transferHost_, TheFaultMemory(), BackupRoot(), std::time(nullptr));
        // A backup that cannot be written does not fail the download: one line for whoever looks.
        if (result.Backup && !result.Backup->Ok)
            Diagnose("backup not written: " + result.Backup->Error);
        if (result.Result == Outcome::Done)
            boardSet_ = form_.Params();
        return result.Result;
    });
}

bool BoardConnection::PassesSafetyCheck()
{
    const ParameterSet& params = form_.Params();
    // Without data the upload itself says so after its ping.
    if (!params.DataPresent)
        return true;
    const std::vector<SafetyFinding> findings =
        CheckParameterSet({&params, boardSet_ ? &*boardSet_ : nullptr, std::nullopt});
    if (findings.empty())
        return true;
    Dialogs& dialogs = form_.Messages();
    dialogs.Beep();
    return dialogs.ConfirmOkDefaultNo(SafetyQuestion(findings));
}

Outcome BoardConnection::SendenButtonClick()
{
    return Exchange([this] {
        // Before the board is touched: "Nein" sends nothing at all.
        if (!PassesSafetyCheck())
            return Outcome::Refused;
        return ::SendenButtonClick(Port(), *transferHost_, form_.Params());
    });
}

Outcome BoardConnection::FirmwareButtonClick()
{
    return Exchange([this] { return ::FirmwareButtonClick(Port(), *firmwareHost_, form_.Params()); });
}

Outcome BoardConnection::BetriebsZeitLoeButtonClick()
{
    return Exchange([this] { return ::BetriebsZeitLoeButtonClick(Port(), *transferHost_, form_.Params()); });
}

Outcome BoardConnection::FehlerSpeicherLoeButtonClick()
{
    return Exchange([this] { return ::FehlerSpeicherLoeButtonClick(Port(), *transferHost_, form_.Params()); });
}

Outcome BoardConnection::KennungLoeButtonClick()
{
    return Exchange([this] { return ::KennungLoeButtonClick(Port(), *transferHost_, form_.Params()); });
}

Outcome BoardConnection::Button1Click()
{
    return Exchange([this] { return ::Button1Click(Port(), *transferHost_, form_.Params()); });
}

Outcome BoardConnection::SendSerienNrButtonClick()
{
    return Exchange([this] { return ::SendSerienNrButtonClick(Port(), *transferHost_, form_.Params()); });
}

// ---- PortSearchHost: the port list and its neighbours --------------------------------

Dialogs& BoardConnection::Messages() { return form_.Messages(); }
void BoardConnection::ClearPortList() { form_.ComboBox->clear(); }
void BoardConnection::AddPort(const std::string& name) { form_.ComboBox->addItem(QString::fromStdString(name)); }
void BoardConnection::SelectPort(int index) { form_.ComboBox->setCurrentIndex(index); }
std::string BoardConnection::PortListText() { return form_.ComboBox->currentText().toStdString(); }

void BoardConnection::SetPortListText(const std::string& text)
{
    const int index = form_.ComboBox->findText(QString::fromStdString(text));
    if (index >= 0)
        form_.ComboBox->setCurrentIndex(index);
}

void BoardConnection::RepaintPortList() { form_.ComboBox->repaint(); }

void BoardConnection::EnableSearchControls(bool on)
{
    form_.SuchenButton->setEnabled(on);
    form_.ComboBox->setEnabled(on);
}

void BoardConnection::EnableLinkControls(bool on) { form_.EnableLinkControls(on); }
void BoardConnection::PlayFoundSound() { sound_->PlayFoundSound(); }
