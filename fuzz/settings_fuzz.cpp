// The settings-file parser on arbitrary bytes: a file read and written back
// unchanged is the same file, and a value set is the value read.
#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "settings/inifile.h"

namespace {

void require(bool condition) {
    if (!condition)
        std::abort();
}

bool sameNameNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    torvel::IniDocument document = torvel::IniDocument::parse(text);
    // A UTF-16 file that does not decode whole is only read, never written.
    require(!document.whole() || document.text() == text);

    // Names and a value taken from the input itself, so the fuzzer can aim
    // them at what the file holds.
    const std::size_t third = size / 3;
    const std::string section(text.substr(0, std::min<std::size_t>(third, 12)));
    const std::string key(text.substr(third, std::min<std::size_t>(third, 12)));
    const std::string value(text.substr(2 * third, 40));
    const auto before = document.find("VAZ", "ppdir");
    (void)document.find(section, key);

    if (!document.set(section, key, value))
        return 0;
    const torvel::IniDocument reread = torvel::IniDocument::parse(document.text());
    const auto found = reread.find(section, key);
    require(found.has_value() && *found == value);
    // Setting one key leaves another as it was.
    if (!sameNameNoCase(section, "VAZ") || !sameNameNoCase(key, "ppdir"))
        require(reread.find("VAZ", "ppdir") == before);
    return 0;
}
