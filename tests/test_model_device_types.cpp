#include "device_types.h"
#include "scripted_dialogs.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string kFaultLog = std::string("error:") + kDeviceTypeFault;

class DeviceTypesTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = (fs::temp_directory_path()
                / ("geraetetyp_" + std::to_string(getpid()) + ".ini"))
                   .string();
    }
    void TearDown() override { fs::remove(path); }
    void Put(const std::string& bytes) const { std::ofstream(path, std::ios::binary) << bytes; }

    // count lines "Typ<k>" with a comment, CR LF.
    static std::string Lines(int count)
    {
        std::string text;
        for (int k = 0; k < count; ++k)
            text += "Typ" + std::to_string(k) + "\t; Kommentar zu " + std::to_string(k) + "\r\n";
        return text;
    }

    std::string path;
    ScriptedDialogs dialogs;
};

}  // namespace

TEST_F(DeviceTypesTest, FullListGivesTheNamesAlone)
{
    Put(Lines(256));
    DeviceTypeList list = ReadDeviceTypes(dialogs, path);
    EXPECT_TRUE(list.Complete);
    ASSERT_EQ(list.Names.size(), 256u);
    EXPECT_EQ(list.Names[0], "Typ0");
    EXPECT_EQ(list.Names[255], "Typ255");
    EXPECT_TRUE(dialogs.Events().empty());

    // Lines beyond the 256th are not read.
    Put(Lines(256) + "Mehr\r\n");
    EXPECT_TRUE(ReadDeviceTypes(dialogs, path).Complete);
    EXPECT_TRUE(dialogs.Events().empty());
}

TEST_F(DeviceTypesTest, EmptyLinesBareLineFeedsAndUmlauts)
{
    std::string text = "\n\n";
    for (int k = 0; k < 256; ++k)
        text += (k == 3 ? std::string("  Ger\xE4t-\xDC") : "N" + std::to_string(k)) + "\n\n";
    Put(text);
    DeviceTypeList list = ReadDeviceTypes(dialogs, path);
    EXPECT_TRUE(list.Complete);
    ASSERT_EQ(list.Names.size(), 256u);
    EXPECT_EQ(list.Names[3], "Gerät-Ü");
    EXPECT_EQ(list.Names[4], "N4");
}

TEST_F(DeviceTypesTest, ShortListsAreReportedAndIncomplete)
{
    Put(Lines(255));
    DeviceTypeList list = ReadDeviceTypes(dialogs, path);
    EXPECT_FALSE(list.Complete);
    EXPECT_EQ(list.Names.size(), 255u);
    EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{"beep", kFaultLog}));

    // 256 names, but the last line has no line end.
    std::string text = Lines(255) + "Typ255";
    Put(text);
    dialogs.Clear();
    list = ReadDeviceTypes(dialogs, path);
    EXPECT_FALSE(list.Complete);
    EXPECT_EQ(list.Names.size(), 255u);
    EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{"beep", kFaultLog}));
}

TEST_F(DeviceTypesTest, LongNamesAreCut)
{
    std::string text = std::string(60, 'L') + " Rest\r\n" + Lines(255);
    Put(text);
    DeviceTypeList list = ReadDeviceTypes(dialogs, path);
    EXPECT_TRUE(list.Complete);
    EXPECT_EQ(list.Names[0], std::string(51, 'L'));
    EXPECT_EQ(list.Names[1], "Typ0");
}

TEST_F(DeviceTypesTest, NoListIsSilent)
{
    DeviceTypeList list = ReadDeviceTypes(dialogs, path + ".none");
    EXPECT_FALSE(list.Complete);
    EXPECT_TRUE(list.Names.empty());
    EXPECT_TRUE(dialogs.Events().empty());
}
