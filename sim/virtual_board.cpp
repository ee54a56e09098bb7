#include "virtual_board.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <deque>
#include <map>
#include <utility>

namespace {

// Board-side events belong to one run of a program; a reset drops the rest of them
// (a microcontroller held in reset neither sends nor finishes what it was doing).
// Wire and line events belong to the PC and the board's hardware and always happen.
struct Event {
    bool boardSide = false;
    uint64_t run = 0;
    std::function<void()> action;
};

}  // namespace

struct VirtualBoard::State {
    explicit State(VirtualClock& c) : clock(c) {}

    VirtualClock& clock;
    std::string deviceName;
    bool active = false;
    bool unplugged = false;

    bool dtr = false, rts = false;  // driven by the PC
    bool dsr = false, cts = false;  // the board's answers (before StuckOn)

    BoardProgram* application = nullptr;
    BoardProgram* bootRom = nullptr;
    BoardProgram* running = nullptr;
    bool inReset = false;
    uint64_t run = 0;

    // Time-ordered queue; equal times keep the order they were queued in.
    std::multimap<int64_t, Event> queue;
    bool handling = false;
    int64_t eventTimeUs = 0;

    int64_t toBoardFreeUs = 0;  // when the PC's transmitter is idle again
    int64_t toPcFreeUs = 0;     // when the board's transmitter is idle again
    size_t stuckBytes = 0;
    std::deque<uint8_t> input;

    std::map<std::string, int> failing;
    LineCounters counters;  // what the driver counted
    LineCounters seen;      // what the PC side reported
    std::multimap<size_t, LineErrorKind> errorsOnBytes;
    size_t delivered = 0;   // bytes that reached the PC side
    uint64_t opening = 0;   // counts the openings of the port

    EventPoster poster;
    unsigned notifiedStatus = 0;
    bool notifying = false;

    std::vector<LogEntry> log;
};

VirtualBoard::VirtualBoard(VirtualClock& clock) : s_(std::make_unique<State>(clock)) {}

VirtualBoard::~VirtualBoard() = default;

// ---- time ----

int64_t VirtualBoard::NowUs() const { return s_->handling ? s_->eventTimeUs : s_->clock.NowUs(); }

namespace {
void Schedule(std::multimap<int64_t, Event>& queue, int64_t at, Event event)
{
    queue.emplace(at, std::move(event));  // multimap keeps insertion order among equals
}
}  // namespace

void VirtualBoard::At(int64_t delayUs, std::function<void()> action)
{
    Schedule(s_->queue, NowUs() + std::max<int64_t>(0, delayUs), {true, s_->run, std::move(action)});
}

namespace {
[[noreturn]] void Throw(const std::string& operation, int error)
{
    throw EComError(error, operation + ": " + std::strerror(error));
}
}  // namespace

static unsigned StatusBits(bool cts, bool dsr)
{
    return (cts ? kModemCts : 0u) | (dsr ? kModemDsr : 0u);
}

std::optional<int64_t> VirtualBoard::NextEventInUs() const
{
    // Board-side events of an earlier run are dropped when they come due: not work.
    for (const auto& [at, event] : s_->queue)
        if (!event.boardSide || event.run == s_->run)
            return std::max<int64_t>(0, at - s_->clock.NowUs());
    return std::nullopt;
}

// Runs every event due by the clock's present, in time order, then tells the window
// about a change of the answer lines.
void VirtualBoard::CatchUp()
{
    if (s_->handling)
        return;  // a board program called a port operation: already catching up
    const int64_t now = s_->clock.NowUs();
    s_->handling = true;
    while (!s_->queue.empty() && s_->queue.begin()->first <= now) {
        auto it = s_->queue.begin();
        Event event = std::move(it->second);
        s_->eventTimeUs = it->first;
        s_->queue.erase(it);
        if (event.boardSide && event.run != s_->run)
            continue;
        event.action();
    }
    s_->handling = false;
    NotifyLines();
}

