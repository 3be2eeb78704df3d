#include "import/linereader.h"

#include <algorithm>
#include <cstring>

#include "engine/utf8.h"

namespace torvel::import {

namespace {

constexpr std::size_t kChunkSize = 64 * 1024;
constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kByteOrderMark = 0xFEFF;

// Windows-1252 0x80..0x9F; the five unassigned bytes keep their C1 code.
constexpr char16_t kWindows1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void trimTrailingBlanks(std::string& line) {
    std::size_t n = line.size();
    while (n > 0 && (line[n - 1] == ' ' || line[n - 1] == '\t'))
        --n;
    line.resize(n);
}

}  // namespace

bool isValidUtf8(const std::string& text) {
    const auto* s = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned char c = s[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t length = 0;
        char32_t lowest = 0;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
            lowest = 0x80;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            lowest = 0x800;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            lowest = 0x10000;
        } else {
            return false;
        }
        if (i + length > n)
            return false;
        char32_t code = c & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            if ((s[i + k] & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (s[i + k] & 0x3F);
        }
        if (code < lowest || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        i += length;
    }
    return true;
}

std::string windows1252ToUtf8(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 2);
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x80)
            out += ch;
        else if (c < 0xA0)
            appendUtf8(out, kWindows1252High[c - 0x80]);
        else
            appendUtf8(out, c);
    }
    return out;
}

std::string cutUtf8(const std::string& text, std::size_t maxBytes) {
    if (text.size() <= maxBytes)
        return text;
    std::size_t n = maxBytes;
    // Step back over continuation bytes to the start of the cut character.
    while (n > 0 && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80)
        --n;
    return text.substr(0, n);
}

LineReader::LineReader(std::istream& in) : in_(in), chunk_(kChunkSize) {}

bool LineReader::fill() {
    if (atEnd_)
        return false;
    const std::size_t left = end_ - pos_;
    if (left > 0 && pos_ > 0)
        std::memmove(chunk_.data(), chunk_.data() + pos_, left);
    pos_ = 0;
    end_ = left;
    if (!in_.good()) {
        atEnd_ = true;
        return false;
    }
    in_.read(chunk_.data() + end_, static_cast<std::streamsize>(chunk_.size() - end_));
    const std::streamsize got = in_.gcount();
    if (got <= 0) {
        atEnd_ = true;
        return false;
    }
    end_ += static_cast<std::size_t>(got);
    return true;
}

void LineReader::detectEncoding() {
    detected_ = true;
    while (end_ - pos_ < 4 && fill()) {
    }
    const auto* b = reinterpret_cast<const unsigned char*>(chunk_.data() + pos_);
    const std::size_t n = end_ - pos_;
    if (n >= 3 && b[0] == 0xEF && b[1] == 0xBB && b[2] == 0xBF) {
        pos_ += 3;
    } else if (n >= 2 && b[0] == 0xFF && b[1] == 0xFE) {
        encoding_ = TextEncoding::Utf16LittleEndian;
        pos_ += 2;
    } else if (n >= 2 && b[0] == 0xFE && b[1] == 0xFF) {
        encoding_ = TextEncoding::Utf16BigEndian;
        pos_ += 2;
    } else if (n >= 4 && b[0] != 0 && b[1] == 0 && b[2] != 0 && b[3] == 0) {
        // Text that lost its byte-order mark still shows its zero high bytes.
        encoding_ = TextEncoding::Utf16LittleEndian;
    } else if (n >= 4 && b[0] == 0 && b[1] != 0 && b[2] == 0 && b[3] != 0) {
        encoding_ = TextEncoding::Utf16BigEndian;
    }
}

bool LineReader::next(std::string& line) {
    if (!detected_)
        detectEncoding();
    line.clear();
    return encoding_ == TextEncoding::Utf8 ? nextEightBit(line) : nextUtf16(line);
}

void LineReader::finishLine(std::string& line) {
    // NUL bytes (padding at the end of a file) and byte-order marks of
    // files that were glued together carry nothing.
    if (line.find('\0') != std::string::npos)
        line.erase(std::remove(line.begin(), line.end(), '\0'), line.end());
    for (std::size_t at = line.find("\xEF\xBB\xBF"); at != std::string::npos; at = line.find("\xEF\xBB\xBF"))
        line.erase(at, 3);
    if (!isValidUtf8(line))
        line = windows1252ToUtf8(line);
    trimTrailingBlanks(line);
}

bool LineReader::nextEightBit(std::string& line) {
    bool any = false;
    for (;;) {
        if (pos_ == end_ && !fill()) {
            if (!any)
                return false;
            finishLine(line);
            return true;
        }
        if (afterCarriageReturn_) {
            afterCarriageReturn_ = false;
            if (chunk_[pos_] == '\n') {
                ++pos_;
                continue;
            }
        }
        const char* begin = chunk_.data() + pos_;
        const char* end = chunk_.data() + end_;
        const char* p = begin;
        while (p < end && *p != '\n' && *p != '\r')
            ++p;
        const auto length = static_cast<std::size_t>(p - begin);
        const std::size_t room = kMaxLineLength > line.size() ? kMaxLineLength - line.size() : 0;
        line.append(begin, std::min(length, room));
        pos_ += length;
        any = true;
        if (p < end) {
            afterCarriageReturn_ = *p == '\r';
            ++pos_;
            finishLine(line);
            return true;
        }
    }
}

void LineReader::appendCodePoint(std::string& line, char32_t c) const {
    if (c == 0 || c == kByteOrderMark || line.size() + 4 > kMaxLineLength)
        return;
    appendUtf8(line, c);
}

bool LineReader::nextUtf16(std::string& line) {
    const bool little = encoding_ == TextEncoding::Utf16LittleEndian;
    auto readUnit = [&](char16_t& unit) {
        if (end_ - pos_ < 2 && !fill())
            return false;
        if (end_ - pos_ < 2)
            return false;
        const auto b0 = static_cast<unsigned char>(chunk_[pos_]);
        const auto b1 = static_cast<unsigned char>(chunk_[pos_ + 1]);
        unit = static_cast<char16_t>(little ? (b0 | (b1 << 8)) : ((b0 << 8) | b1));
        pos_ += 2;
        return true;
    };
    bool any = false;
    char16_t unit = 0;
    for (;;) {
        if (!readUnit(unit)) {
            // An odd byte left at the end is dropped.
            pos_ = end_;
            if (!any)
                return false;
            trimTrailingBlanks(line);
            return true;
        }
        if (afterCarriageReturn_) {
            afterCarriageReturn_ = false;
            if (unit == u'\n')
                continue;
        }
        any = true;
        if (unit == u'\n' || unit == u'\r') {
            afterCarriageReturn_ = unit == u'\r';
            trimTrailingBlanks(line);
            return true;
        }
        if (unit >= 0xD800 && unit <= 0xDBFF) {
            char16_t low = 0;
            if (readUnit(low)) {
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    appendCodePoint(line, 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (low - 0xDC00));
                    continue;
                }
                // Not a pair: the lone half is replaced, the unit after it is
                // read again as itself.
                pos_ -= 2;
            }
            appendCodePoint(line, kReplacement);
        } else if (unit >= 0xDC00 && unit <= 0xDFFF) {
            appendCodePoint(line, kReplacement);
        } else {
            appendCodePoint(line, unit);
        }
    }
}

}  // namespace torvel::import
