#pragma once
// The settings file "VAZ.ini": read a string or a number from a section,
// write a string, and leave every other byte of the file as it was.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace torvel {

inline constexpr char kSettingsFileName[] = "VAZ.ini";
inline constexpr char kSettingsSection[] = "VAZ";
// Settings values are held in 512-byte buffers: 511 characters and the end.
inline constexpr std::size_t kSettingsValueCapacity = 512;
// A settings file is a few lines; anything larger is read only this far and
// never rewritten, so a stray huge file is neither loaded whole nor cut short.
inline constexpr std::size_t kSettingsFileLimit = 1024 * 1024;

// The text of an INI file split into lines, each kept with its own line end
// (LF, CR LF or CR), so that writing one value changes one line and nothing
// else. Section and key names match without regard to ASCII case; the first
// match counts. A ";" after a blank starts a comment that is no part of the
// value and stays when the value is replaced. UTF-8 (with or without a
// byte-order mark) and UTF-16 with a byte-order mark are read and written
// back in the encoding they came in.
class IniDocument {
public:
    static IniDocument parse(std::string_view text);

    // The value as the file holds it: outer blanks trimmed, and one pair of
    // matching outer quotes removed. Nothing when the key is absent.
    std::optional<std::string> find(std::string_view section, std::string_view key) const;

    // Replaces the value of the key in place, or adds the key at the end of
    // its section, or adds the section at the end of the file. Refuses names
    // and values that would change the shape of the file (line breaks, "]" in
    // a section name, "=" in a key, empty names).
    bool set(std::string_view section, std::string_view key, std::string_view value);

    // The whole file, in its own encoding; byte for byte the parsed text
    // when nothing was set.
    std::string text() const;
    // False when the bytes could not all be decoded (a UTF-16 file cut in a
    // character): such a file must not be rewritten.
    bool whole() const { return whole_; }

    static bool acceptable(std::string_view section, std::string_view key, std::string_view value);

private:
    enum class Kind { Other, Section, Entry };
    struct Line {
        std::string content;  // without its line end
        std::string end;      // "\n", "\r\n", "\r" or "" for a last line without one
        Kind kind = Kind::Other;
        std::string name;            // section name or key, trimmed
        std::size_t valueStart = 0;  // entries: where the value begins in content
        std::size_t valueEnd = 0;    // entries: where it ends (a comment may follow)
    };
    enum class Encoding { Utf8, Utf8WithMark, Utf16LittleEndian, Utf16BigEndian };

    static Line classify(std::string content, std::string end);
    // Index of the entry line of the key, or of the section line to add it
    // after; npos when the section is missing.
    std::size_t findEntry(std::string_view section, std::string_view key) const;
    std::size_t findSection(std::string_view section) const;
    std::string newLineEnd() const;

    std::vector<Line> lines_;
    Encoding encoding_ = Encoding::Utf8;
    bool whole_ = true;
};

// The settings file on disk. Every call reads the file afresh, so edits made
// elsewhere in the program are always seen; every write replaces the file
// atomically (temporary file, then rename).
class IniFile {
public:
    explicit IniFile(std::string path);

    const std::string& path() const { return path_; }

    // The value, or the default when the key or the file is missing; cut to
    // capacity - 1 bytes (never inside a UTF-8 character), like a fixed buffer.
    std::string readString(std::string_view section, std::string_view key, std::string_view defaultValue,
                           std::size_t capacity = kSettingsValueCapacity) const;

    // The leading number of the value ("12abc" gives 12, "abc" gives 0); the
    // default when the key is missing or empty. Held to the range of int.
    int readInt(std::string_view section, std::string_view key, int defaultValue) const;

    // Creates the file when missing. False when the file cannot be written
    // (the old file then stays as it was) or when the text is not acceptable;
    // the first failed write of a run is also told to the notice below.
    bool writeString(std::string_view section, std::string_view key, std::string_view value);

    // Receives the reason the first time in a run that settings cannot be
    // written, so the program can say so once and carry on.
    static void setWriteFailureNotice(std::function<void(const std::string& reason)> notice);

private:
    std::optional<IniDocument> load(bool& complete) const;

    std::string path_;
};

// The text cut to capacity - 1 bytes, like a copy into a fixed buffer, but
// never inside a UTF-8 character.
std::string fittedToCapacity(std::string text, std::size_t capacity = kSettingsValueCapacity);

// The leading decimal number of a text, with optional blanks and sign first;
// 0 when there is none. Held to the range of int.
int leadingNumber(std::string_view text);

}  // namespace torvel
