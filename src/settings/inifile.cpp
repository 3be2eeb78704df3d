#include "settings/inifile.h"

#include <algorithm>
#include <cerrno>
#include <climits>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/atomicfile.h"
#include "engine/utf8.h"

namespace torvel {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";
constexpr std::string_view kBlanks = " \t\r\v\f";

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos)
        return {};
    const std::size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

char lowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool sameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (lowerAscii(a[i]) != lowerAscii(b[i]))
            return false;
    return true;
}

bool isQuote(char c) {
    return c == '"' || c == '\'';
}

bool isBlank(char c) { return c == ' ' || c == '\t'; }

// Where a comment starts in text: the blanks before a ";"; npos when none.
std::size_t commentStart(std::string_view text, std::size_t from) {
    for (std::size_t at = std::max<std::size_t>(from, 1); at < text.size(); ++at)
        if (text[at] == ';' && isBlank(text[at - 1])) {
            while (at > from && isBlank(text[at - 1]))
                --at;
            return at;
        }
    return std::string_view::npos;
}

// Quotes are how a value keeps outer blanks, outer quotes of its own or a
// blank and ";" (else read as a comment) through a write and a read.
bool needsQuotes(std::string_view value) {
    const bool outerBlank = !value.empty() && (kBlanks.find(value.front()) != std::string_view::npos ||
                                               kBlanks.find(value.back()) != std::string_view::npos);
    const bool outerQuotes = value.size() >= 2 && isQuote(value.front()) && value.front() == value.back();
    return outerBlank || outerQuotes || commentStart(value, 0) != std::string_view::npos;
}

// UTF-16 (after its mark) to UTF-8; false when the text ends inside a
// character. A lone surrogate becomes U+FFFD.
bool utf16ToUtf8(std::string_view bytes, bool bigEndian, std::string& out) {
    auto unit = [&](std::size_t i) {
        const auto first = static_cast<unsigned char>(bytes[i]), second = static_cast<unsigned char>(bytes[i + 1]);
        return static_cast<char32_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    };
    std::size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < bytes.size() && unit(i + 2) >= 0xDC00 && unit(i + 2) <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        appendUtf8(out, c);
    }
    return i == bytes.size();
}

// UTF-8 to UTF-16 with its mark; bytes that are no UTF-8 become U+FFFD.
std::string utf8ToUtf16(std::string_view text, bool bigEndian) {
    std::string out(bigEndian ? kUtf16BigEndianMark : kUtf16LittleEndianMark);
    auto put = [&](char32_t u) {
        const auto high = static_cast<char>(u >> 8), low = static_cast<char>(u & 0xFF);
        out += bigEndian ? high : low;
        out += bigEndian ? low : high;
    };
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80            ? 1
                           : (lead >> 5) == 0x6   ? 2
                           : (lead >> 4) == 0xE   ? 3
                           : (lead >> 3) == 0x1E ? 4
                                                 : 0;
        char32_t c = 0xFFFD;
        bool valid = length > 0 && i + static_cast<std::size_t>(length) <= text.size();
        if (valid) {
            c = length == 1 ? lead : lead & (0x7F >> length);
            for (int k = 1; k < length && valid; ++k) {
                const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
                valid = (next & 0xC0) == 0x80;
                c = (c << 6) | (next & 0x3F);
            }
        }
        if (!valid || c > 0x10FFFF) {
            c = 0xFFFD;
            i += 1;
        } else {
            i += static_cast<std::size_t>(length);
        }
        if (c >= 0x10000) {
            put(0xD800 + ((c - 0x10000) >> 10));
            put(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            put(c);
        }
    }
    return out;
}

