// Dalmiro.exe (in a cross build, the packaged copy) read back through the
// Windows API, as Explorer reads it: a hardened GUI executable whose manifest
// Windows understands as written, whose icon group 1 names image 30001 (the
// carried icon, byte for byte) and whose Italian version record holds the
// program's names and version. Runs under Wine in the cross build.
#include "resources/storedpictures.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

const wchar_t *const kExecutable = DALMIRO_EXE;

class Executable : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        module = LoadLibraryExW(kExecutable, nullptr,
                                LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    }
    static void TearDownTestSuite()
    {
        if (module)
            FreeLibrary(module);
        module = nullptr;
    }
    void SetUp() override { ASSERT_NE(module, nullptr) << "cannot load " << GetLastError(); }

    // The data of one resource in one language, empty if there is none.
    static std::vector<std::uint8_t> resource(LPCWSTR type, int name, WORD language)
    {
        HRSRC found = FindResourceExW(module, type, MAKEINTRESOURCEW(name), language);
        if (!found)
            return {};
        const auto *data =
            static_cast<const std::uint8_t *>(LockResource(LoadResource(module, found)));
        return {data, data + SizeofResource(module, found)};
    }

    // The languages a resource is filed under, exactly: FindResourceEx would
    // fall back to another language.
    static std::vector<WORD> languages(LPCWSTR type, int name)
    {
        std::vector<WORD> found;
        EnumResourceLanguagesW(
            module, type, MAKEINTRESOURCEW(name),
            [](HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR list) -> BOOL {
                reinterpret_cast<std::vector<WORD> *>(list)->push_back(language);
                return TRUE;
            },
            reinterpret_cast<LONG_PTR>(&found));
        return found;
    }

    // The value at `path` in the version record `block`, which must outlive
    // it, or nullptr; `length` gets its length.
    static const void *versionValue(const std::vector<std::uint8_t> &block, const wchar_t *path,
                                    UINT &length)
    {
        void *value = nullptr;
        length = 0;
        if (block.empty() || !VerQueryValueW(block.data(), path, &value, &length))
            return nullptr;
        return value;
    }

    static std::wstring versionString(const std::vector<std::uint8_t> &block, const wchar_t *key)
    {
        const std::wstring path = std::wstring(L"\\StringFileInfo\\041004B0\\") + key;
        UINT length = 0;
        const void *value = versionValue(block, path.c_str(), length);
        return value ? static_cast<const wchar_t *>(value) : L"<missing>";
    }

    static std::vector<std::uint8_t> versionBlock()
    {
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(kExecutable, &ignored);
        std::vector<std::uint8_t> block(size);
        if (size == 0 || !GetFileVersionInfoW(kExecutable, 0, size, block.data()))
            block.clear();
        return block;
    }

    static inline HMODULE module = nullptr;
};

BOOL CALLBACK addType(HMODULE, LPWSTR type, LONG_PTR types)
{
    if (IS_INTRESOURCE(type))
        reinterpret_cast<std::set<int> *>(types)->insert(int(reinterpret_cast<ULONG_PTR>(type)));
    else
        reinterpret_cast<std::set<int> *>(types)->insert(-1);
    return TRUE;
}

// The executable's PE headers, read from the file; zeroes if it is none.
IMAGE_NT_HEADERS64 ntHeaders()
{
    IMAGE_NT_HEADERS64 nt{};
    std::ifstream file(kExecutable, std::ios::binary);
    IMAGE_DOS_HEADER dos{};
    file.read(reinterpret_cast<char *>(&dos), sizeof dos);
    if (!file || dos.e_magic != IMAGE_DOS_SIGNATURE)
        return nt;
    file.seekg(dos.e_lfanew);
    file.read(reinterpret_cast<char *>(&nt), sizeof nt);
    return file ? nt : IMAGE_NT_HEADERS64{};
}

