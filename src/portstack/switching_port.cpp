#include "switching_port.h"

SwitchingPort::SwitchingPort(SerialPort& real, SerialPort* virtualPort, std::string virtualName)
    : real_(real), virtual_(virtualPort), virtualName_(std::move(virtualName)), current_(&real)
{
    real_.SetEvents(this);
    if (virtual_)
        virtual_->SetEvents(this);
}

void SwitchingPort::SetDeviceName(const std::string& name)
{
    SerialPort* next = (virtual_ && name == virtualName_) ? virtual_ : &real_;
    if (next != current_)
        current_->SetActive(false);
    current_ = next;
    current_->SetDeviceName(name);
}

std::string SwitchingPort::DeviceName() const { return current_->DeviceName(); }
void SwitchingPort::SetActive(bool active) { Current().SetActive(active); }
bool SwitchingPort::Active() const { return current_->Active(); }
int SwitchingPort::InputCount() { return Current().InputCount(); }
uint8_t SwitchingPort::ReadByte() { return Current().ReadByte(); }
void SwitchingPort::WriteByte(uint8_t byte) { Current().WriteByte(byte); }
void SwitchingPort::WriteBlock(const uint8_t* data, size_t size) { Current().WriteBlock(data, size); }
bool SwitchingPort::WritePending() { return Current().WritePending(); }
void SwitchingPort::PurgeInput() { Current().PurgeInput(); }
void SwitchingPort::SetDTR() { Current().SetDTR(); }
void SwitchingPort::ClearDTR() { Current().ClearDTR(); }
void SwitchingPort::SetRTS() { Current().SetRTS(); }
void SwitchingPort::ClearRTS() { Current().ClearRTS(); }
unsigned SwitchingPort::GetModemStatus() { return Current().GetModemStatus(); }

void SwitchingPort::OnLineError(const std::string& what)
{
    if (events_)
        events_->OnLineError(what);
}

void SwitchingPort::OnModemChange(unsigned status)
{
    if (events_)
        events_->OnModemChange(status);
}

void SwitchingPort::OnPortGone()
{
    if (events_)
        events_->OnPortGone();
}