std::string decodedValue(std::string_view raw) {
    std::string_view value = trimmed(raw);
    if (value.size() >= 2 && isQuote(value.front()) && value.front() == value.back())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

bool hasLineBreakOrNul(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

}  // namespace

IniDocument::Line IniDocument::classify(std::string content, std::string end) {
    Line line;
    line.content = std::move(content);
    line.end = std::move(end);
    const std::string_view text = trimmed(line.content);
    if (text.empty() || text.front() == ';' || text.front() == '#')
        return line;
    if (text.front() == '[') {
        const std::size_t close = text.find(']');
        line.kind = Kind::Section;
        line.name = std::string(trimmed(text.substr(1, close == std::string_view::npos ? std::string_view::npos : close - 1)));
        return line;
    }
    const std::size_t equals = line.content.find('=');
    if (equals == std::string::npos)
        return line;
    const std::string_view key = trimmed(std::string_view(line.content).substr(0, equals));
    if (key.empty())
        return line;
    line.kind = Kind::Entry;
    line.name = std::string(key);
    std::size_t valueStart = equals + 1;
    while (valueStart < line.content.size() && (line.content[valueStart] == ' ' || line.content[valueStart] == '\t'))
        ++valueStart;
    line.valueStart = valueStart;
    line.valueEnd = line.content.size();
    const std::string_view raw = line.content;
    // A quoted value ends at the first matching quote that only blanks or a
    // comment follow.
    if (valueStart < raw.size() && isQuote(raw[valueStart]))
        for (std::size_t close = raw.find(raw[valueStart], valueStart + 1); close != std::string_view::npos;
             close = raw.find(raw[valueStart], close + 1)) {
            const std::string_view after = trimmed(raw.substr(close + 1));
            if (after.empty())
                return line;
            if (after.front() == ';') {
                line.valueEnd = close + 1;
                return line;
            }
        }
    if (const std::size_t comment = commentStart(raw, valueStart); comment != std::string_view::npos)
        line.valueEnd = comment;
    return line;
}

IniDocument IniDocument::parse(std::string_view text) {
    IniDocument document;
    std::string decoded;
    if (text.starts_with(kByteOrderMark)) {
        document.encoding_ = Encoding::Utf8WithMark;
        text.remove_prefix(kByteOrderMark.size());
    } else if (text.starts_with(kUtf16LittleEndianMark) || text.starts_with(kUtf16BigEndianMark)) {
        const bool bigEndian = text.starts_with(kUtf16BigEndianMark);
        document.encoding_ = bigEndian ? Encoding::Utf16BigEndian : Encoding::Utf16LittleEndian;
        // What does not come back byte for byte (a cut or lone surrogate)
        // must not be rewritten.
        document.whole_ = utf16ToUtf8(text.substr(2), bigEndian, decoded) && utf8ToUtf16(decoded, bigEndian) == text;
        text = decoded;
    }
    while (!text.empty()) {
        const std::size_t breakAt = text.find_first_of("\r\n");
        if (breakAt == std::string_view::npos) {
            document.lines_.push_back(classify(std::string(text), {}));
            break;
        }
        const bool crlf = text[breakAt] == '\r' && breakAt + 1 < text.size() && text[breakAt + 1] == '\n';
        const std::string_view end = text.substr(breakAt, crlf ? 2 : 1);
        document.lines_.push_back(classify(std::string(text.substr(0, breakAt)), std::string(end)));
        text.remove_prefix(breakAt + end.size());
    }
    return document;
}

std::string IniDocument::text() const {
    std::string out;
    if (encoding_ == Encoding::Utf8WithMark)
        out += kByteOrderMark;
    for (const Line& line : lines_) {
        out += line.content;
        out += line.end;
    }
    if (encoding_ == Encoding::Utf16LittleEndian || encoding_ == Encoding::Utf16BigEndian)
        return utf8ToUtf16(out, encoding_ == Encoding::Utf16BigEndian);
    return out;
}

std::size_t IniDocument::findSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].kind == Kind::Section && sameName(lines_[i].name, section))
            return i;
    return std::string::npos;
}

std::size_t IniDocument::findEntry(std::string_view section, std::string_view key) const {
    bool inSection = false;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const Line& line = lines_[i];
        if (line.kind == Kind::Section)
            inSection = sameName(line.name, section);
        else if (inSection && line.kind == Kind::Entry && sameName(line.name, key))
            return i;
    }
    return std::string::npos;
}

