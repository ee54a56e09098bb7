#include "link_test_host.h"

namespace {
const char* OnOff(bool on) { return on ? "on" : "off"; }
}  // namespace

void LinkTestHost::ClearRecord()
{
    progress_.clear();
    statuses_.clear();
    statusTimesUs_.clear();
    record_.clear();
    processCalls_ = 0;
}

EventPoster LinkTestHost::Poster()
{
    return [this](std::function<void()> call) {
        std::lock_guard<std::mutex> lock(postedMutex_);
        posted_.push_back(std::move(call));
    };
}

size_t LinkTestHost::PostedWaiting() const
{
    std::lock_guard<std::mutex> lock(postedMutex_);
    return posted_.size();
}

void LinkTestHost::Sleep(int ms)
{
    if (beforeSleep)
        beforeSleep(ms);
    clock_.AdvanceMs(ms);
    sleptMs_ += ms;
    if (onSleep)
        onSleep(ms);
}

void LinkTestHost::ProcessMessages()
{
    ++processCalls_;
    for (;;) {
        std::function<void()> call;
        {
            std::lock_guard<std::mutex> lock(postedMutex_);
            if (posted_.empty())
                break;
            call = std::move(posted_.front());
            posted_.pop_front();
        }
        call();
    }
}

void LinkTestHost::SetProgress(int percent)
{
    progress_.push_back(percent);
    record_.push_back("progress:" + std::to_string(percent));
}

void LinkTestHost::SetStatus(const std::string& text)
{
    statuses_.push_back(text);
    statusTimesUs_.push_back(clock_.NowUs());
    record_.push_back("status:" + text);
}

void LinkTestHost::EnableLinkControls(bool on)
{
    link_ = on;
    record_.push_back(std::string("link:") + OnOff(on));
}

void LinkTestHost::EnableEditorControls(bool on)
{
    editor_ = on;
    record_.push_back(std::string("editor:") + OnOff(on));
}

void LinkTestHost::PaintResetPanel(bool on)
{
    resetPanel_ = on;
    record_.push_back(std::string("reset:") + OnOff(on));
}

void LinkTestHost::PaintModePanel(bool on)
{
    modePanel_ = on;
    record_.push_back(std::string("mode:") + OnOff(on));
}