void VirtualBoard::NotifyLines()
{
    if (!s_->active || s_->notifying)
        return;
    const unsigned status = CurrentStatus();
    if (status == s_->notifiedStatus)
        return;
    s_->notifiedStatus = status;
    if (s_->poster) {
        // Whoever receives the port's events when the call runs gets it.
        const uint64_t opening = s_->opening;
        s_->poster([this, opening, status] {
            if (s_->active && s_->opening == opening && events_)
                events_->OnModemChange(status);
        });
    } else if (events_) {
        s_->notifying = true;
        events_->OnModemChange(status);
        s_->notifying = false;
    }
}

// ---- board side ----

void VirtualBoard::SetApplication(BoardProgram* program)
{
    const bool wasRunning = s_->running == s_->application && s_->running != nullptr;
    s_->application = program;
    if (!s_->inReset && (s_->running == nullptr || wasRunning)) {
        s_->running = program;
        ++s_->run;
        if (program)
            program->OnStart(*this);
    }
}

void VirtualBoard::SetBootRom(BoardProgram* program) { s_->bootRom = program; }

void VirtualBoard::Send(const std::vector<uint8_t>& bytes, int64_t delayUs)
{
    int64_t at = std::max(NowUs(), s_->toPcFreeUs) + std::max<int64_t>(0, delayUs);
    for (uint8_t byte : bytes) {
        at += kByteTimeUs;
        Schedule(s_->queue, at, {true, s_->run, [this, byte] {
                                     s_->log.push_back({NowUs(), LogEntry::Kind::ToPc, byte, {}});
                                     if (s_->active)
                                         s_->input.push_back(byte);
                                     const size_t index = s_->delivered++;
                                     for (auto [it, end] = s_->errorsOnBytes.equal_range(index); it != end; ++it)
                                         FlagLineError(it->second);
                                 }});
    }
    s_->toPcFreeUs = at;
}

bool VirtualBoard::InReset() const { return s_->inReset; }
BoardProgram* VirtualBoard::Running() const { return s_->running; }
bool VirtualBoard::DtrHigh() const { return s_->dtr; }
bool VirtualBoard::RtsHigh() const { return s_->rts; }

// ---- failure modes ----

void VirtualBoard::FailCall(const std::string& operation, int error) { s_->failing[operation] = error; }

void VirtualBoard::InjectLineError(LineErrorKind kind, int64_t delayUs)
{
    Schedule(s_->queue, NowUs() + std::max<int64_t>(0, delayUs), {false, 0, [this, kind] { FlagLineError(kind); }});
}

void VirtualBoard::InjectLineErrorOnByte(size_t index, LineErrorKind kind)
{
    s_->errorsOnBytes.emplace(index, kind);
}

// The driver counts the error; the port's watcher asks the window to look.
void VirtualBoard::FlagLineError(LineErrorKind kind)
{
    const LineCounters before = s_->counters;
    Count(s_->counters, kind);
    s_->log.push_back({NowUs(), LogEntry::Kind::Line, 0, "error " + GrownErrors(before, s_->counters)});
    const uint64_t opening = s_->opening;
    Post([this, opening] {
        if (!s_->active || s_->opening != opening)
            return;
        const std::string what = GrownErrors(s_->seen, s_->counters);
        s_->seen = s_->counters;
        if (!what.empty() && events_)
            events_->OnLineError(what);
    });
}

void VirtualBoard::Unplug()
{
    if (s_->unplugged)
        return;
    s_->unplugged = true;
    const uint64_t opening = s_->opening;
    Post([this, opening] {
        if (s_->active && s_->opening == opening && events_)
            events_->OnPortGone();
    });
}

void VirtualBoard::Post(std::function<void()> call)
{
    if (s_->poster && s_->active)
        s_->poster(std::move(call));
}

std::vector<uint8_t> VirtualBoard::TakeArrived()
{
    CatchUp();
    std::vector<uint8_t> bytes(s_->input.begin(), s_->input.end());
    s_->input.clear();
    return bytes;
}

