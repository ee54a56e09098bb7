#include "diagnostics_sink.h"
#include "text_file.h"
#include "unprivileged.h"

#include <algorithm>
#include <memory>
#include <sys/sysmacros.h>

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
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);  // no temporary left

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

namespace {

// A folder of its own with the diagnostics caught.
struct FileKinds : ::testing::Test {
    fs::path dir;
    std::vector<std::string> causes;
    std::unique_ptr<ScopedDiagnosticsSink> sink;

    void SetUp() override
    {
        dir = fs::temp_directory_path()
              / ("filekinds_" + std::to_string(getpid()) + "_"
                 + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        sink = std::make_unique<ScopedDiagnosticsSink>([this](const std::string& line) { causes.push_back(line); });
    }
    void TearDown() override
    {
        sink.reset();
        fs::remove_all(dir);
    }
    std::string P(const std::string& name) const { return (dir / name).string(); }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

}  // namespace

// Only a regular file is replaced: whatever else stands in the target's place stays as
// it is, and no other file appears.
TEST_F(FileKinds, ASaveReplacesOnlyARegularFile)
{
    ASSERT_EQ(::mkfifo(P("fifo.lcd").c_str(), 0644), 0);
    fs::create_symlink(dir / "nowhere.lcd", dir / "dangling.lcd");
    fs::create_symlink(dir / "fifo.lcd", dir / "tofifo.lcd");
    fs::create_directory(dir / "folder.lcd");
    // A device node like /dev/null, made here (root only).
    const bool device = ::mknod(P("null.lcd").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;

    struct Case {
        const char* name;
        fs::file_type kind;
        const char* cause;
    };
    const Case cases[] = {
        {"fifo.lcd", fs::file_type::fifo, "not a regular file"},
        {"dangling.lcd", fs::file_type::symlink, "not a regular file"},
        {"tofifo.lcd", fs::file_type::symlink, "not a regular file"},
        {"folder.lcd", fs::file_type::directory, "Is a directory"},
        {"null.lcd", fs::file_type::character, "not a regular file"},
    };
    for (const Case& c : cases) {
        if (std::string(c.name) == "null.lcd" && !device)
            continue;
        causes.clear();
        EXPECT_FALSE(WriteFileAtomically(P(c.name), "2\r\n")) << c.name;
        EXPECT_EQ(fs::symlink_status(dir / c.name).type(), c.kind) << c.name;
        EXPECT_EQ(causes, std::vector<std::string>{P(c.name) + ": not written: " + c.cause}) << c.name;
        EXPECT_FALSE(MayWriteFile(P(c.name))) << c.name;
    }
    EXPECT_FALSE(fs::exists(dir / "nowhere.lcd"));
    std::vector<std::string> expected = {"dangling.lcd", "fifo.lcd", "folder.lcd", "tofifo.lcd"};
    if (device)
        expected.insert(expected.begin() + 3, "null.lcd");
    EXPECT_EQ(Names(), expected);
}

// The old fixed temporary name, planted as a link to another file, is not followed; the
// save leaves nothing behind under a name of its own.
TEST_F(FileKinds, APlantedLinkAtATemporaryNameIsNeverFollowed)
{
    ASSERT_TRUE(WriteFileAtomically(P("victim"), "geheim"));
    fs::create_symlink(dir / "victim", dir / "a.lcd.tmp~");
    fs::create_symlink(dir / "victim", dir / ".a.lcd.tmp");
    ASSERT_TRUE(WriteFileAtomically(P("a.lcd"), "neu"));
    EXPECT_EQ(*ReadFileBytes(P("victim")), "geheim");
    EXPECT_EQ(*ReadFileBytes(P("a.lcd")), "neu");
    EXPECT_EQ(Names(), (std::vector<std::string>{".a.lcd.tmp", "a.lcd", "a.lcd.tmp~", "victim"}));
}

TEST_F(FileKinds, ANewFileTakesItsModeFromTheUmask)
{
    const struct {
        mode_t umask;
        fs::perms mode;
    } cases[] = {
        {022, fs::perms(0644)},
        {027, fs::perms(0640)},
        {077, fs::perms(0600)},
        {002, fs::perms(0664)},
    };
    for (const auto& c : cases) {
        const mode_t old = ::umask(c.umask);
        const std::string path = P("new" + std::to_string(c.umask) + ".lcd");
        const bool written = WriteFileAtomically(path, "x");
        ::umask(old);
        ASSERT_TRUE(written);
        EXPECT_EQ(fs::status(path).permissions() & fs::perms::all, c.mode) << std::oct << c.umask;
    }
}

// A FIFO, a file over the bound and a folder are refused at once with the cause; a file
// of exactly the bound is read.
TEST_F(FileKinds, AReaderTakesRegularFilesUpToItsBoundWithoutBlocking)
{
    ASSERT_EQ(::mkfifo(P("fifo").c_str(), 0644), 0);
    fs::create_symlink(dir / "fifo", dir / "tofifo");
    fs::create_directory(dir / "folder");
    // Sparse: the size without the disk space.
    for (const auto& [name, size] : {std::pair{"big", kTextFileLimit + 1}, std::pair{"full", kTextFileLimit}}) {
        ASSERT_TRUE(WriteFileAtomically(P(name), ""));
        ASSERT_EQ(::truncate(P(name).c_str(), off_t(size)), 0);
    }
    struct Case {
        const char* name;
        const char* cause;  // empty: read
    };
    const Case cases[] = {
        {"fifo", "not a regular file"},
        {"tofifo", "not a regular file"},
        {"folder", "Is a directory"},
        {"big", "larger than 1048576 bytes"},
        {"missing", "No such file or directory"},
        {"full", ""},
    };
    for (const Case& c : cases) {
        std::string cause;
        const std::optional<std::string> bytes = ReadFileBytes(P(c.name), kTextFileLimit, &cause);
        EXPECT_EQ(cause, c.cause) << c.name;
        EXPECT_EQ(bytes.has_value(), std::string(c.cause).empty()) << c.name;
    }
    EXPECT_EQ(ReadFileBytes(P("full"))->size(), 1048576u);
    // The firmware bound is 4 MiB.
    EXPECT_TRUE(ReadFileBytes(P("big"), kFirmwareFileLimit));
    // Without a place for the cause, it goes to the diagnostics.
    causes.clear();
    EXPECT_FALSE(ReadFileBytes(P("fifo")));
    EXPECT_EQ(causes, std::vector<std::string>{P("fifo") + ": not read: not a regular file"});
}
