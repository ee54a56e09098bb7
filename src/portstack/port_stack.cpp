#include "port_stack.h"

#include "port_discovery_linux.h"

PortStack::PortStack(PortStackSetup setup)
    : discovery_(std::move(setup.Discovery)), live_(std::move(setup.Virtual))
{
    if (!discovery_)
        discovery_ = std::make_unique<LinuxPortDiscovery>();
    if (!live_ && setup.VirtualRequested)
        live_ = RealTimeLiveBoard();
    if (live_)
        discovery_ = std::make_unique<OwningDiscoveryWithVirtualBoard>(std::move(discovery_));

    real_ = std::make_unique<TComPort>(setup.Driver ? *setup.Driver : KernelTtyDriver());
    if (setup.Poster)
        real_->SetPoster(setup.Poster);
    if (setup.CheckIntervalMs > 0)
        real_->SetCheckInterval(setup.CheckIntervalMs);
    if (live_ && setup.Poster)
        live_->Port().SetPoster(setup.Poster);
    switching_ = std::make_unique<SwitchingPort>(*real_, live_ ? &live_->Port() : nullptr, kVirtualPortName);
    port_ = switching_.get();
    if (!setup.TracePath.empty()) {
        trace_ = TraceToFile(*switching_, setup.TracePath);
        if (trace_.port)
            port_ = trace_.port.get();
    }
}

PortStack::~PortStack()
{
    try {
        port_->SetActive(false);
    } catch (const EComError&) {
    }
    port_->SetEvents(nullptr);
    // The trace lets go of the switch before the switch lets go of the ports.
    trace_ = {};
    switching_.reset();
    if (live_)
        live_->Port().SetEvents(nullptr);
}
