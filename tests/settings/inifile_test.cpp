#include <gtest/gtest.h>

#include <iterator>
#include <climits>
#include <csignal>
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>

#include "settings/inifile.h"
#include "testfiles.h"

using namespace torvel;
using torvel::testing::readText;

namespace {

// Temporary files a write leaves behind would show here.
long filesIn(const std::string& directory) { return std::distance(std::filesystem::directory_iterator(directory), {}); }

// As users and older versions leave it: a byte-order mark, CR LF, comments, odd lines, mixed-case names,
// a second section of the same name and a last line without its line end.
const std::string kMixedFile =
    "\xEF\xBB\xBF; Torvel settings\r\n"
    "[General]\r\n"
    "ppdir=C:\\wrong\r\n"
    "[vaz]\r\n"
    "PPDir = /home/anna/PartyPoker  \r\n"
    "# starsdir = commented out\r\n"
    "starsDir=\"  /opt/stars  \"\r\n"
    "msMin=12abc\r\n"
    "osMin=\r\n"
    "odd line without equals\r\n"
    "=no key\r\n"
    "\r\n"
    "[VAZ]\r\n"
    "ppdir=/second/section/loses\r\n"
    "extra=from the second\r\n"
    "[Other\r\n"
    "ppdir=unclosed header\r\n"
    "[Tail]\r\n"
    "last=no line end";

class IniFileTest : public ::testing::Test {
protected:
    torvel::testing::ScratchDir scratch;
    std::string path = scratch.file("VAZ.ini");
};

TEST_F(IniFileTest, ReadsValuesAmongOtherSectionsCommentsAndMixedCase) {
    scratch.write("VAZ.ini", kMixedFile);
    const IniFile settings(path);
    const std::tuple<const char*, const char*, const char*> cases[] = {
        {"VAZ", "ppdir", "/home/anna/PartyPoker"},  // the first of two sections
        {"Vaz", "STARSDIR", "  /opt/stars  "},      // quotes keep the blanks
        {"VAZ", "extra", "from the second"},        // the second is searched too
        {"VAZ", "osMin", ""},                       // present and empty: no default
        {"General", "ppdir", "C:\\wrong"},        {"Other", "ppdir", "unclosed header"},
        {"Tail", "last", "no line end"},          {"VAZ", "missing", "default"},
        {"VAZ", "# starsdir", "default"},         {"VAZ", "odd line without equals", "default"},
    };
    for (const auto& [section, key, expected] : cases)
        EXPECT_EQ(settings.readString(section, key, "default"), expected) << section << "/" << key;
    EXPECT_EQ(settings.readInt("vaz", "MSMIN", 7), 12);
    EXPECT_EQ(settings.readInt("VAZ", "osMin", 7), 7);
    EXPECT_EQ(settings.readInt("VAZ", "osMax", 7), 7);
}

TEST(IniNumbers, IntegersAreTheLeadingNumber) {
    const std::pair<const char*, int> cases[] = {{"17abc", 17}, {"\t 9 ", 9}, {"+8", 8}, {"-5", -5}, {"0x1F", 0},
                                                 {"abc", 0}, {"- 5", 0}, {"99999999999999999999", INT_MAX},
                                                 {"-99999999999999999999", INT_MIN}};
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(leadingNumber(value), expected) << value;
}

TEST_F(IniFileTest, ValuesAreCutLikeAFixedBuffer) {
    scratch.write("VAZ.ini", "[VAZ]\nlong=" + std::string(600, 'x') + "\naccents=\xC3\xA9\xC3\xA9\xC3\xA9\n");
    const IniFile settings(path);
    EXPECT_EQ(settings.readString("VAZ", "long", ""), std::string(kSettingsValueCapacity - 1, 'x'));
    EXPECT_EQ(settings.readString("VAZ", "long", "", 1), "");
    EXPECT_EQ(settings.readString("VAZ", "long", "", 0), "");
    // Three bytes would end inside the second character: only the first stays.
    EXPECT_EQ(settings.readString("VAZ", "accents", "", 4), "\xC3\xA9");
    EXPECT_EQ(settings.readString("VAZ", "accents", "", 5), "\xC3\xA9\xC3\xA9");
    EXPECT_EQ(settings.readString("VAZ", "missing", "abcdef", 4), "abc");
}

TEST_F(IniFileTest, WritingChangesOneLineAndKeepsTheRest) {
    scratch.write("VAZ.ini", kMixedFile);
    IniFile settings(path);
    ASSERT_TRUE(settings.writeString("vaz", "PPDIR", "/new/dir"));
    ASSERT_TRUE(settings.writeString("VAZ", "dir", "hands"));
    ASSERT_TRUE(settings.writeString("Trainer", "level", "3"));
    ASSERT_TRUE(settings.writeString("tail", "added", "after the last line"));

    // Replaced in the first section, added after its last entry, a new section at the end.
    std::string expected = kMixedFile;
    expected.replace(expected.find("/home/anna/PartyPoker  "), 23, "/new/dir");
    expected.insert(expected.find("odd line"), "dir=hands\r\n");
    expected += "\r\nadded=after the last line\r\n\r\n[Trainer]\r\nlevel=3\r\n";
    EXPECT_EQ(readText(path), expected);
}

TEST_F(IniFileTest, AMissingFileReadsDefaultsIsCreatedOnWriteAndAwkwardValuesSurvive) {
    IniFile settings(path);
    EXPECT_EQ(settings.readString("VAZ", "ppdir", "none"), "none");
    EXPECT_FALSE(std::filesystem::exists(path));

    ASSERT_TRUE(settings.writeString("VAZ", "ppdir", "/games/party"));
    ASSERT_TRUE(settings.writeString("VAZ", "starsdir", "/games/stars"));
    ASSERT_TRUE(settings.writeString("VAZ", "ppdir", "/games/party2"));
    EXPECT_EQ(readText(path), "[VAZ]\nppdir=/games/party2\nstarsdir=/games/stars\n");

    const std::vector<std::string> values = {"  spaced  ", "\"quoted\"", "'single'", "\"", "a=b=c", "semi;colon",
                                             "#hash", "[bracket]", "", "\t"};
    for (std::size_t i = 0; i < values.size(); ++i) {
        ASSERT_TRUE(settings.writeString("VAZ", "key" + std::to_string(i), "first"));
        ASSERT_TRUE(settings.writeString("VAZ", "key" + std::to_string(i), values[i]));
    }
    for (std::size_t i = 0; i < values.size(); ++i)
        EXPECT_EQ(settings.readString("VAZ", "key" + std::to_string(i), "default"), values[i]) << "value " << i;
}

TEST_F(IniFileTest, TextThatWouldBreakTheFileIsRefused) {
    const std::string original = "[VAZ]\r\nppdir=/kept\r\n";
    scratch.write("VAZ.ini", original);
    IniFile settings(path);
    const std::tuple<std::string, std::string, std::string> cases[] = {
        {"VAZ", "ppdir", "two\nlines"}, {"VAZ", "ppdir", "carriage\rreturn"}, {"VAZ", "ppdir", std::string("nul\0byte", 8)},
        {"VA]Z", "ppdir", "x"},         {"", "ppdir", "x"},                   {" VAZ", "ppdir", "x"},
        {"VAZ", "", "x"},               {"VAZ", "a=b", "x"},                  {"VAZ", "[key", "x"},
        {"VAZ", ";key", "x"},           {"VAZ", "key ", "x"},
    };
    for (const auto& [section, key, value] : cases)
        EXPECT_FALSE(settings.writeString(section, key, value)) << section << "/" << key;
    EXPECT_EQ(readText(path), original);
}

TEST_F(IniFileTest, WritesLeaveNoTemporaryFilesAndKeepModeAndLink) {
    const std::string target = scratch.write("real.ini", "[VAZ]\nppdir=/old\n");
    ::chmod(target.c_str(), 0640);
    std::filesystem::create_symlink("real.ini", path);

    ASSERT_TRUE(IniFile(path).writeString("VAZ", "round", "4"));

    EXPECT_EQ(filesIn(scratch.path()), 2);
    EXPECT_TRUE(std::filesystem::is_symlink(path));
    EXPECT_EQ(readText(target), "[VAZ]\nppdir=/old\nround=4\n");
    struct stat status {};
    ASSERT_EQ(::stat(target.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640u);
}

TEST_F(IniFileTest, AFailedWriteLeavesTheOldFileWhole) {
    const std::string original = "; kept\n[VAZ]\nppdir=/old\n";
    scratch.write("VAZ.ini", original);
    IniFile settings(path);
    // Writes past 1000 bytes fail, as on a full disk.
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limited{1000, saved.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &limited);
    const bool written = settings.writeString("VAZ", "ppdir", std::string(5000, 'p'));
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_FALSE(written);
    EXPECT_EQ(readText(path), original);
    EXPECT_EQ(filesIn(scratch.path()), 1);

    // A directory that cannot exist.
    const std::string blocker = scratch.write("not-a-directory", "plain file");
    EXPECT_FALSE(IniFile(blocker + "/VAZ.ini").writeString("VAZ", "ppdir", "/x"));
    EXPECT_EQ(readText(blocker), "plain file");
}

TEST_F(IniFileTest, AnOversizedFileOrAPipeIsNeitherWaitedForNorRewrittenAndTheFailureIsToldOnce) {
    std::vector<std::string> told;
    IniFile::setWriteFailureNotice([&told](const std::string& reason) { told.push_back(reason); });
    std::string text = "[VAZ]\nppdir=/at/the/start\n";
    while (text.size() <= kSettingsFileLimit)
        text += "; " + std::string(98, 'c') + "\n";
    text += "late=beyond the limit\n";
    IniFile big(scratch.write("big.ini", text));
    EXPECT_EQ(big.readString("VAZ", "ppdir", ""), "/at/the/start");
    EXPECT_EQ(big.readString("VAZ", "late", "unseen"), "unseen");
    EXPECT_FALSE(big.writeString("VAZ", "ppdir", "/new"));
    EXPECT_TRUE(readText(big.path()) == text);

    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    IniFile pipe(path);
    EXPECT_EQ(pipe.readInt("VAZ", "msMin", 4), 4);  // returns at once: nobody writes to the pipe
    EXPECT_FALSE(pipe.writeString("VAZ", "msMin", "5"));
    struct stat status {};
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
    ASSERT_EQ(told.size(), 1u);
    EXPECT_NE(told[0].find(big.path()), std::string::npos) << told[0];
    IniFile::setWriteFailureNotice({});
}

// UTF-16 of ASCII text: each byte with a zero byte after (or before).
std::string utf16(const std::string& ascii, bool bigEndian) {
    std::string out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char c : ascii)
        out += bigEndian ? std::string{'\0', c} : std::string{c, '\0'};
    return out;
}

TEST_F(IniFileTest, AWriteKeepsTheEncodingLineEndsAndComments) {
    const std::string smiley = utf16("a=", false) + std::string("\x3D\xD8\x00\xDE", 4);  // U+1F600 as a surrogate pair
    const std::tuple<const char*, std::string, std::string, std::string> cases[] = {
        {"UTF-16 little-endian", utf16("[VAZ]\r\nppdir=/old\r\n", false), "/old", utf16("[VAZ]\r\nppdir=/new\r\n", false)},
        {"UTF-16 big-endian", utf16("[VAZ]\nppdir=/old", true), "/old", utf16("[VAZ]\nppdir=/new", true)},
        {"UTF-16 beyond 16 bits", smiley + utf16("\n[VAZ]\nppdir=/old", false).substr(2), "/old",
         smiley + utf16("\n[VAZ]\nppdir=/new", false).substr(2)},
        {"CR only", "[VAZ]\rmsMin=4\rppdir=/old\r", "/old", "[VAZ]\rmsMin=4\rppdir=/new\r"},
        {"a comment after the value", "[VAZ]\nppdir = /old   ; the client\n", "/old",
         "[VAZ]\nppdir = /new   ; the client\n"},
        {"a comment after a quoted value", "[VAZ]\nppdir=\" /old \" ;x\n", " /old ", "[VAZ]\nppdir=/new ;x\n"},
    };
    for (const auto& [what, before, value, after] : cases) {
        IniFile settings(scratch.write("VAZ.ini", before));
        EXPECT_EQ(settings.readString("VAZ", "ppdir", "none"), value) << what;
        ASSERT_TRUE(settings.writeString("VAZ", "ppdir", "/new")) << what;
        EXPECT_EQ(readText(path), after) << what;
    }
    // A value that would read as a comment is quoted.
    ASSERT_TRUE(IniFile(path).writeString("VAZ", "ppdir", "a ;b"));
    EXPECT_EQ(IniFile(path).readString("VAZ", "ppdir", ""), "a ;b");
}

}  // namespace
