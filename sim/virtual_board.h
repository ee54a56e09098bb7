#pragma once
// The virtual board: a SerialPort whose far end is a model of the display board.
//
// The PC side (the SerialPort operations) and the board side (BoardProgram) meet on a
// wire with 9600-baud timing: every byte takes kByteTimeUs to cross, in either
// direction. Nothing happens between calls: each port call first lets the board catch
// up to the clock's present, handling every event due by then in time order, so a
// board in virtual time behaves exactly as it would in real time.
//
// The lines: DSR follows DTR and CTS follows RTS after a configurable delay (or never,
// or stuck on). While DTR is high the board is held in reset; when DTR falls the board
// starts the boot ROM if RTS is high, else its application firmware.
#include "event_poster.h"
#include "line_counters.h"
#include "serial_port.h"
#include "virtual_clock.h"

#include <cerrno>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

inline constexpr int64_t kByteTimeUs = 1042;  // 10 bits at 9600 bit/s

class VirtualBoard;

// A program running on the board's microcontroller: its application firmware (the
// configuration protocol) or the boot ROM (the flash protocol).
class BoardProgram {
public:
    virtual ~BoardProgram() = default;
    // The board left reset into this program.
    virtual void OnStart(VirtualBoard& board) { (void)board; }
    // One byte from the PC has been received completely.
    virtual void OnByte(VirtualBoard& board, uint8_t byte) = 0;
};

// How an answer line follows the line the PC drives.
struct LineBehaviour {
    enum class Mode { Follow, Never, StuckOn };
    Mode mode = Mode::Follow;
    int64_t delayUs = 5000;  // answer this long after the PC's edge
};

class VirtualBoard : public SerialPort {
public:
    explicit VirtualBoard(VirtualClock& clock);
    ~VirtualBoard() override;
    VirtualBoard(const VirtualBoard&) = delete;
    VirtualBoard& operator=(const VirtualBoard&) = delete;

    // ---- board side ----
    void SetApplication(BoardProgram* program);
    void SetBootRom(BoardProgram* program);
    // Queue bytes to the PC; the first starts after delayUs (after what is already
    // queued), each takes kByteTimeUs.
    void Send(const std::vector<uint8_t>& bytes, int64_t delayUs = 0);
    void Send(uint8_t byte, int64_t delayUs = 0) { Send(std::vector<uint8_t>{byte}, delayUs); }
    // Run `action` on the board delayUs from now (a storing phase, an erase...).
    void At(int64_t delayUs, std::function<void()> action);
    // The board's present: the clock's, or while the board handles an event, the
    // moment that event was due.
    int64_t NowUs() const;
    // Handle every event due by the clock's present (every port call does this first).
    void CatchUp();
    // How long until the next event is due (0 when one is due now); none when the
    // board and the wire have nothing left to do.
    std::optional<int64_t> NextEventInUs() const;
    bool InReset() const;
    // The program the board runs now (none while in reset).
    BoardProgram* Running() const;
    bool DtrHigh() const;
    bool RtsHigh() const;

    // ---- failure modes ----
    LineBehaviour ResetAnswer;  // DSR after DTR
    LineBehaviour ModeAnswer;   // CTS after RTS
    // The next port call with this name ("SetDTR", "WriteByte", "InputCount", ...)
    // throws EComError, as an unplugged converter would.
    void FailCall(const std::string& operation, int error = EIO);
    // The driver flags a line error delayUs from now, as a real one does: its counter
    // grows, the port's watcher posts a look at the counters (when a poster is
    // installed), and the next InputCount reports it, whichever comes first.
    void InjectLineError(LineErrorKind kind = LineErrorKind::Frame, int64_t delayUs = 0);
    // The same, flagged with the byte the board delivers as its index-th to the PC
    // (counted from 0 over the board's life, as BytesSent lists them).
    void InjectLineErrorOnByte(size_t index, LineErrorKind kind = LineErrorKind::Frame);
    // Writes never leave the PC (WritePending stays true).
    bool WritesStuck = false;
    // The converter is unplugged: the port's watcher posts that the device is gone,
    // and every call but SetActive(false) fails from now on (the first one on an open
    // port reports the device gone before it fails).
    void Unplug();

    // ---- the far end of a real port (a pseudo-terminal rig) ----
    // Bytes that have reached the PC side since the last call, taken out of the input.
    std::vector<uint8_t> TakeArrived();
    // The line-error counters a driver would show.
    LineCounters Counters() const;

    // ---- what the board saw ----
    struct LogEntry {
        enum class Kind { ToBoard, ToPc, Line };
        int64_t timeUs;
        Kind kind;
        uint8_t byte;       // for ToBoard / ToPc
        std::string line;   // for Line: "DTR=1", "RTS=0", "DSR=1", "CTS=1"
    };
    const std::vector<LogEntry>& Log() const;
    std::vector<uint8_t> BytesReceived() const;  // every byte the board got from the PC
    std::vector<uint8_t> BytesSent() const;      // every byte the board delivered
    void ClearLog();
    // The log as text, one line per entry: "12.345 ms  PC>board BA", "... line DTR=1".
    std::string LogText() const;

    // Line changes, looks at the error counters and a vanished device go through this
    // poster when one is installed, so that they reach the window when it processes
    // its messages, as with a real port.
    void SetPoster(EventPoster poster);

    // ---- SerialPort ----
    void SetDeviceName(const std::string& name) override;
    std::string DeviceName() const override;
    void SetActive(bool active) override;
    bool Active() const override;
    int InputCount() override;
    uint8_t ReadByte() override;
    void WriteByte(uint8_t byte) override;
    void WriteBlock(const uint8_t* data, size_t size) override;
    bool WritePending() override;
    void PurgeInput() override;
    void SetDTR() override;
    void ClearDTR() override;
    void SetRTS() override;
    void ClearRTS() override;
    unsigned GetModemStatus() override;

private:
    struct State;
    std::unique_ptr<State> s_;

    void NotifyLines();
    void Post(std::function<void()> call);
    void FlagLineError(LineErrorKind kind);
    void Enter(const char* operation);
    void Check(const char* operation, bool needsOpen);
    void Transmit(uint8_t byte);
    void DropDTR();
    void DropRTS();
    void Answer(const LineBehaviour& behaviour, bool on, bool isCts);
    unsigned CurrentStatus() const;
    void LogLine(const char* name, bool on);
};
