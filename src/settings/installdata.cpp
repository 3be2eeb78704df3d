#include "settings/installdata.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>

namespace torvel::settings {

namespace fs = std::filesystem;

namespace {

bool sameContent(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    if (!fs::is_regular_file(b, ec) || fs::file_size(a, ec) != fs::file_size(b, ec) || ec) return false;
    std::ifstream left(a, std::ios::binary), right(b, std::ios::binary);
    return std::equal(std::istreambuf_iterator<char>(left), std::istreambuf_iterator<char>(),
                      std::istreambuf_iterator<char>(right), std::istreambuf_iterator<char>());
}

// Through a temporary file and a rename, so an interrupted refresh never
// leaves a torn table that the next start would refuse.
std::string refresh(const fs::path& from, const fs::path& to) {
    if (sameContent(from, to)) return {};
    std::error_code ec;
    fs::path temporary = to;
    temporary += ".new";
    fs::copy_file(from, temporary, fs::copy_options::overwrite_existing, ec);
    if (!ec) fs::rename(temporary, to, ec);
    if (ec) {
        fs::remove(temporary, ec);
        return "cannot write " + to.string();
    }
    return {};
}

// Every file below from: replaced (refresh) or only where missing.
std::string copyTree(const fs::path& from, const fs::path& to, bool replace) {
    std::error_code ec;
    if (!fs::is_directory(from, ec)) return {};
    if (fs::create_directories(to, ec); ec) return "cannot create " + to.string() + ": " + ec.message();
    for (fs::recursive_directory_iterator it(from, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path target = to / fs::relative(it->path(), from, ec);
        if (it->is_directory(ec)) {
            fs::create_directories(target, ec);
        } else if (it->is_regular_file(ec)) {
            if (replace) {
                if (std::string reason = refresh(it->path(), target); !reason.empty()) return reason;
            } else if (!fs::exists(fs::symlink_status(target, ec))) {
                fs::create_directories(target.parent_path(), ec);
                fs::copy_file(it->path(), target, ec);
            }
        }
        if (ec) return "cannot copy into " + target.string() + ": " + ec.message();
    }
    return ec ? "cannot read " + from.string() + ": " + ec.message() : std::string();
}

}  // namespace

fs::path installedDataDirectory(const fs::path& executable) {
    const fs::path data = executable.parent_path().parent_path() / "share" / "torvel";
    std::error_code ec;
    return fs::is_regular_file(data / "table.res", ec) ? data.lexically_normal() : fs::path();
}

fs::path runningExecutable() {
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::path() : self;
}

fs::path userWorkingDirectory() {
    const auto variable = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value ? fs::path(value) : fs::path();
    };
    if (fs::path home = variable("TORVEL_HOME"); !home.empty()) return home;
    if (fs::path xdg = variable("XDG_DATA_HOME"); !xdg.empty()) return xdg / "torvel";
    if (fs::path home = variable("HOME"); !home.empty()) return home / ".local" / "share" / "torvel";
    return {};
}

std::string prepareWorkingDirectory(const fs::path& installedData, const fs::path& workDirectory) {
    std::error_code ec;
    fs::create_directories(workDirectory, ec);
    if (ec) return "cannot create " + workDirectory.string() + ": " + ec.message();
    for (const char* name : {"table.res", "ranking.res", "zivuzadir.jpg"}) {
        if (!fs::is_regular_file(installedData / name, ec)) continue;
        if (std::string reason = refresh(installedData / name, workDirectory / name); !reason.empty())
            return reason;
    }
    if (std::string reason = copyTree(installedData / "images", workDirectory / "images", true); !reason.empty())
        return reason;
    return copyTree(installedData / "data", workDirectory / "data", false);
}

}  // namespace torvel::settings