std::optional<std::string> IniDocument::find(std::string_view section, std::string_view key) const {
    if (section.empty() || key.empty())
        return std::nullopt;
    const std::size_t at = findEntry(section, key);
    if (at == std::string::npos)
        return std::nullopt;
    const Line& line = lines_[at];
    return decodedValue(std::string_view(line.content).substr(line.valueStart, line.valueEnd - line.valueStart));
}

std::string IniDocument::newLineEnd() const {
    for (const Line& line : lines_)
        if (!line.end.empty())
            return line.end;
    return "\n";
}

bool IniDocument::acceptable(std::string_view section, std::string_view key, std::string_view value) {
    if (section.empty() || trimmed(section) != section || hasLineBreakOrNul(section) ||
        section.find(']') != std::string_view::npos)
        return false;
    if (key.empty() || trimmed(key) != key || hasLineBreakOrNul(key) || key.find('=') != std::string_view::npos ||
        key.front() == '[' || key.front() == ';' || key.front() == '#')
        return false;
    return !hasLineBreakOrNul(value);
}

bool IniDocument::set(std::string_view section, std::string_view key, std::string_view value) {
    if (!acceptable(section, key, value))
        return false;
    // A UTF-16 file holds only what UTF-8 can say.
    if (encoding_ == Encoding::Utf16LittleEndian || encoding_ == Encoding::Utf16BigEndian)
        for (const std::string_view text : {section, key, value}) {
            std::string back;
            if (!utf16ToUtf8(utf8ToUtf16(text, false).substr(2), false, back) || back != text)
                return false;
        }
    // The value as it would stand between prefix and suffix: bare, in double
    // or in single quotes, whichever reads back as the value.
    auto lineWith = [value](const std::string& prefix, std::string_view suffix, const std::string& end) {
        std::optional<Line> fitting;
        for (const char quote : {'\0', '"', '\''}) {
            if (quote == '\0' && needsQuotes(value))
                continue;
            std::string content = prefix;
            if (quote != '\0')
                content += quote;
            content += value;
            if (quote != '\0')
                content += quote;
            content += suffix;
            Line candidate = classify(std::move(content), end);
            const std::string_view raw = std::string_view(candidate.content)
                                             .substr(candidate.valueStart, candidate.valueEnd - candidate.valueStart);
            if (candidate.kind == Kind::Entry && decodedValue(raw) == value) {
                fitting = std::move(candidate);
                break;
            }
        }
        return fitting;
    };

    const std::size_t entry = findEntry(section, key);
    if (entry != std::string::npos) {
        Line& line = lines_[entry];
        std::optional<Line> changed = lineWith(line.content.substr(0, line.valueStart),
                                               std::string_view(line.content).substr(line.valueEnd), line.end);
        if (!changed)
            return false;
        line = std::move(*changed);
        return true;
    }

    const std::string end = newLineEnd();
    std::optional<Line> fitting = lineWith(std::string(key) + '=', {}, end);
    if (!fitting)
        return false;
    Line added = std::move(*fitting);
    const std::size_t header = findSection(section);
    if (header != std::string::npos) {
        // After the section's last entry, so that blank lines and comments
        // that lead into the next section stay with it.
        std::size_t after = header;
        for (std::size_t i = header + 1; i < lines_.size() && lines_[i].kind != Kind::Section; ++i)
            if (lines_[i].kind == Kind::Entry)
                after = i;
        if (lines_[after].end.empty())
            lines_[after].end = end;
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(after + 1), std::move(added));
        return true;
    }

    if (!lines_.empty()) {
        if (lines_.back().end.empty())
            lines_.back().end = end;
        if (!trimmed(lines_.back().content).empty())
            lines_.push_back(classify({}, end));
    }
    std::string sectionLine = "[";
    sectionLine += section;
    sectionLine += ']';
    lines_.push_back(classify(std::move(sectionLine), end));
    lines_.push_back(std::move(added));
    return true;
}

