// The virtual boot ROM on its own, driven byte by byte: the rules of the real chip that
// the update tests rely on to catch a faulty update.
#include "boot_rom.h"
#include "virtual_board.h"

#include <gtest/gtest.h>

namespace {

struct BootRomTest : ::testing::Test {
    VirtualClock clock;
    VirtualBoard board{clock};
    BootRom rom;

    void SetUp() override
    {
        board.SetBootRom(&rom);
        board.SetActive(true);
    }

    // Reset released with the Mode line on, baud rate detected.
    void EnterBootMode()
    {
        board.SetDTR();
        board.SetRTS();
        clock.AdvanceMs(10);
        board.ClearDTR();
        Send(std::vector<uint8_t>(16, 0x00));
        Send({0xB0});
    }

    void Send(const std::vector<uint8_t>& bytes)
    {
        board.WriteBlock(bytes.data(), bytes.size());
        clock.AdvanceMs(int(bytes.size()) * 2 + 5);
        board.InputCount();  // let the board catch up
    }

    std::vector<uint8_t> Received(int waitMs = 20)
    {
        clock.AdvanceMs(waitMs);
        std::vector<uint8_t> bytes;
        for (int n = board.InputCount(); n > 0; --n)
            bytes.push_back(board.ReadByte());
        return bytes;
    }

    std::vector<uint8_t> Status()
    {
        board.PurgeInput();
        Send({0x70});
        return Received();
    }

    void CheckId(const std::array<uint8_t, 7>& id)
    {
        std::vector<uint8_t> block = {0xF5, 0xDF, 0xFF, 0x00, 0x07};
        block.insert(block.end(), id.begin(), id.end());
        Send(block);
    }

    void Program(int page, uint8_t fill)
    {
        std::vector<uint8_t> frame = {0x41, uint8_t(page >> 8), 0x00};
        frame.resize(3 + 256, fill);
        Send(frame);
    }
};

TEST_F(BootRomTest, SyncOnlyInBootModeAfterSixteenZeros)
{
    board.SetDTR();
    clock.AdvanceMs(10);
    board.ClearDTR();  // Mode line off: the application starts, not the boot ROM
    Send(std::vector<uint8_t>(16, 0x00));
    Send({0xB0});
    EXPECT_TRUE(Received().empty());

    board.SetDTR();
    board.SetRTS();
    clock.AdvanceMs(10);
    board.ClearDTR();
    Send(std::vector<uint8_t>(15, 0x00));
    Send({0xB0});
    EXPECT_TRUE(Received().empty()) << "fifteen zeros are not enough";
    Send(std::vector<uint8_t>(16, 0x00));
    Send({0xB0});
    EXPECT_EQ(Received(), std::vector<uint8_t>{0xB0});
    EXPECT_EQ(Status(), (std::vector<uint8_t>{0x80, 0x00}));
}

TEST_F(BootRomTest, IdCheckAndCommandsThatNeedIt)
{
    rom.StoreId({1, 2, 3, 4, 5, 6, 7});
    EnterBootMode();
    Received();
    // Erase and program are ignored before the ID is verified.
    Send({0xA7, 0xD0});
    Program(0x8000, 0x00);
    clock.AdvanceMs(2000);
    EXPECT_EQ(rom.Erases(), 0);
    EXPECT_EQ(rom.Flash()[0x8000], 0xFF);

    // The status bytes carry only the bits the chip defines; the others stay 0.
    CheckId({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF});
    EXPECT_EQ(Status(), (std::vector<uint8_t>{0x80, 0x04}));
    std::vector<uint8_t> wrongLength = {0xF5, 0xDF, 0xFF, 0x00, 0x06, 1, 2, 3, 4, 5, 6, 7};
    Send(wrongLength);
    EXPECT_EQ(Status(), (std::vector<uint8_t>{0x80, 0x04}));
    CheckId({1, 2, 3, 4, 5, 6, 7});
    EXPECT_EQ(Status(), (std::vector<uint8_t>{0x80, 0x0C}));
}

TEST_F(BootRomTest, EraseProgramAndReadBack)
{
    EnterBootMode();
    CheckId({0, 0, 0, 0, 0, 0, 0});  // a blank chip takes any ID
    Received();
    rom.Flash()[0x2400] = 0x00;

    // The status is answered only when the erase has finished.
    Send({0x50, 0xA7, 0xD0});
    board.PurgeInput();
    Send({0x70});
    EXPECT_TRUE(Received(100).empty());
    EXPECT_EQ(Received(int(rom.EraseUs / 1000)), (std::vector<uint8_t>{0x80, 0x00 | 0x0C}));
    EXPECT_EQ(rom.Flash()[0x2400], 0xFF);

    Program(0x8100, 0x5A);
    EXPECT_EQ(Status(), (std::vector<uint8_t>{0x80, 0x0C}));
    board.PurgeInput();
    Send({0xFF, 0x81, 0x00});
    EXPECT_EQ(Received(300), std::vector<uint8_t>(256, 0x5A));

    // Programming a cell again without an erase is an error; the bits are ANDed in.
    Program(0x8100, 0x0F);
    EXPECT_EQ(Status(), (std::vector<uint8_t>{0x90, 0x0C}));
    EXPECT_EQ(rom.Flash()[0x8100], 0x0A);
    Send({0x50});
    EXPECT_EQ(Status(), (std::vector<uint8_t>{0x80, 0x0C}));

    // Outside the flash, and a wrong erase confirmation.
    Program(0x4000, 0x00);
    EXPECT_EQ(Status(), (std::vector<uint8_t>{0x90, 0x0C}));
    Send({0x50, 0xA7, 0x00});
    EXPECT_EQ(Status(), (std::vector<uint8_t>{0xB0, 0x0C}));

    // A page written with an error: bit 3, cleared again by 0x50.
    rom.failure = BootRom::Failure::PageWriteError;
    rom.FailPage = 0x8200;
    Send({0x50});
    Program(0x8200, 0x11);
    EXPECT_EQ(Status(), (std::vector<uint8_t>{0x88, 0x0C}));
    Send({0x50});
    EXPECT_EQ(Status(), (std::vector<uint8_t>{0x80, 0x0C}));
}

TEST_F(BootRomTest, DroppingTheModeLineLeavesBootMode)
{
    EnterBootMode();
    Received();
    board.ClearRTS();
    EXPECT_TRUE(Status().empty());
}

}  // namespace