LineCounters VirtualBoard::Counters() const { return s_->counters; }

void VirtualBoard::SetPoster(EventPoster poster) { s_->poster = std::move(poster); }

// ---- log ----

const std::vector<VirtualBoard::LogEntry>& VirtualBoard::Log() const { return s_->log; }

std::vector<uint8_t> VirtualBoard::BytesReceived() const
{
    std::vector<uint8_t> bytes;
    for (const LogEntry& e : s_->log)
        if (e.kind == LogEntry::Kind::ToBoard)
            bytes.push_back(e.byte);
    return bytes;
}

std::vector<uint8_t> VirtualBoard::BytesSent() const
{
    std::vector<uint8_t> bytes;
    for (const LogEntry& e : s_->log)
        if (e.kind == LogEntry::Kind::ToPc)
            bytes.push_back(e.byte);
    return bytes;
}

void VirtualBoard::ClearLog() { s_->log.clear(); }

std::string VirtualBoard::LogText() const
{
    std::string text;
    char line[64];
    for (const LogEntry& e : s_->log) {
        const double ms = double(e.timeUs) / 1000.0;
        switch (e.kind) {
        case LogEntry::Kind::ToBoard: std::snprintf(line, sizeof line, "%10.3f ms  PC>board %02X\n", ms, e.byte); break;
        case LogEntry::Kind::ToPc: std::snprintf(line, sizeof line, "%10.3f ms  board>PC %02X\n", ms, e.byte); break;
        case LogEntry::Kind::Line: std::snprintf(line, sizeof line, "%10.3f ms  line %s\n", ms, e.line.c_str()); break;
        }
        text += line;
    }
    return text;
}

// ---- lines and reset ----

void VirtualBoard::LogLine(const char* name, bool on)
{
    s_->log.push_back({NowUs(), LogEntry::Kind::Line, 0, std::string(name) + (on ? "=1" : "=0")});
}

// ---- SerialPort ----

// Every port call first lets the board catch up, then decides whether it fails.
void VirtualBoard::Enter(const char* operation)
{
    CatchUp();
    Check(operation, true);
}

void VirtualBoard::SetDeviceName(const std::string& name) { s_->deviceName = name; }
std::string VirtualBoard::DeviceName() const { return s_->deviceName; }
bool VirtualBoard::Active() const { return s_->active; }

// A failing call, a call on an unplugged board, a call on a closed port.
void VirtualBoard::Check(const char* operation, bool needsOpen)
{
    auto it = s_->failing.find(operation);
    if (it != s_->failing.end()) {
        const int error = it->second;
        s_->failing.erase(it);
        Throw(operation, error);
    }
    if (s_->unplugged) {
        if (s_->active && events_)
            events_->OnPortGone();
        Throw(operation, EIO);
    }
    if (needsOpen && !s_->active)
        Throw(operation, EBADF);
}

void VirtualBoard::SetActive(bool active)
{
    CatchUp();
    if (active == s_->active)
        return;
    if (active) {
        Check("SetActive", false);
        s_->active = true;
        ++s_->opening;
        s_->input.clear();
        s_->seen = s_->counters;  // what was flagged before the port opened is not ours
        s_->notifiedStatus = CurrentStatus();
        return;
    }
    // Closing drops both lines, as the driver does.
    if (s_->dtr)
        DropDTR();
    if (s_->rts)
        DropRTS();
    s_->active = false;
    s_->input.clear();
    s_->stuckBytes = 0;
}

int VirtualBoard::InputCount()
{
    Enter("InputCount");
    const std::string what = GrownErrors(s_->seen, s_->counters);
    if (!what.empty()) {
        s_->seen = s_->counters;
        if (events_)
            events_->OnLineError(what);
        throw ELineError(what);
    }
    return s_->active ? int(s_->input.size()) : 0;
}

