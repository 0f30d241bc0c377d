#pragma once

// A Windows program read as a file, on any system: the headers Windows reads before it runs a
// program, the DLLs it imports and its resources. Reads 32-bit (PE32) and 64-bit (PE32+) files
// alike; anything truncated or pointing outside the file throws std::out_of_range.

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

namespace talvex::test {

class PeFile {
public:
    explicit PeFile(const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        if (!file) {
            throw std::runtime_error("cannot read " + path);
        }
        bytes_.assign(std::istreambuf_iterator<char>(file), {});
        if (u16(0) != 0x5A4D || u32(pe()) != 0x4550) { // "MZ", then "PE\0\0"
            throw std::runtime_error(path + " is no Windows program");
        }
    }

    [[nodiscard]] std::size_t size() const { return bytes_.size(); }
    [[nodiscard]] bool contains(const std::string& text) const {
        return std::string(bytes_.begin(), bytes_.end()).find(text) != std::string::npos;
    }
    [[nodiscard]] std::uint16_t machine() const { return u16(pe() + 4); }
    [[nodiscard]] std::uint16_t characteristics() const { return u16(pe() + 22); }
    // 0x10B for PE32, 0x20B for PE32+.
    [[nodiscard]] std::uint16_t magic() const { return u16(optional()); }
    [[nodiscard]] std::uint16_t subsystem() const { return u16(optional() + 68); }
    [[nodiscard]] std::uint16_t dllCharacteristics() const { return u16(optional() + 70); }
    // The oldest Windows, and Windows subsystem, the file says it needs, as "major.minor".
    [[nodiscard]] std::string osVersion() const { return version(optional() + 40); }
    [[nodiscard]] std::string subsystemVersion() const { return version(optional() + 48); }

    // Where a data directory (1 imports, 2 resources, 5 base relocations) lies, and its size.
    struct Directory {
        std::uint32_t rva;
        std::uint32_t size;
    };
    [[nodiscard]] Directory directory(std::size_t index) const {
        const std::size_t table = optional() + (magic() == 0x20B ? 112 : 96);
        return {u32(table + index * 8), u32(table + index * 8 + 4)};
    }

    // The functions in the import table, each as "dll!function" with the DLL in lower case;
    // one imported by ordinal as "dll!#ordinal".
    [[nodiscard]] std::set<std::string> importedFunctions() const {
        // An entry of the lookup table: 32 or 64 bits, its top bit set for an ordinal.
        const bool wide = magic() == 0x20B;
        const auto entry = [this, wide](std::size_t at) {
            return wide ? u32(at) | std::uint64_t{u32(at + 4)} << 32 : std::uint64_t{u32(at)};
        };
        std::set<std::string> functions;
        for (std::size_t at = offsetOf(directory(1).rva); u32(at + 12) != 0; at += 20) {
            std::string dll = text(offsetOf(u32(at + 12)));
            std::ranges::transform(dll, dll.begin(),
                                   [](unsigned char c) { return std::tolower(c); });
            for (std::size_t thunk = offsetOf(u32(at)); entry(thunk) != 0; thunk += wide ? 8 : 4) {
                const bool byOrdinal = entry(thunk) >> (wide ? 63 : 31) != 0;
                functions.insert(dll + "!" +
                                 (byOrdinal ? "#" + std::to_string(u16(thunk))
                                            : text(offsetOf(u32(thunk)) + 2))); // past the hint
            }
        }
        return functions;
    }

    // The bytes of the resource of a numbered type and id, in its first language; empty if the
    // file has none.
    [[nodiscard]] std::string resource(std::uint32_t type, std::uint32_t id) const {
        const std::size_t root = offsetOf(directory(2).rva);
        const auto entry = [this, root](std::size_t dir, std::uint32_t wanted) -> std::size_t {
            const std::size_t named = u16(dir + 12);
            const std::size_t count = named + u16(dir + 14);
            for (std::size_t i = 0; i < count; ++i) {
                const std::size_t at = dir + 16 + i * 8;
                if (i >= named && u32(at) == wanted) {
                    return root + (u32(at + 4) & 0x7FFF'FFFFU);
                }
            }
            return 0;
        };
        const std::size_t types = entry(root, type);
        const std::size_t ids = types != 0 ? entry(types, id) : 0;
        if (ids == 0) {
            return {};
        }
        const std::size_t leaf = root + (u32(ids + 16 + 4) & 0x7FFF'FFFFU); // first language
        const std::size_t data = offsetOf(u32(leaf));
        const std::size_t length = u32(leaf + 4);
        check(data, length);
        return {reinterpret_cast<const char*>(bytes_.data()) + data, length};
    }

private:
    [[nodiscard]] std::size_t pe() const { return u32(0x3C); }
    [[nodiscard]] std::string version(std::size_t at) const {
        return std::to_string(u16(at)) + "." + std::to_string(u16(at + 2));
    }
    // The NUL-terminated text at a file offset.
    [[nodiscard]] std::string text(std::size_t at) const {
        check(at, 1);
        return {&bytes_[at], strnlen(&bytes_[at], bytes_.size() - at)};
    }
    [[nodiscard]] std::size_t optional() const { return pe() + 24; }

    // The file offset of a relative virtual address, through the section that holds it.
    [[nodiscard]] std::size_t offsetOf(std::uint32_t rva) const {
        const std::size_t sections = optional() + u16(pe() + 20);
        for (std::size_t i = 0; i < u16(pe() + 6); ++i) {
            const std::size_t header = sections + i * 40;
            const std::uint32_t start = u32(header + 12);
            if (rva >= start && rva - start < u32(header + 8)) {
                return rva - start + u32(header + 20);
            }
        }
        throw std::out_of_range("address outside every section");
    }

    void check(std::size_t at, std::size_t length) const {
        if (at > bytes_.size() || length > bytes_.size() - at) {
            throw std::out_of_range("truncated PE file");
        }
    }
    [[nodiscard]] unsigned char byte(std::size_t at) const {
        check(at, 1);
        return static_cast<unsigned char>(bytes_[at]);
    }
    [[nodiscard]] std::uint16_t u16(std::size_t at) const {
        return static_cast<std::uint16_t>(byte(at) | byte(at + 1) << 8);
    }
    [[nodiscard]] std::uint32_t u32(std::size_t at) const {
        return u16(at) | static_cast<std::uint32_t>(u16(at + 2)) << 16;
    }

    std::vector<char> bytes_;
};

} // namespace talvex::test
