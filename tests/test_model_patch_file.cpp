#include "patch_file.h"
#include "scripted_dialogs.h"
#include "text_file.h"
#include "unprivileged.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct PatchFolder : ::testing::Test {
    fs::path dir = fs::temp_directory_path() / ("patch_" + std::to_string(getpid()));
    ParameterSet params;
    ScriptedDialogs dialogs;
    int tones = 0;

    void SetUp() override
    {
        fs::remove_all(dir);
        fs::create_directories(dir);
        params.ValueCount = kValueCount;
        params.StartFolder = dir.string();
    }
    void TearDown() override { fs::remove_all(dir); }
    void Export()
    {
        PatchDateierstellen1Click(dialogs, params, [this] { ++tones; });
    }
    std::optional<std::string> FileBytes() const
    {
        return ReadFileBytes((dir / "TavrixPatch.ini").string());
    }
};

}  // namespace

TEST_F(PatchFolder, TwoMarksGiveTheKnownFileWithChecksum793)
{
    params.PatchMarks[0] = 1;
    params.PatchMarks[27] = 1;
    Export();
    EXPECT_EQ(FileBytes(), "0\t;15\t;\r\n27\t;10465\t;E\r\n793");
    EXPECT_TRUE(dialogs.Events().empty());
    EXPECT_EQ(tones, 1);

    // The marks stay, so a second export writes the same file again.
    Export();
    EXPECT_EQ(FileBytes(), "0\t;15\t;\r\n27\t;10465\t;E\r\n793");
    EXPECT_EQ(tones, 2);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);  // no temporary left
}

TEST_F(PatchFolder, SingleMarkAndNegativeValue)
{
    params.PatchMarks[0] = 1;
    Export();
    EXPECT_EQ(FileBytes(), "0\t;15\t;E\r\n286");

    // "-" counts 45: "5\t;-7\t;" = 53+9+59+45+55+9+59.
    params.PatchMarks[0] = 0;
    params.PatchMarks[5] = 1;
    params.Values[5] = -7;
    Export();
    EXPECT_EQ(FileBytes(), "5\t;-7\t;E\r\n289");
}

TEST_F(PatchFolder, OnlyMarkValueOneCountsAndAllMarkedGives120Lines)
{
    params.PatchMarks[3] = 2;
    Export();
    EXPECT_EQ(dialogs.Log(), (std::vector<std::string>{"beep", "info:Noch keine Daten vorhanden !"}));
    EXPECT_FALSE(FileBytes());
    EXPECT_EQ(tones, 0);

    params.PatchMarks.fill(1);
    std::string expectedEntries;
    for (int i = 0; i < kValueCount; ++i) {
        if (i) expectedEntries += '\n';
        expectedEntries += std::to_string(i) + "\t;" + std::to_string(params.Values[i]) + "\t;";
    }
    int sum = 0;
    for (unsigned char c : expectedEntries) sum += c;
    std::optional<std::string> bytes = PatchFileBytes(params);
    ASSERT_TRUE(bytes);
    EXPECT_EQ(*bytes, WithCrLf(expectedEntries + "E\n" + std::to_string(sum)));
    size_t lineEnds = 0;
    for (size_t p = bytes->find("\r\n"); p != std::string::npos; p = bytes->find("\r\n", p + 1))
        ++lineEnds;
    EXPECT_EQ(lineEnds, 120u);  // 119 between entries, one before the checksum
    EXPECT_NE(bytes->find("119\t;0\t;E\r\n"), std::string::npos);
}

TEST_F(PatchFolder, FailedWriteIsReportedWithoutToneAndKeepsTheOldFile)
{
    params.PatchMarks[0] = 1;
    Export();
    ASSERT_EQ(tones, 1);

    // The new file breaks off on the way (a file-size limit, which stops root as well
    // as a user).
    params.Values[0] = 99;
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit old {};
    getrlimit(RLIMIT_FSIZE, &old);
    rlimit small = old;
    small.rlim_cur = 4;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    Export();
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(tones, 1);
    EXPECT_EQ(dialogs.Log(),
              (std::vector<std::string>{"beep", "info:Die Patch-Datei konnte nicht geschrieben werden !\n\n"
                                                    + (dir / "TavrixPatch.ini").string()}));
    EXPECT_EQ(FileBytes(), "0\t;15\t;E\r\n286");

    dialogs.Clear();
    params.StartFolder = (dir / "fehlt").string();
    Export();
    EXPECT_EQ(tones, 1);
    EXPECT_EQ(dialogs.Log(),
              (std::vector<std::string>{"beep", "info:Die Patch-Datei konnte nicht geschrieben werden !\n\n"
                                                    + (dir / "fehlt" / "TavrixPatch.ini").string()}));
}

TEST(PatchFileProtected, WriteProtectedFileIsRefusedWithTheWriteMessage)
{
    const std::string dir = SharedTempFolder("patch_protect");
    const fs::path file = fs::path(dir) / "TavrixPatch.ini";
    ASSERT_TRUE(WriteFileAtomically(file.string(), "alt"));
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    ParameterSet params;
    params.ValueCount = kValueCount;
    params.StartFolder = dir;
    params.PatchMarks[0] = 1;

    const UnprivilegedRun run = RunUnprivileged([&] {
        ScriptedDialogs dialogs;
        int tones = 0;
        PatchDateierstellen1Click(dialogs, params, [&] { ++tones; });
        std::string log = "tones=" + std::to_string(tones);
        for (const std::string& line : dialogs.Log())
            log += "|" + line;
        return log;
    });
    ASSERT_TRUE(run.Completed);
    EXPECT_EQ(run.Result, "tones=0|beep|info:Die Patch-Datei konnte nicht geschrieben werden !\n\n"
                              + file.string());
    EXPECT_EQ(*ReadFileBytes(file.string()), "alt");
    fs::remove_all(dir);
}
