// Decoding: the same lines whatever encoding and line ends a client wrote.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "import/linereader.h"
#include "importtestsupport.h"

using namespace torvel::import;
using torvel::testing::utf16;
using namespace std::string_literals;

namespace {

std::vector<std::string> linesOf(const std::string& bytes) {
    std::istringstream in(bytes);
    LineReader reader(in);
    std::vector<std::string> lines;
    std::string line;
    while (reader.next(line))
        lines.push_back(line);
    return lines;
}

TEST(LineReader, DecodesEveryEncodingAndLineEnd) {
    const struct {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;
    } cases[] = {
        {"LF without a final line end", "Seat 1\nSeat 2", {"Seat 1", "Seat 2"}},
        {"lone CR", "Seat 1\rSeat 2\r", {"Seat 1", "Seat 2"}},
        {"mixed", "a\r\nb\nc\rd\r\n", {"a", "b", "c", "d"}},
        {"empty lines kept", "a\r\n\r\n\nb", {"a", "", "", "b"}},
        {"trailing blanks", "Seat 1: Bob (1500 in chips) \t \r\n", {"Seat 1: Bob (1500 in chips)"}},
        {"NUL padding at the end", "a\r\nb\0\0\0"s, {"a", "b"}},
        {"UTF-8 byte-order mark", "\xEF\xBB\xBFPokerStars Game #1\r\n", {"PokerStars Game #1"}},
        {"mark of a glued file mid-stream", "a\n\xEF\xBB\xBFPokerStars\n", {"a", "PokerStars"}},
        {"UTF-8 names", "J\xC3\xB6ran \xE2\x82\xAC\n", {"J\xC3\xB6ran \xE2\x82\xAC"}},
        {"Windows-1252 names", "J\xF6ran \x80 M\xFCller\r\n", {"J\xC3\xB6ran \xE2\x82\xAC M\xC3\xBC" "ller"}},
        {"an overlong sequence is not UTF-8", "\xC0\xAF\n", {"\xC3\x80\xC2\xAF"}},
        {"UTF-16LE with mark", "\xFF\xFE"s + utf16(u"Full Tilt\r\nSeat 1: M\u00FCller\r\n", true),
         {"Full Tilt", "Seat 1: M\xC3\xBCller"}},
        {"UTF-16BE with mark", "\xFE\xFF"s + utf16(u"a\nb\rc", false), {"a", "b", "c"}},
        {"UTF-16LE without mark", utf16(u"Full Tilt Poker\r\nx", true), {"Full Tilt Poker", "x"}},
        {"UTF-16 surrogate pair", "\xFF\xFE"s + utf16(u"card \U0001F0A1\n", true), {"card \xF0\x9F\x82\xA1"}},
        {"UTF-16 lone surrogate", "\xFF\xFE"s + utf16(u"a\xD800" u"b\n", true), {"a\xEF\xBF\xBD" "b"}},
        {"UTF-16 odd last byte", "\xFF\xFE"s + utf16(u"ab", true) + "\x41", {"ab"}},
        {"empty", "", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(linesOf(c.bytes), c.lines) << c.name;
}

TEST(LineReader, LongLinesAreCutAndTheNextLineSurvives) {
    EXPECT_EQ(linesOf(std::string(1'000'000, 'x') + "\r\nnext\r\n"),
              (std::vector<std::string>{std::string(kMaxLineLength, 'x'), "next"}));
}

TEST(LineReader, CrLfSplitAcrossReadChunksIsOneLineEnd) {
    // Read 64 KiB at a time: the CR ends the first chunk, the LF starts the second.
    std::string bytes;
    while (bytes.size() < 65536 - 200)
        bytes += std::string(98, 'a') + "\r\n";
    bytes += std::string(65535 - bytes.size(), 'b') + "\r\nlast\r\n";
    ASSERT_EQ(bytes[65535], '\r');
    const auto lines = linesOf(bytes);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[lines.size() - 2].find_first_not_of('b'), std::string::npos);
    EXPECT_EQ(lines.back(), "last");
}

TEST(LineReader, Utf16PairSplitAcrossReadChunksIsOneCharacter) {
    // Mark plus 32766 units fill the first chunk but for the pair's high half.
    std::u16string text;
    while (text.size() + 4 <= 32766)
        text += u"ab\r\n";
    text += std::u16string(32766 - text.size(), u'z');
    text += u"\U0001F0A1\r\n";
    const auto lines = linesOf("\xFF\xFE"s + utf16(text, true));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), std::string(2, 'z') + "\xF0\x9F\x82\xA1");
}

TEST(LineReader, AStreamThatFailedReadsAsEmpty) {
    std::istringstream in("PokerStars Game #1\n");
    in.setstate(std::ios::failbit);
    std::string line;
    EXPECT_FALSE(LineReader(in).next(line));
}

TEST(CutUtf8, NeverSplitsACharacter) {
    EXPECT_EQ(cutUtf8("M\xC3\xBCller", 2), "M");
    EXPECT_EQ(cutUtf8("M\xC3\xBCller", 3), "M\xC3\xBC");
    EXPECT_EQ(cutUtf8("abc", 10), "abc");
    EXPECT_EQ(cutUtf8("\xF0\x9F\x82\xA1x", 3), "");
}

}  // namespace