uint8_t VirtualBoard::ReadByte()
{
    Enter("ReadByte");
    if (s_->input.empty())
        Throw("ReadByte", EAGAIN);
    const uint8_t byte = s_->input.front();
    s_->input.pop_front();
    return byte;
}

void VirtualBoard::WriteByte(uint8_t byte)
{
    Enter("WriteByte");
    Transmit(byte);
}

void VirtualBoard::WriteBlock(const uint8_t* data, size_t size)
{
    Enter("WriteBlock");
    for (size_t i = 0; i < size; ++i)
        Transmit(data[i]);
}

void VirtualBoard::Transmit(uint8_t byte)
{
    if (WritesStuck) {
        ++s_->stuckBytes;
        return;
    }
    const int64_t done = std::max(s_->clock.NowUs(), s_->toBoardFreeUs) + kByteTimeUs;
    s_->toBoardFreeUs = done;
    Schedule(s_->queue, done, {false, 0, [this, byte] {
                                   s_->log.push_back({NowUs(), LogEntry::Kind::ToBoard, byte, {}});
                                   if (s_->running && !s_->inReset)
                                       s_->running->OnByte(*this, byte);
                               }});
}

bool VirtualBoard::WritePending()
{
    Enter("WritePending");
    return s_->stuckBytes > 0 || s_->clock.NowUs() < s_->toBoardFreeUs;
}

void VirtualBoard::PurgeInput()
{
    if (!s_->active)
        return;
    Enter("PurgeInput");
    s_->input.clear();
}

void VirtualBoard::SetDTR()
{
    Enter("SetDTR");
    if (s_->dtr)
        return;
    s_->dtr = true;
    LogLine("DTR", true);
    // Held in reset from the edge on: the running program stops where it is.
    s_->inReset = true;
    s_->running = nullptr;
    ++s_->run;
    s_->toPcFreeUs = NowUs();
    Answer(ResetAnswer, true, false);
}

void VirtualBoard::ClearDTR()
{
    Enter("ClearDTR");
    DropDTR();
}

void VirtualBoard::DropDTR()
{
    if (!s_->dtr)
        return;
    s_->dtr = false;
    LogLine("DTR", false);
    s_->inReset = false;
    ++s_->run;
    // The microcontroller samples its mode pin (our RTS) when it leaves reset.
    s_->running = s_->rts ? s_->bootRom : s_->application;
    if (s_->running)
        s_->running->OnStart(*this);
    Answer(ResetAnswer, false, false);
}

void VirtualBoard::SetRTS()
{
    Enter("SetRTS");
    if (s_->rts)
        return;
    s_->rts = true;
    LogLine("RTS", true);
    Answer(ModeAnswer, true, true);
}

void VirtualBoard::ClearRTS()
{
    Enter("ClearRTS");
    DropRTS();
}

void VirtualBoard::DropRTS()
{
    if (!s_->rts)
        return;
    s_->rts = false;
    LogLine("RTS", false);
    Answer(ModeAnswer, false, true);
}

void VirtualBoard::Answer(const LineBehaviour& behaviour, bool on, bool isCts)
{
    if (behaviour.mode != LineBehaviour::Mode::Follow)
        return;
    Schedule(s_->queue, NowUs() + std::max<int64_t>(0, behaviour.delayUs), {false, 0, [this, on, isCts] {
                 bool& line = isCts ? s_->cts : s_->dsr;
                 if (line == on)
                     return;
                 line = on;
                 LogLine(isCts ? "CTS" : "DSR", on);
             }});
}

unsigned VirtualBoard::GetModemStatus()
{
    Enter("GetModemStatus");
    return CurrentStatus();
}

unsigned VirtualBoard::CurrentStatus() const
{
    return StatusBits(s_->cts || ModeAnswer.mode == LineBehaviour::Mode::StuckOn,
                      s_->dsr || ResetAnswer.mode == LineBehaviour::Mode::StuckOn);
}
