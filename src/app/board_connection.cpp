#include "board_connection.h"

#include "backups.h"
#include "download.h"
#include "download_backup.h"
#include "fault_memory.h"
#include "firmware_button.h"
#include "live_board.h"
#include "main_form.h"
#include "parameter_set.h"
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

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iostream>

namespace {
constexpr int kLiveTickMs = 20;
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
    : form_(form),
      resetSignal_(TComSignal::Line::Dsr, [&form](bool on) { form.PaintResetPanel(on); }),
      modeSignal_(TComSignal::Line::Cts, [&form](bool on) { form.PaintModePanel(on); }),
      sound_(new SoundPlayer(&form))
{
    hotplug_ = std::move(setup.Hotplug);
    // With the platform's discovery come the platform's device events.
    if (!setup.Discovery && !hotplug_)
        hotplug_ = MakeHotplugSource();
    if (hotplug_)
        hotplug_->OnEvent = [this](const HotplugEvent& event) { OnHotplug(event); };

    PortStackSetup stack;
    stack.Discovery = std::move(setup.Discovery);
    stack.Virtual = std::move(setup.Virtual);
    stack.VirtualRequested = !setup.NoVirtualBoard && VirtualBoardRequested();
    stack.Driver = setup.Driver;
    stack.CheckIntervalMs = setup.CheckIntervalMs;
    // Line events of the port's own thread run on the window's thread, when it
    // processes its messages.
    stack.Poster = [this](std::function<void()> call) {
        QMetaObject::invokeMethod(&form_, [call = std::move(call)] { call(); }, Qt::QueuedConnection);
    };
    if (setup.Trace)
        if (const char* trace = std::getenv(kTraceVariable))
            stack.TracePath = trace;
    stack_ = std::make_unique<PortStack>(std::move(stack));
    port_ = &stack_->Port();
    events_ = std::make_unique<ComPortEvents>(*port_, form_.Messages(), form_.Params(),
                                              resetSignal_, modeSignal_);
    port_->SetEvents(events_.get());
    events_->OnClosedByDevice = [this] { openNode_.clear(); };
    resetSignal_.OnSignal = [this](bool on) { form_.PaintResetPanel(on); };
    modeSignal_.OnSignal = [this](bool on) { form_.PaintModePanel(on); };
    transferHost_ = std::make_unique<WindowTransferHost>(form_);
    firmwareHost_ = std::make_unique<WindowFirmwareHost>(form_);

    // The live board acts on its own clock; between exchanges nobody asks the port, so
    // a timer lets it answer the lines the service user drives by hand.
    if (Virtual() && setup.LiveTicks) {
        liveTicks_ = new QTimer(&form_);
        QObject::connect(liveTicks_, &QTimer::timeout, &form_, [this] {
            if (Virtual()->Port().Active())
                Virtual()->Port().CatchUp();
        });
        liveTicks_->start(kLiveTickMs);
    }
}

BoardConnection::~BoardConnection()
{
    hotplug_.reset();
    // The window outlives a replaced connection: its timer and player go with it.
    delete liveTicks_;
    delete sound_;
    try {
        port_->SetActive(false);
    } catch (const EComError&) {
    }
    port_->SetEvents(nullptr);
    stack_.reset();
}

PortSearch BoardConnection::MakeSearch()
{
    return MakePortSearch(*port_, stack_->Discovery(), *this, form_.Params());
}

void BoardConnection::ShowLines()
{
    if (!port_->Active()) {
        resetSignal_.PortClosed();
        modeSignal_.PortClosed();
        return;
    }
    unsigned status = 0;
    try {
        status = port_->GetModemStatus();
    } catch (const EComError&) {
        status = 0;  // a port without modem lines shows both panels off
    }
    resetSignal_.PortOpened(status);
    modeSignal_.PortOpened(status);
}

void BoardConnection::Exchange(const std::function<void()>& run)
{
    if (busy_)
        return;
    busy_ = true;
    form_.EnableMenusBesideExchange(false);
    run();
    form_.EnableMenusBesideExchange(true);
    busy_ = false;
    if (searchPending_) {
        searchPending_ = false;
        if (!port_->Active())
            SearchBoardPort();
    }
}

void BoardConnection::RememberOpenNode()
{
    openNode_.clear();
    if (!port_->Active())
        return;
    std::error_code ec;
    const std::filesystem::path node = std::filesystem::canonical(port_->DeviceName(), ec);
    openNode_ = ec ? port_->DeviceName() : node.string();
}

void BoardConnection::SearchBoardPort()
{
    Exchange([this] {
        searched_ = true;
        PortSearch search = MakeSearch();
        ::SearchBoardPort(search);
        ShowLines();
        RememberOpenNode();
    });
}

void BoardConnection::ComboBoxChange()
{
    Exchange([this] {
        PortSearch search = MakeSearch();
        ::ComboBoxChange(search);
        ShowLines();
        RememberOpenNode();
    });
}

// Plugging the board in is all a user has to do: its converter appearing while no port
// is open runs the search once. Before the start-up search nothing happens.
void BoardConnection::OnHotplug(const HotplugEvent& event)
{
    switch (ReactToHotplug(event, port_->Active(), openNode_)) {
    case HotplugReaction::SearchPort:
        if (!searched_)
            return;
        if (busy_)
            searchPending_ = true;
        else
            SearchBoardPort();
        return;
    case HotplugReaction::PortGone:
        events_->OnPortGone();
        return;
    case HotplugReaction::None:
        return;
    }
}

void BoardConnection::ClosePort()
{
    try {
        events_->ClosePort();
    } catch (const EComError&) {
    }
}

void BoardConnection::ResetPanelClick()
{
    Exchange([this] {
        Link link{*port_, form_, form_.Params()};
        ::ResetPanelClick(link);
    });
}

void BoardConnection::ModePanelClick()
{
    Exchange([this] {
        Link link{*port_, form_, form_.Params()};
        ::ModePanelClick(link);
    });
}

void BoardConnection::EmpfangenButtonClick()
{
    Exchange([this] {
        if (::EmpfangenButtonClick(*port_, *transferHost_, form_.Params(), TheFaultMemory()))
            BackUpDownload(form_.Params(), TheFaultMemory(), std::cerr, "lcdkonfig", BackupRoot(),
                           std::time(nullptr));
    });
}

void BoardConnection::SendenButtonClick()
{
    Exchange([this] { ::SendenButtonClick(*port_, *transferHost_, form_.Params()); });
}

void BoardConnection::FirmwareButtonClick()
{
    Exchange([this] { ::FirmwareButtonClick(*port_, *firmwareHost_, form_.Params()); });
}

void BoardConnection::BetriebsZeitLoeButtonClick()
{
    Exchange([this] { ::BetriebsZeitLoeButtonClick(*port_, *transferHost_, form_.Params()); });
}

void BoardConnection::FehlerSpeicherLoeButtonClick()
{
    Exchange([this] { ::FehlerSpeicherLoeButtonClick(*port_, *transferHost_, form_.Params()); });
}

void BoardConnection::KennungLoeButtonClick()
{
    Exchange([this] { ::KennungLoeButtonClick(*port_, *transferHost_, form_.Params()); });
}

void BoardConnection::Button1Click()
{
    Exchange([this] { ::Button1Click(*port_, *transferHost_, form_.Params()); });
}

void BoardConnection::SendSerienNrButtonClick()
{
    Exchange([this] { ::SendSerienNrButtonClick(*port_, *transferHost_, form_.Params()); });
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
