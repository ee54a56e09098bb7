#pragma once
// A SerialPort in front of another: every call goes to the port behind it and every
// line event of that port to this one's receiver. The trace, the switch between the
// real and the virtual port and the command line's wire tail each override only what
// they add.
#include "serial_port.h"

// Passes every line event on to the receiver of the moment (none: the event is dropped);
// a subclass overrides what it adds and calls this one for the rest.
class PortEventsForwarder : public PortEvents {
protected:
    virtual PortEvents* Receiver() const = 0;

    void OnLineError(const std::string& what) override
    {
        if (PortEvents* receiver = Receiver())
            receiver->OnLineError(what);
    }
    void OnModemChange(unsigned status) override
    {
        if (PortEvents* receiver = Receiver())
            receiver->OnModemChange(status);
    }
    void OnPortGone() override
    {
        if (PortEvents* receiver = Receiver())
            receiver->OnPortGone();
    }
};

class SerialPortForwarder : public SerialPort, protected PortEventsForwarder {
public:
    explicit SerialPortForwarder(SerialPort& inner) : inner_(&inner) { inner_->SetEvents(this); }
    ~SerialPortForwarder() override { inner_->SetEvents(nullptr); }
    SerialPortForwarder(const SerialPortForwarder&) = delete;
    SerialPortForwarder& operator=(const SerialPortForwarder&) = delete;

    void SetDeviceName(const std::string& name) override { inner_->SetDeviceName(name); }
    std::string DeviceName() const override { return inner_->DeviceName(); }
    void SetActive(bool active) override { inner_->SetActive(active); }
    bool Active() const override { return inner_->Active(); }
    int InputCount() override { return inner_->InputCount(); }
    uint8_t ReadByte() override { return inner_->ReadByte(); }
    void WriteByte(uint8_t byte) override { inner_->WriteByte(byte); }
    void WriteBlock(const uint8_t* data, size_t size) override { inner_->WriteBlock(data, size); }
    bool WritePending() override { return inner_->WritePending(); }
    void PurgeInput() override { inner_->PurgeInput(); }
    void SetDTR() override { inner_->SetDTR(); }
    void ClearDTR() override { inner_->ClearDTR(); }
    void SetRTS() override { inner_->SetRTS(); }
    void ClearRTS() override { inner_->ClearRTS(); }
    unsigned GetModemStatus() override { return inner_->GetModemStatus(); }

protected:
    SerialPort& Inner() const { return *inner_; }
    // Sends the calls to another port from now on; its events come here too (the
    // previous port's keep coming: the switch listens to both of its ports).
    void Retarget(SerialPort& inner)
    {
        inner_ = &inner;
        inner_->SetEvents(this);
    }
    PortEvents* Receiver() const override { return Events(); }

private:
    SerialPort* inner_;
};
