#include "switching_port.h"

SwitchingPort::SwitchingPort(SerialPort& real, SerialPort* virtualPort, std::string virtualName)
    : SerialPortForwarder(real), real_(real), virtual_(virtualPort), virtualName_(std::move(virtualName))
{
    if (virtual_)
        virtual_->SetEvents(this);
}

SwitchingPort::~SwitchingPort()
{
    real_.SetEvents(nullptr);
    if (virtual_)
        virtual_->SetEvents(nullptr);
}

void SwitchingPort::SetDeviceName(const std::string& name)
{
    SerialPort& next = (virtual_ && name == virtualName_) ? *virtual_ : real_;
    if (&next != &Inner()) {
        Inner().SetActive(false);
        Retarget(next);
    }
    Inner().SetDeviceName(name);
}
