#pragma once
// Bounded little-endian reading of the binary data files.

#include <cstdint>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

namespace torvel::datafile {

inline std::int32_t readInt32(const std::uint8_t* at) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(at[0]) | (static_cast<std::uint32_t>(at[1]) << 8) |
                                     (static_cast<std::uint32_t>(at[2]) << 16) |
                                     (static_cast<std::uint32_t>(at[3]) << 24));
}

inline void appendInt32(std::vector<std::uint8_t>& out, std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(u >> shift));
}

// Reads at most maxBytes of a file. Returns false when it cannot be opened.
inline bool readPrefix(const std::string& path, std::size_t maxBytes, std::vector<std::uint8_t>& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    out.resize(maxBytes);
    in.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(maxBytes));
    out.resize(static_cast<std::size_t>(in.gcount()));
    return !in.bad();
}

}  // namespace torvel::datafile