namespace {

enum class ReadResult { Read, Missing, Failed };

// At most limit bytes of the file.
ReadResult readFilePrefix(const std::string& path, std::size_t limit, std::string& out) {
    out.clear();
    // Opening a pipe would wait for a writer: never block, read only files.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return ReadResult::Failed;
    }
    ReadResult result = ReadResult::Read;
    char piece[8192];
    while (out.size() < limit) {
        const std::size_t wanted = std::min(sizeof piece, limit - out.size());
        const ssize_t got = ::read(fd, piece, wanted);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            result = ReadResult::Failed;
            break;
        }
        if (got == 0)
            break;
        out.append(piece, static_cast<std::size_t>(got));
    }
    ::close(fd);
    return result;
}

}  // namespace

IniFile::IniFile(std::string path) : path_(std::move(path)) {}

std::optional<IniDocument> IniFile::load(bool& complete) const {
    std::string bytes;
    complete = true;
    switch (readFilePrefix(path_, kSettingsFileLimit + 1, bytes)) {
    case ReadResult::Missing:
        return IniDocument::parse({});
    case ReadResult::Failed:
        return std::nullopt;
    case ReadResult::Read:
        break;
    }
    if (bytes.size() > kSettingsFileLimit) {
        complete = false;
        bytes.resize(kSettingsFileLimit);
    }
    return IniDocument::parse(bytes);
}

std::string IniFile::readString(std::string_view section, std::string_view key, std::string_view defaultValue,
                                std::size_t capacity) const {
    bool complete = true;
    const std::optional<IniDocument> document = load(complete);
    std::optional<std::string> found;
    if (document)
        found = document->find(section, key);
    return fittedToCapacity(found ? std::move(*found) : std::string(defaultValue), capacity);
}

int IniFile::readInt(std::string_view section, std::string_view key, int defaultValue) const {
    bool complete = true;
    const std::optional<IniDocument> document = load(complete);
    if (!document)
        return defaultValue;
    const std::optional<std::string> value = document->find(section, key);
    if (!value || value->empty())
        return defaultValue;
    return leadingNumber(*value);
}

namespace {

std::function<void(const std::string&)>& writeFailureNotice() {
    static std::function<void(const std::string&)> notice;
    return notice;
}

bool writeFailed(const std::string& reason) {
    static bool told = false;
    if (!told && writeFailureNotice()) {
        told = true;
        writeFailureNotice()(reason);
    }
    return false;
}

}  // namespace

void IniFile::setWriteFailureNotice(std::function<void(const std::string& reason)> notice) {
    writeFailureNotice() = std::move(notice);
}

bool IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    if (!IniDocument::acceptable(section, key, value))
        return false;
    bool complete = true;
    std::optional<IniDocument> document = load(complete);
    // A file we could not read whole must not be replaced by what we did read.
    if (!document)
        return writeFailed("cannot read " + path_ + ": it is no readable file");
    if (!complete)
        return writeFailed(path_ + " is larger than " + std::to_string(kSettingsFileLimit / (1024 * 1024)) +
                           " MB and is not rewritten");
    if (!document->whole())
        return writeFailed(path_ + " holds UTF-16 text that does not decode whole and is not rewritten");
    if (!document->set(section, key, value))
        return false;
    if (const AtomicWriteResult written = writeFileAtomically(path_, document->text()); !written)
        return writeFailed(written.reason);
    return true;
}

std::string fittedToCapacity(std::string text, std::size_t capacity) {
    if (capacity == 0)
        return {};
    if (text.size() > capacity - 1) {
        std::size_t cut = capacity - 1;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80)
            --cut;
        text.resize(cut);
    }
    return text;
}

int leadingNumber(std::string_view text) {
    std::size_t at = 0;
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t'))
        ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '-' || text[at] == '+')) {
        negative = text[at] == '-';
        ++at;
    }
    long long magnitude = 0;
    const long long limit = negative ? -static_cast<long long>(INT_MIN) : INT_MAX;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        magnitude = magnitude * 10 + (text[at] - '0');
        if (magnitude >= limit) {
            magnitude = limit;
            break;
        }
    }
    return static_cast<int>(negative ? -magnitude : magnitude);
}

}  // namespace torvel
