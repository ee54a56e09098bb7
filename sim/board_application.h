#pragma once
// The board's application firmware as far as every exchange shares it: it answers the
// ping and recognises a command (0xA5 followed by a command byte). The configuration
// protocol subclasses it and handles the commands; while a command runs (SetBusy) every
// byte from the PC goes to that command.
#include "virtual_board.h"

#include <cstdint>
#include <vector>

// How the board answers the ping.
struct PingBehaviour {
    enum class Mode { Answer, NoAnswer, OtherByte };
    Mode mode = Mode::Answer;
    uint8_t otherByte = 0x00;  // sent instead of 0xBA in OtherByte mode
    int64_t delayUs = 100;     // from the ping's arrival to the start of the answer
};

class BoardApplication : public BoardProgram {
public:
    static constexpr uint8_t kPing = 0xBA;
    static constexpr uint8_t kCommand = 0xA5;

    PingBehaviour Ping;

    void OnStart(VirtualBoard& board) override;
    void OnByte(VirtualBoard& board, uint8_t byte) override;

    bool Busy() const { return busy_; }
    int PingsAnswered() const { return pingsAnswered_; }
    // Command bytes received, in order (the byte after each 0xA5).
    const std::vector<uint8_t>& Commands() const { return commands_; }

protected:
    // 0xA5 and then `command` arrived while no command was running.
    virtual void OnCommand(VirtualBoard& board, uint8_t command);
    // A byte arrived while a command is running.
    virtual void OnCommandByte(VirtualBoard& board, uint8_t byte);
    // The program started (again) after a reset: forget everything.
    virtual void OnRestart(VirtualBoard& board) { (void)board; }
    void SetBusy(bool busy) { busy_ = busy; }

private:
    bool busy_ = false;
    bool prefix_ = false;
    int pingsAnswered_ = 0;
    std::vector<uint8_t> commands_;
};
