// Talvex.exe as a file, read on Linux without Wine, so that every build is checked on every
// machine, also where its programs cannot run: what Windows reads before it runs the program,
// the DLLs it needs, its resources and its size. The file and the architecture it must be for
// come from the environment, TALVEX_EXE and TALVEX_EXE_ARCHITECTURE (x86 or amd64).

#include "app/form.h"
#include "tests/exe/pe_file.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unistd.h>
#include <vector>

namespace talvex::test {
namespace {

class TalvexExeFile : public testing::Test {
protected:
    void SetUp() override {
        const char* path = std::getenv("TALVEX_EXE");
        ASSERT_NE(path, nullptr) << "TALVEX_EXE names no file";
        if (!std::filesystem::exists(path)) {
            GTEST_SKIP() << path << " is not built (scripts/build builds it)";
        }
        exe_.emplace(path);
    }

    // Set whenever a test body runs, as GoogleTest runs none after a failed or skipped SetUp;
    // any other way in fails the test rather than read an empty optional.
    [[nodiscard]] const PeFile& exe() const {
        if (!exe_) {
            throw std::logic_error("Talvex.exe was not read");
        }
        return *exe_;
    }
    [[nodiscard]] static bool is64Bit() {
        const char* architecture = std::getenv("TALVEX_EXE_ARCHITECTURE");
        return architecture != nullptr && std::string(architecture) == "amd64";
    }

private:
    std::optional<PeFile> exe_;
};

TEST_F(TalvexExeFile, IsAWindowsGuiProgramForItsMachineWithAslrNxAndStackGuards) {
    EXPECT_EQ(exe().machine(), is64Bit() ? 0x8664 : 0x14C);
    EXPECT_EQ(exe().magic(), is64Bit() ? 0x20B : 0x10B) << "PE32+ for 64-bit, PE32 for 32-bit";
    EXPECT_EQ(exe().subsystem(), 2) << "Windows GUI";

    const unsigned flags = exe().dllCharacteristics();
    EXPECT_NE(flags & 0x0040U, 0U) << "DYNAMIC_BASE: loaded at a random address";
    EXPECT_NE(flags & 0x0100U, 0U) << "NX_COMPAT: no code runs from data";
    EXPECT_EQ((flags & 0x0020U) != 0, is64Bit()) << "HIGH_ENTROPY_VA, which only PE32+ has";
    // Without its relocations the program cannot move, whatever DYNAMIC_BASE says.
    EXPECT_EQ(exe().characteristics() & 0x0001U, 0U) << "RELOCS_STRIPPED";
    EXPECT_GT(exe().directory(5).size, 0U) << "base relocations";
    // Linked in only for code that checks a stack guard, the protector's runtime says this.
    EXPECT_TRUE(exe().contains("*** stack smashing detected ***"));
}

// What Windows 7 SP1 has, from sources that date each function rather than from what a build
// once imported. The Windows API is asked of mingw-w64's headers, which declare for _WIN32_WINNT
// 0x0601 only what Windows 7 has (with the compiler of the program's own architecture, some
// functions being 64-bit only); the few later ones they declare without their guard are named
// below, each from Microsoft's documentation. msvcrt.dll's own functions are not dated by any
// header: mingw-w64's msvcrt.def.in lists its exports by the Windows whose msvcrt.dll first had
// them, and these are those it gained after Windows Vista, Windows 7 adding none.
constexpr std::string_view kApiDeclaredTooEarly = "GetSystemTimePreciseAsFileTime"; // Windows 8
constexpr std::string_view kMsvcrtAfterWindows7 =
    // Windows 8
    "_create_locale _free_locale _get_current_locale _memcpy_strict_align _wcstod_l "
    "__jump_unwind fabsf "
    // Windows 8.1
    "_CallMemberFunction0 _CallMemberFunction1 _CallMemberFunction2 __AdjustPointer "
    "__ExceptionPtrAssign __ExceptionPtrCompare __ExceptionPtrCopy __ExceptionPtrCopyException "
    "__ExceptionPtrCreate __ExceptionPtrCurrentException __ExceptionPtrDestroy "
    "__ExceptionPtrRethrow __ExceptionPtrSwap __ExceptionPtrToBool _W_Getdays _W_Getmonths "
    "_W_Gettnames _Wcsftime _libm_sse2_acos_precise _libm_sse2_asin_precise "
    "_libm_sse2_atan_precise _libm_sse2_cos_precise _libm_sse2_exp_precise "
    "_libm_sse2_log10_precise _libm_sse2_log_precise _libm_sse2_pow_precise "
    "_libm_sse2_sin_precise _libm_sse2_sqrt_precise _libm_sse2_tan_precise";

std::set<std::string> words(std::string_view text) {
    std::istringstream stream{std::string(text)};
    std::set<std::string> set;
    for (std::string word; stream >> word;) {
        set.insert(word);
    }
    return set;
}

// Of `functions`, those mingw-w64's headers do not declare for Windows 7: each is taken the
// address of on a line of its own, and the compiler names the line of each it does not know.
std::set<std::string> undeclaredInWindows7(const std::vector<std::string>& functions,
                                           bool is64Bit) {
    const std::filesystem::path probe =
        std::filesystem::temp_directory_path() /
        ("talvex-windows7-" + std::to_string(getpid()) + (is64Bit ? "-64.c" : "-32.c"));
    constexpr int firstLine = 5;
    {
        std::ofstream source(probe);
        source << "#include <windows.h>\n#include <commctrl.h>\n#include <bcrypt.h>\n"
               << "void probe(void) {\n";
        for (const std::string& function : functions) {
            source << "(void)&" << function << ";\n";
        }
        source << "}\n";
    }
    const std::string command =
        std::string(is64Bit ? "x86_64" : "i686") +
        "-w64-mingw32-gcc-posix -fsyntax-only -w -fdiagnostics-plain-output -D_WIN32_WINNT=0x0601 "
        "-DWINVER=0x0601 -DNTDDI_VERSION=0x06010000 " +
        probe.string() + " 2>&1";
    std::string output;
    FILE* compiler = popen(command.c_str(), "r");
    EXPECT_NE(compiler, nullptr) << command;
    if (compiler == nullptr) {
        return {functions.begin(), functions.end()};
    }
    std::array<char, 4096> chunk{};
    for (std::size_t read; (read = fread(chunk.data(), 1, chunk.size(), compiler)) > 0;) {
        output.append(chunk.data(), read);
    }
    const int status = pclose(compiler);
    std::filesystem::remove(probe);

    std::set<std::string> undeclared;
    const std::string at = probe.string() + ":";
    for (std::size_t line = output.find(at); line != std::string::npos;
         line = output.find(at, line + 1)) {
        const auto number = static_cast<std::size_t>(std::atoi(output.c_str() + line + at.size()));
        if (number >= firstLine && number < firstLine + functions.size()) {
            undeclared.insert(functions[number - firstLine]);
        }
    }
    EXPECT_TRUE(status == 0 || !undeclared.empty()) << command << " failed:\n" << output;
    return undeclared;
}

TEST_F(TalvexExeFile, NamesTheOldestWindowsItRunsOnAndImportsNothingNewer) {
    EXPECT_EQ(exe().osVersion(), "6.1") << "Windows 7";
    EXPECT_EQ(exe().subsystemVersion(), "6.1");

    const std::set<std::string> imported = exe().importedFunctions();
    EXPECT_TRUE(imported.contains("user32.dll!CreateWindowExW")) << "the table was read";
    const std::set<std::string> msvcrtAfterWindows7 = words(kMsvcrtAfterWindows7);
    const std::set<std::string> declaredTooEarly = words(kApiDeclaredTooEarly);
    std::vector<std::string> api;
    for (const std::string& import : imported) {
        const std::string dll = import.substr(0, import.find('!'));
        const std::string function = import.substr(dll.size() + 1);
        // Decorated on 32-bit: the name before its argument bytes, @8.
        const std::string name = function.substr(0, function.find('@'));
        if (name.starts_with('#')) {
            ADD_FAILURE() << import << ": imported by ordinal, which no source dates";
        } else if (dll == "msvcrt.dll") {
            EXPECT_FALSE(msvcrtAfterWindows7.contains(name))
                << import << " is newer than Windows 7";
        } else {
            EXPECT_FALSE(declaredTooEarly.contains(name)) << import << " is newer than Windows 7";
            api.push_back(name);
        }
    }
    for (const std::string& function : undeclaredInWindows7(api, is64Bit())) {
        ADD_FAILURE() << function << " is not in the API of Windows 7 SP1";
    }
}

TEST_F(TalvexExeFile, CarriesItsIconAndItsManifest) {
    constexpr std::uint32_t groupIcon = 14;
    constexpr std::uint32_t manifestType = 24;
    // The icon group's directory: reserved, type 1 (icon), count; then one 14-byte entry each,
    // its width and height first, 0 for 256.
    const std::string group = exe().resource(groupIcon, 1);
    ASSERT_GE(group.size(), 6U) << "no icon";
    const auto byte = [&group](std::size_t at) {
        return static_cast<unsigned>(static_cast<unsigned char>(group.at(at)));
    };
    const auto side = [&byte](std::size_t at) {
        return std::to_string(byte(at) == 0 ? 256 : byte(at));
    };
    std::vector<std::string> sizes;
    for (std::size_t entry = 6; sizes.size() < (byte(4) | byte(5) << 8); entry += 14) {
        sizes.push_back(side(entry) + "x" + side(entry + 1));
    }
    EXPECT_EQ(sizes, (std::vector<std::string>{"32x32", "16x16", "24x24", "48x48", "256x256"}))
        << "the sizes Windows asks for, the drawing's own first";

    // Windows hands a program the common controls of the architecture its manifest names.
    const std::string manifest = exe().resource(manifestType, 1);
    const std::string architecture = is64Bit() ? "amd64" : "x86";
    EXPECT_NE(manifest.find(R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0")"),
              std::string::npos)
        << manifest;
    // Sharp on every screen: per-monitor DPI aware, version 2 where Windows has it.
    EXPECT_NE(manifest.find(">PerMonitorV2, PerMonitor</dpiAwareness>"), std::string::npos);
    EXPECT_NE(manifest.find(">true/pm</dpiAware>"), std::string::npos);
    // Made for Windows 7, 8, 8.1, and 10 and 11 (supportedOS), rather than treated as for Vista.
    for (const char* id :
         {"35138b9a-5d96-4fbd-8e2d-a2440225f93a", "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",
          "1f676c76-80e1-4239-95bb-83d0f6d0da78", "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"}) {
        EXPECT_NE(manifest.find(std::string("<supportedOS Id=\"{") + id), std::string::npos) << id;
    }
    std::size_t named = 0;
    for (std::size_t at = 0;
         (at = manifest.find("processorArchitecture=\"", at)) != std::string::npos; ++named) {
        at += 23;
        EXPECT_EQ(manifest.substr(at, manifest.find('"', at) - at), architecture);
    }
    EXPECT_EQ(named, 2U) << "the program's own identity and the common controls'";
}

// The values of a version resource by key: each block is its length, its value's length, its
// type (1 for text, 0 for bytes), a UTF-16 key, then its value and its child blocks, each on a
// 32-bit boundary. Text comes out as the ASCII it is; bytes as they are.
void readVersionBlocks(const std::string& data, std::size_t at, std::size_t end,
                       std::map<std::string, std::string>& values) {
    const auto u16 = [&data](std::size_t i) {
        return static_cast<unsigned>(static_cast<unsigned char>(data.at(i)) |
                                     static_cast<unsigned char>(data.at(i + 1)) << 8);
    };
    const auto text = [&u16](std::size_t i) {
        std::string ascii;
        for (; u16(i) != 0; i += 2) {
            ascii += static_cast<char>(u16(i));
        }
        return ascii;
    };
    const auto align = [](std::size_t i) { return (i + 3) & ~std::size_t{3}; };
    while (at < end) {
        const std::size_t length = u16(at);
        const bool isText = u16(at + 4) == 1;
        const std::size_t valueBytes = std::size_t{u16(at + 2)} * (isText ? 2U : 1U);
        const std::string key = text(at + 6);
        const std::size_t value = align(at + 6 + (key.size() + 1) * 2);
        if (valueBytes > 0) {
            values[key] = isText ? text(value) : data.substr(value, valueBytes);
        }
        readVersionBlocks(data, align(value + valueBytes), at + length, values);
        at = align(at + length);
    }
}

TEST_F(TalvexExeFile, CarriesItsVersionInformation) {
    constexpr std::uint32_t versionType = 16;
    const std::string version = exe().resource(versionType, 1);
    ASSERT_FALSE(version.empty());
    std::map<std::string, std::string> values;
    readVersionBlocks(version, 0, version.size(), values);

    EXPECT_EQ(values["Translation"], std::string("\x09\x04\xB0\x04", 4))
        << "English (United States), Unicode";
    EXPECT_EQ(values["ProductName"], "Project1");
    EXPECT_EQ(values["FileVersion"], "1.00");
    EXPECT_EQ(values["ProductVersion"], "1.00");
    EXPECT_EQ(values["InternalName"], "Talvex");
    EXPECT_EQ(values["OriginalFilename"], "Talvex.exe");

    const std::string_view caption = form::talvex().caption;
    const std::string_view captionAddress = caption.substr(0, caption.find("  "));
    for (const char* field : {"CompanyName", "LegalCopyright"}) {
        const std::string& address = values[field];
        SCOPED_TRACE(std::string(field) + ": " + address);
        EXPECT_EQ(address.rfind("https://", 0), 0U);
        EXPECT_NE(address.find(".example."), std::string::npos) << "a reserved example domain";
        EXPECT_NE(address, captionAddress);
    }
}

TEST_F(TalvexExeFile, StaysSmall) {
    // Statically linked, the C++ runtime included; 64-bit code is the larger.
    EXPECT_LE(exe().size(), (is64Bit() ? 512U : 400U) * 1024U);
}

} // namespace
} // namespace talvex::test
