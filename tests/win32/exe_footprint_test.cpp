// The shipped exe stays small and needs nothing beside it but Windows' own DLLs: its import table is
// read straight from the PE file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr size_t kMaxExeBytes = 2 * 1024 * 1024;

// The Linux path ctest hands over, as Wine's drive Z: sees it.
std::string WindowsPath(std::string path) {
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// Little-endian reads that fail past the end of the file.
struct Bytes {
    const std::string& data;
    std::optional<uint32_t> U32(size_t at) const { return Read<uint32_t>(at); }
    std::optional<uint16_t> U16(size_t at) const { return Read<uint16_t>(at); }
    template <typename T>
    std::optional<T> Read(size_t at) const {
        if (at > data.size() || data.size() - at < sizeof(T)) return std::nullopt;
        T v;
        std::memcpy(&v, data.data() + at, sizeof(T));
        return v;
    }
};

struct PeImports {
    uint32_t fileAlignment = 0;
    std::vector<std::string> dlls;
};

// The file alignment and the names in the import directory of a PE32+ image; nothing when the
// headers are not readable.
std::optional<PeImports> ReadImports(const std::string& file) {
    Bytes pe{file};
    auto peOffset = pe.U32(0x3C);
    if (!peOffset || file.compare(*peOffset, 4, std::string("PE\0\0", 4)) != 0) return std::nullopt;
    size_t coff = *peOffset + 4;
    auto sectionCount = pe.U16(coff + 2), optionalSize = pe.U16(coff + 16);
    size_t optional = coff + 20;
    if (!sectionCount || !optionalSize || pe.U16(optional) != 0x20B) return std::nullopt;
    size_t sections = optional + *optionalSize;

    // The file offset of a relative virtual address, through the section that holds it.
    auto offset = [&](uint32_t rva) -> std::optional<size_t> {
        for (size_t i = 0; i < *sectionCount; ++i) {
            size_t header = sections + i * 40;
            auto virtualSize = pe.U32(header + 8), address = pe.U32(header + 12), raw = pe.U32(header + 20);
            if (!virtualSize || !address || !raw) return std::nullopt;
            if (rva >= *address && rva - *address < *virtualSize && *raw + (rva - *address) < file.size())
                return *raw + (rva - *address);
        }
        return std::nullopt;
    };

    auto importRva = pe.U32(optional + 112 + 8);  // data directory 1
    auto fileAlignment = pe.U32(optional + 36);
    if (!importRva || !fileAlignment) return std::nullopt;
    PeImports imports{*fileAlignment, {}};
    if (*importRva == 0) return imports;
    // 20-byte descriptors, the name's address at +12; an all-zero descriptor ends the table.
    for (auto descriptor = offset(*importRva); descriptor; descriptor = *descriptor + 20) {
        auto nameRva = pe.U32(*descriptor + 12);
        if (!nameRva) return std::nullopt;
        if (*nameRva == 0) return imports;
        auto name = offset(*nameRva);
        if (!name) return std::nullopt;
        imports.dlls.emplace_back(file.c_str() + *name);
    }
    return std::nullopt;
}

bool IsSystemDll(const std::string& dll) {
    static const char* const kSystem[] = {"kernel32.dll", "user32.dll",  "gdi32.dll",    "comctl32.dll",
                                          "comdlg32.dll", "shell32.dll", "ole32.dll",    "oleaut32.dll",
                                          "advapi32.dll", "version.dll", "wininet.dll",  "ws2_32.dll",
                                          "dwmapi.dll",   "uxtheme.dll", "shlwapi.dll",  "msvcrt.dll"};
    std::string name = Lower(dll);
    if (name.rfind("api-ms-win-crt-", 0) == 0) return true;
    return std::find(std::begin(kSystem), std::end(kSystem), name) != std::end(kSystem);
}

bool Imports(const std::vector<std::string>& dlls, const std::string& dll) {
    return std::find_if(dlls.begin(), dlls.end(), [&](const std::string& d) { return Lower(d) == dll; }) != dlls.end();
}

TEST(ExeFootprint, SmallAndImportsWindowsSystemDllsOnly) {
    const char* exe = std::getenv("LENTORA_EXE");
    ASSERT_NE(exe, nullptr) << "LENTORA_EXE names the built exe";
    std::ifstream in(WindowsPath(exe), std::ios::binary);
    ASSERT_TRUE(in) << exe;
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());

    EXPECT_LE(bytes.size(), kMaxExeBytes);
    auto imports = ReadImports(bytes);
    ASSERT_TRUE(imports) << "the import table could not be read";
    // The program cannot run without the core of Windows; without it the table was misread.
    EXPECT_TRUE(Imports(imports->dlls, "kernel32.dll"));
    for (const std::string& dll : imports->dlls) EXPECT_TRUE(IsSystemDll(dll)) << dll << " is not a Windows system DLL";

    // What keeps a start at log-on light under Wine: the DLLs of the update check, the file
    // dialog, the skins' theme switch, the window frame, COM and the controls load at their first
    // use, and the image is mapped from the file, not copied.
    for (const char* dll : {"wininet.dll", "ws2_32.dll", "comdlg32.dll", "uxtheme.dll", "dwmapi.dll", "ole32.dll",
                            "comctl32.dll"})
        EXPECT_FALSE(Imports(imports->dlls, dll)) << dll;
    EXPECT_GE(imports->fileAlignment, 4096u);
}

}  // namespace
