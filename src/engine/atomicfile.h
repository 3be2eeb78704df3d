#pragma once
// Replacing a file so that it is always either the old or the new one, never
// a part of one: the bytes go to a sibling temporary file, which is synced
// and renamed over the target. A link is followed, the file's permissions
// are kept, and a failure removes the temporary file. Anything but a regular
// file (a device, a pipe, a directory) is refused and left alone.

#include <string>
#include <string_view>

namespace torvel {

struct AtomicWriteResult {
    bool ok = true;
    std::string reason;  // what went wrong, naming the file asked for (never the temporary one)
    explicit operator bool() const { return ok; }
};

AtomicWriteResult writeFileAtomically(const std::string& path, std::string_view bytes);

}  // namespace torvel