TEST_F(Executable, IsAGuiProgramWithoutAConsole)
{
    const IMAGE_NT_HEADERS64 nt = ntHeaders();
    ASSERT_EQ(nt.Signature, DWORD(IMAGE_NT_SIGNATURE));
    EXPECT_EQ(nt.FileHeader.Machine, IMAGE_FILE_MACHINE_AMD64);
    EXPECT_EQ(nt.OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
}

// The loader's and the linker's protections: ASLR with high-entropy
// addresses, NX, terminal-server aware; and no link time in the header, which
// would make every build of the same sources differ.
TEST_F(Executable, IsHardenedAndCarriesNoLinkTime)
{
    const IMAGE_NT_HEADERS64 nt = ntHeaders();
    ASSERT_EQ(nt.Signature, DWORD(IMAGE_NT_SIGNATURE));
    const struct
    {
        WORD flag;
        const char *name;
    } wanted[] = {{IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE, "DYNAMIC_BASE"},
                  {IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA, "HIGH_ENTROPY_VA"},
                  {IMAGE_DLLCHARACTERISTICS_NX_COMPAT, "NX_COMPAT"},
                  {IMAGE_DLLCHARACTERISTICS_TERMINAL_SERVER_AWARE, "TERMINAL_SERVER_AWARE"}};
    for (const auto &want : wanted)
        EXPECT_TRUE(nt.OptionalHeader.DllCharacteristics & want.flag) << want.name;
    EXPECT_EQ(nt.FileHeader.TimeDateStamp, 0u);
}

TEST_F(Executable, CarriesTheManifestTheIconsAndTheVersionRecordOnly)
{
    std::set<int> types;
    EnumResourceTypesW(module, addType, reinterpret_cast<LONG_PTR>(&types));
    const std::set<int> want{int(reinterpret_cast<ULONG_PTR>(RT_ICON)),
                             int(reinterpret_cast<ULONG_PTR>(RT_GROUP_ICON)),
                             int(reinterpret_cast<ULONG_PTR>(RT_VERSION)),
                             int(reinterpret_cast<ULONG_PTR>(RT_MANIFEST))};
    EXPECT_EQ(types, want);
}

TEST_F(Executable, ManifestAndIconsAreLanguageNeutralAndTheVersionRecordItalian)
{
    EXPECT_EQ(languages(RT_MANIFEST, 1), std::vector<WORD>{0});
    EXPECT_EQ(languages(RT_GROUP_ICON, 1), std::vector<WORD>{0});
    EXPECT_EQ(languages(RT_ICON, 30001), std::vector<WORD>{0});
    EXPECT_EQ(languages(RT_VERSION, 1), std::vector<WORD>{0x0410});
}

// The manifest, byte for byte the one written for the program, and as
// Windows reads it when the program starts: the activation context made from
// resource 1, with its DPI awareness and code page.
TEST_F(Executable, ManifestIsTheProgramsAndWindowsReadsItsSettings)
{
    const auto manifest = resource(RT_MANIFEST, 1, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    std::ifstream source(DALMIRO_MANIFEST, std::ios::binary);
    EXPECT_EQ(manifest, std::vector<std::uint8_t>(std::istreambuf_iterator<char>(source), {}));

    ACTCTXW request{};
    request.cbSize = sizeof request;
    request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    request.lpSource = kExecutable;
    request.lpResourceName = MAKEINTRESOURCEW(1);
    const HANDLE context = CreateActCtxW(&request);
    ASSERT_NE(context, INVALID_HANDLE_VALUE) << "Windows cannot read it: " << GetLastError();
    const struct
    {
        const wchar_t *nameSpace, *name, *value;
    } settings[] = {
        {L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware", L"true/pm"},
        {L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness",
         L"PerMonitorV2"},
        {L"http://schemas.microsoft.com/SMI/2019/WindowsSettings", L"activeCodePage", L"UTF-8"},
    };
    for (const auto &want : settings) {
        wchar_t value[64] = {};
        SIZE_T written = 0;
        const std::wstring got = QueryActCtxSettingsW(0, context, want.nameSpace, want.name, value,
                                                      std::size(value), &written)
                                     ? value
                                     : L"<missing>";
        EXPECT_EQ(got, want.value) << want.name;
    }
    ReleaseActCtx(context);
}

TEST_F(Executable, IconGroupOneNamesImage30001Of48By48At8Bits)
{
    const auto group = resource(RT_GROUP_ICON, 1, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    ASSERT_EQ(group.size(), 6u + 14u);
    EXPECT_EQ(group[2] | group[3] << 8, 1); // icons
    EXPECT_EQ(group[4] | group[5] << 8, 1); // one image
    EXPECT_EQ(group[6], 48);
    EXPECT_EQ(group[7], 48);
    EXPECT_EQ(group[10] | group[11] << 8, 1); // planes
    EXPECT_EQ(group[12] | group[13] << 8, 8); // bits per pixel
    EXPECT_EQ(group[14] | group[15] << 8 | group[16] << 16 | group[17] << 24, 3752);
    EXPECT_EQ(group[18] | group[19] << 8, 30001);
    // The image Windows itself picks from the group for a 48 x 48 icon.
    EXPECT_EQ(
        LookupIconIdFromDirectoryEx(const_cast<PBYTE>(group.data()), TRUE, 48, 48, LR_DEFAULTCOLOR),
        30001);
}

TEST_F(Executable, IconImage30001IsTheCarriedIconAndWindowsDecodesIt)
{
    auto image = resource(RT_ICON, 30001, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    ASSERT_EQ(image.size(), 3752u);
    const QByteArrayView ico = dalmiro::storedIcon();
    ASSERT_EQ(ico.size(), 22 + 3752);
    EXPECT_EQ(QByteArrayView(reinterpret_cast<const char *>(image.data()), 3752), ico.sliced(22));

    HICON icon = CreateIconFromResourceEx(image.data(), DWORD(image.size()), TRUE, 0x00030000, 48,
                                          48, LR_DEFAULTCOLOR);
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP bitmap{};
    GetObjectW(info.hbmColor, sizeof bitmap, &bitmap);
    EXPECT_EQ(bitmap.bmWidth, 48);
    EXPECT_EQ(bitmap.bmHeight, 48);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
}

TEST_F(Executable, VersionRecordTranslationIsItalianInUnicode)
{
    const auto block = versionBlock();
    UINT length = 0;
    const auto *translation =
        static_cast<const WORD *>(versionValue(block, L"\\VarFileInfo\\Translation", length));
    ASSERT_NE(translation, nullptr);
    ASSERT_EQ(length, 4u);
    EXPECT_EQ(translation[0], 0x0410); // Italian (Italy)
    EXPECT_EQ(translation[1], 1200);   // Unicode
}

TEST_F(Executable, VersionRecordFixedPart)
{
    const auto block = versionBlock();
    UINT length = 0;
    const auto *fixed = static_cast<const VS_FIXEDFILEINFO *>(versionValue(block, L"\\", length));
    ASSERT_NE(fixed, nullptr);
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u); // 1.0
    EXPECT_EQ(fixed->dwFileVersionLS, 0u);          // .0.0
    EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(fixed->dwProductVersionLS, 0u);
    EXPECT_EQ(fixed->dwFileOS, DWORD(VOS__WINDOWS32));
    EXPECT_EQ(fixed->dwFileType, DWORD(VFT_APP));
}

TEST_F(Executable, VersionRecordStrings)
{
    const auto block = versionBlock();
    ASSERT_FALSE(block.empty());
    EXPECT_EQ(versionString(block, L"ProductName"), L"Dalmiro2");
    EXPECT_EQ(versionString(block, L"FileVersion"), L"1.00");
    EXPECT_EQ(versionString(block, L"ProductVersion"), L"1.00");
    EXPECT_EQ(versionString(block, L"InternalName"), L"Dalmiro");
    EXPECT_EQ(versionString(block, L"OriginalFilename"), L"Dalmiro.exe");
}

} // namespace
