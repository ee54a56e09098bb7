#include "board_application.h"

void BoardApplication::OnStart(VirtualBoard& board)
{
    busy_ = false;
    prefix_ = false;
    OnRestart(board);
}

void BoardApplication::OnByte(VirtualBoard& board, uint8_t byte)
{
    if (busy_) {
        OnCommandByte(board, byte);
        return;
    }
    if (prefix_) {
        prefix_ = false;
        commands_.push_back(byte);
        OnCommand(board, byte);
        return;
    }
    if (byte == kCommand) {
        prefix_ = true;
        return;
    }
    if (byte != kPing)
        return;  // the firmware ignores anything else between commands
    switch (Ping.mode) {
    case PingBehaviour::Mode::Answer:
        board.Send(kPing, Ping.delayUs);
        ++pingsAnswered_;
        break;
    case PingBehaviour::Mode::OtherByte:
        board.Send(Ping.otherByte, Ping.delayUs);
        ++pingsAnswered_;
        break;
    case PingBehaviour::Mode::NoAnswer: break;
    }
}

void BoardApplication::OnCommand(VirtualBoard& board, uint8_t command)
{
    (void)board;
    (void)command;
}

void BoardApplication::OnCommandByte(VirtualBoard& board, uint8_t byte)
{
    (void)board;
    (void)byte;
}
