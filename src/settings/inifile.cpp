#include "settings/inifile.h"

#include <algorithm>
#include <cerrno>
#include <climits>

#include <fcntl.h>
#include <unistd.h>

#include "engine/atomicfile.h"

namespace torvel {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
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

// Quotes are how a value keeps outer blanks, or outer quotes of its own,
// through a write and a read.
std::string encodedValue(std::string_view value) {
    const bool outerBlank = !value.empty() && (kBlanks.find(value.front()) != std::string_view::npos ||
                                               kBlanks.find(value.back()) != std::string_view::npos);
    const bool outerQuotes = value.size() >= 2 && isQuote(value.front()) && value.front() == value.back();
    std::string encoded;
    if (outerBlank || outerQuotes)
        encoded += '"';
    encoded += value;
    if (outerBlank || outerQuotes)
        encoded += '"';
    return encoded;
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
    return line;
}

IniDocument IniDocument::parse(std::string_view text) {
    IniDocument document;
    if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
        document.byteOrderMark_ = true;
        text.remove_prefix(kByteOrderMark.size());
    }
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        if (newline == std::string_view::npos) {
            document.lines_.push_back(classify(std::string(text), {}));
            break;
        }
        const bool crlf = newline > 0 && text[newline - 1] == '\r';
        const std::size_t contentLength = crlf ? newline - 1 : newline;
        document.lines_.push_back(classify(std::string(text.substr(0, contentLength)), crlf ? "\r\n" : "\n"));
        text.remove_prefix(newline + 1);
    }
    return document;
}

std::string IniDocument::text() const {
    std::string out;
    if (byteOrderMark_)
        out += kByteOrderMark;
    for (const Line& line : lines_) {
        out += line.content;
        out += line.end;
    }
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
    return decodedValue(std::string_view(line.content).substr(line.valueStart));
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
    const std::string encoded = encodedValue(value);

    const std::size_t entry = findEntry(section, key);
    if (entry != std::string::npos) {
        Line& line = lines_[entry];
        line.content = line.content.substr(0, line.valueStart) + encoded;
        return true;
    }

    const std::string end = newLineEnd();
    std::string entryText(key);
    entryText += '=';
    entryText += encoded;
    Line added = classify(std::move(entryText), end);
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
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return errno == ENOENT ? ReadResult::Missing : ReadResult::Failed;
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

bool IniFile::writeString(std::string_view section, std::string_view key, std::string_view value) {
    if (!IniDocument::acceptable(section, key, value))
        return false;
    bool complete = true;
    std::optional<IniDocument> document = load(complete);
    // A file we could not read whole must not be replaced by what we did read.
    if (!document || !complete)
        return false;
    if (!document->set(section, key, value))
        return false;
    return writeFileAtomically(path_, document->text()).ok;
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
