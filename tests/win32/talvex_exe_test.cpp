// Talvex.exe as Windows and other programs see it: its resources, the DLLs it needs, and its
// window driven from another process.

#include "app/form.h"
#include "app/win32/utf16.h"
#include "resources/resource_ids.h"
#include "tests/win32/window_queries.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <set>
#include <string>
#include <vector>
#include <windows.h>

namespace talvex::win32 {
namespace {

std::wstring versionString(const std::vector<BYTE>& info, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (VerQueryValueW(info.data(), path.c_str(), &value, &length) == FALSE || length == 0) {
        return L"(missing)";
    }
    return static_cast<const wchar_t*>(value);
}

TEST(TalvexExe, CarriesItsVersionInformation) {
    const std::wstring exe = test::talvexExe();
    std::vector<BYTE> info(GetFileVersionInfoSizeW(exe.c_str(), nullptr));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));

    void* value = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", &value, &length));
    ASSERT_EQ(length, 4U);
    const auto* translation = static_cast<const WORD*>(value);
    EXPECT_EQ(translation[0], 0x0409) << "English (United States)";
    EXPECT_EQ(translation[1], 1200) << "Unicode";

    EXPECT_EQ(versionString(info, L"ProductName"), L"Project1");
    EXPECT_EQ(versionString(info, L"FileVersion"), L"1.00");
    EXPECT_EQ(versionString(info, L"ProductVersion"), L"1.00");
    EXPECT_EQ(versionString(info, L"InternalName"), L"Talvex");
    EXPECT_EQ(versionString(info, L"OriginalFilename"), L"Talvex.exe");

    const std::wstring caption = widen(form::talvex().caption);
    const std::wstring captionAddress = caption.substr(0, caption.find(L"  "));
    for (const wchar_t* field : {L"CompanyName", L"LegalCopyright"}) {
        const std::wstring address = versionString(info, field);
        SCOPED_TRACE(narrow(field) + ": " + narrow(address));
        EXPECT_EQ(address.rfind(L"https://", 0), 0U);
        EXPECT_NE(address.find(L".example."), std::wstring::npos) << "a reserved example domain";
        EXPECT_NE(address, captionAddress);
    }
}

TEST(TalvexExe, CarriesItsIconAndManifest) {
    const HMODULE exe =
        LoadLibraryExW(test::talvexExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(exe, nullptr);
    const auto resource = [exe](LPCWSTR name, LPCWSTR type) {
        const HRSRC found = FindResourceW(exe, name, type);
        const auto* data = found != nullptr
                               ? static_cast<const char*>(LockResource(LoadResource(exe, found)))
                               : nullptr;
        return data != nullptr ? std::string(data, SizeofResource(exe, found)) : std::string();
    };

    // The icon group's directory: reserved, type 1 (icon), count; then one 14-byte entry each.
    const std::string group = resource(MAKEINTRESOURCEW(TALVEX_ICON), RT_GROUP_ICON);
    ASSERT_EQ(group.size(), 6U + 14U) << "one image";
    const auto byte = [&group](std::size_t at) { return static_cast<unsigned char>(group[at]); };
    EXPECT_EQ(byte(6), 32) << "width";
    EXPECT_EQ(byte(7), 32) << "height";
    EXPECT_EQ(byte(8), 0) << "colour count, 0 for 256";
    EXPECT_EQ(byte(12), 8) << "bits per pixel";

    const std::string manifest = resource(CREATEPROCESS_MANIFEST_RESOURCE_ID, RT_MANIFEST);
    EXPECT_NE(manifest.find(R"(name="Microsoft.Windows.Common-Controls" version="6.0.0.0")"),
              std::string::npos)
        << manifest;
    EXPECT_NE(manifest.find("<dpiAware>true</dpiAware>"), std::string::npos) << manifest;
    FreeLibrary(exe);
}

// The names of the DLLs that a PE file imports, read from the file itself.
std::set<std::string> importedDlls(const std::wstring& path) {
    std::ifstream file(path.c_str(), std::ios::binary);
    const std::vector<char> image{std::istreambuf_iterator<char>(file), {}};
    const auto read = [&image]<typename T>(std::size_t offset, T& into) {
        if (offset + sizeof into > image.size()) {
            throw std::out_of_range("truncated PE file");
        }
        std::memcpy(&into, image.data() + offset, sizeof into);
    };

    IMAGE_DOS_HEADER dos;
    read(0, dos);
    IMAGE_NT_HEADERS32 nt;
    const auto ntOffset = static_cast<std::size_t>(dos.e_lfanew);
    read(ntOffset, nt);
    const std::size_t sections = ntOffset + offsetof(IMAGE_NT_HEADERS32, OptionalHeader) +
                                 nt.FileHeader.SizeOfOptionalHeader;
    const auto fileOffset = [&](DWORD rva) {
        for (WORD i = 0; i < nt.FileHeader.NumberOfSections; ++i) {
            IMAGE_SECTION_HEADER section;
            read(sections + i * sizeof section, section);
            if (rva >= section.VirtualAddress &&
                rva < section.VirtualAddress + section.Misc.VirtualSize) {
                return std::size_t{rva - section.VirtualAddress + section.PointerToRawData};
            }
        }
        throw std::out_of_range("address outside every section");
    };

    std::set<std::string> dlls;
    const DWORD imports =
        nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    for (std::size_t at = fileOffset(imports);; at += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        IMAGE_IMPORT_DESCRIPTOR descriptor;
        read(at, descriptor);
        if (descriptor.Name == 0) {
            break;
        }
        std::string name(image.data() + fileOffset(descriptor.Name));
        std::ranges::transform(name, name.begin(), [](char c) {
            return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        });
        dlls.insert(name);
    }
    return dlls;
}

TEST(TalvexExe, ImportsOnlyDllsThatEveryWindowsHas) {
    const std::set<std::string> system = {"kernel32.dll", "user32.dll", "gdi32.dll",
                                          "comctl32.dll", "msvcrt.dll", "bcrypt.dll"};
    const std::set<std::string> dlls = importedDlls(test::talvexExe());
    EXPECT_TRUE(dlls.contains("user32.dll")) << "the table was read";
    for (const std::string& dll : dlls) {
        EXPECT_TRUE(system.contains(dll)) << dll << " is not part of Windows";
    }
}

} // namespace
} // namespace talvex::win32
