#pragma once
// Turns the bytes of a hand-history file into lines of UTF-8 text, whatever
// the client wrote: UTF-8 with or without a byte-order mark, Windows-1252,
// UTF-16 of either byte order, CR LF, LF or lone CR line ends. Reads the
// stream in chunks, so memory does not grow with the file.

#include <cstddef>
#include <istream>
#include <string>
#include <vector>

namespace torvel::import {

enum class TextEncoding { Utf8, Utf16LittleEndian, Utf16BigEndian };

// Longer lines are cut here; no client writes lines anywhere near it.
inline constexpr std::size_t kMaxLineLength = 16 * 1024;

class LineReader {
public:
    explicit LineReader(std::istream& in);

    // The next line without its line end, trailing blanks, NUL bytes and
    // byte-order marks. False at the end of the stream.
    bool next(std::string& line);

    TextEncoding encoding() const { return encoding_; }

private:
    bool fill();
    void detectEncoding();
    bool nextEightBit(std::string& line);
    bool nextUtf16(std::string& line);
    void appendCodePoint(std::string& line, char32_t c) const;
    static void finishLine(std::string& line);

    std::istream& in_;
    std::vector<char> chunk_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    bool atEnd_ = false;
    bool detected_ = false;
    // A CR ended the last line: a LF right after it belongs to that line end.
    bool afterCarriageReturn_ = false;
    TextEncoding encoding_ = TextEncoding::Utf8;
};

// True when text is well-formed UTF-8.
bool isValidUtf8(const std::string& text);
// Windows-1252 bytes as UTF-8.
std::string windows1252ToUtf8(const std::string& text);
// Cuts text to at most maxBytes without splitting a UTF-8 sequence.
std::string cutUtf8(const std::string& text, std::size_t maxBytes);

}  // namespace torvel::import
