#include "text_file.h"
#include "unprivileged.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

TEST(Windows1252, GermanTextRoundTrips)
{
    std::string text = "Gerätetyp Überwachungen Bildhöhe ß €";
    std::string bytes = ToWindows1252(text);
    EXPECT_EQ(bytes, "Ger\xE4tetyp \xDC"
                     "berwachungen Bildh\xF6he \xDF \x80");
    EXPECT_EQ(FromWindows1252(bytes), text);
}

TEST(Windows1252, EveryByteRoundTrips)
{
    // The five codes Windows-1252 leaves unassigned too: the board's serial number and
    // mark may hold any byte.
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += char(b);
    EXPECT_EQ(ToWindows1252(FromWindows1252(all)), all);
    EXPECT_EQ(FromWindows1252("\x81\x8D\x8F\x90\x9D"), "\u0081\u008D\u008F\u0090\u009D");
}

TEST(Windows1252, UnmappableBecomesQuestionMark)
{
    EXPECT_EQ(ToWindows1252("a\xE2\x86\x92z"), "a?z");  // U+2192 arrow
}

TEST(TextFile, CrLfAndAtomicReplace)
{
    fs::path dir = fs::temp_directory_path() / ("textfile_" + std::to_string(getpid()));
    fs::create_directories(dir);
    std::string path = (dir / "a.txt").string();
    ASSERT_TRUE(WriteTextFile(path, "Bildhöhe\nx\n"));
    EXPECT_EQ(*ReadFileBytes(path), "Bildh\xF6he\r\nx\r\n");
    EXPECT_FALSE(fs::exists(path + ".tmp~"));

    // A folder that cannot be written: failure, and the old file is untouched.
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec);
    bool wrote = WriteTextFile(path, "neu\n");
    fs::permissions(dir, fs::perms::owner_all);
    if (geteuid() != 0) {
        EXPECT_FALSE(wrote);
        EXPECT_EQ(*ReadFileBytes(path), "Bildh\xF6he\r\nx\r\n");
    }
    EXPECT_FALSE(WriteTextFile((dir / "missing" / "b.txt").string(), "x"));
    fs::remove_all(dir);
}

TEST(TextFile, ReplacingKeepsModeAndFollowsLinks)
{
    fs::path dir = fs::temp_directory_path() / ("textmode_" + std::to_string(getpid()));
    fs::create_directories(dir);
    const fs::path target = dir / "real.lcd";
    ASSERT_TRUE(WriteFileAtomically(target.string(), "alt"));
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const fs::path link = dir / "link.lcd";
    fs::create_symlink(target, link);

    ASSERT_TRUE(WriteFileAtomically(link.string(), "neu"));
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(*ReadFileBytes(target.string()), "neu");
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::remove_all(dir);
}

TEST(TextFile, WriteProtectedFileIsRefusedAndStaysAsItWas)
{
    const fs::path dir = SharedTempFolder("textprotect");
    const fs::path locked = dir / "alt.lcd";
    const fs::path open = dir / "offen.lcd";
    ASSERT_TRUE(WriteFileAtomically(locked.string(), "alt"));
    ASSERT_TRUE(WriteFileAtomically(open.string(), "offen"));
    fs::permissions(locked, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::permissions(open, fs::perms::all);

    // The folder may be written, so a rename could replace the file: it must not.
    const UnprivilegedRun run = RunUnprivileged([&] {
        std::string r;
        r += MayWriteFile(locked.string()) ? "may " : "may-not ";
        r += WriteFileAtomically(locked.string(), "neu") ? "written " : "refused ";
        r += errno == EACCES ? "EACCES " : "other ";
        r += WriteFileAtomically(open.string(), "neu") ? "written" : "refused";
        return r;
    });
    ASSERT_TRUE(run.Completed);
    EXPECT_EQ(run.Result, "may-not refused EACCES written");
    EXPECT_EQ(*ReadFileBytes(locked.string()), "alt");
    EXPECT_EQ(*ReadFileBytes(open.string()), "neu");
    EXPECT_FALSE(fs::exists(locked.string() + ".tmp~"));
    fs::remove_all(dir);
}

TEST(TextFile, ReplacedFileKeepsOwnerAndGroup)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "giving a file to another owner needs root";
    const fs::path dir = fs::temp_directory_path() / ("textowner_" + std::to_string(getpid()));
    fs::create_directories(dir);
    const std::string path = (dir / "a.lcd").string();
    ASSERT_TRUE(WriteFileAtomically(path, "alt"));
    ASSERT_EQ(::chown(path.c_str(), 65534, 65534), 0);
    ASSERT_TRUE(WriteFileAtomically(path, "neu"));
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, 65534u);
    EXPECT_EQ(st.st_gid, 65534u);
    EXPECT_EQ(*ReadFileBytes(path), "neu");
    fs::remove_all(dir);
}
