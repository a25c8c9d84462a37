// The .res reader: the test program's own compiled resources (found through the module, by
// ordinal, by name and by "#n"), string tables through LoadStringA, and malformed images.
#include "kernel/module.h"
#include "user/resource_image.h"
#include "user/resource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace mullion {
namespace {

// Builds .res images entry by entry, as the resource compiler lays them out.
class ResBuilder {
public:
    ResBuilder() { add(ResourceId::from_ordinal(0), ResourceId::from_ordinal(0), {}); }

    ResBuilder& add(const ResourceId& type, const ResourceId& name, std::vector<uint8_t> data) {
        std::vector<uint8_t> header;
        put_id(header, type);
        put_id(header, name);
        while (header.size() % 4)
            header.push_back(0);
        put32(header, 0);      // DataVersion
        put16(header, 0x1030); // MemoryFlags
        put16(header, 0x0409); // LanguageId
        put32(header, 0);      // Version
        put32(header, 0);      // Characteristics
        put32(m_bytes, uint32_t(data.size()));
        put32(m_bytes, uint32_t(header.size() + 8));
        m_bytes.insert(m_bytes.end(), header.begin(), header.end());
        m_bytes.insert(m_bytes.end(), data.begin(), data.end());
        while (m_bytes.size() % 4)
            m_bytes.push_back(0);
        return *this;
    }
    std::vector<uint8_t> bytes() const { return m_bytes; }

    static void put16(std::vector<uint8_t>& out, uint16_t v) {
        out.push_back(uint8_t(v));
        out.push_back(uint8_t(v >> 8));
    }
    static void put32(std::vector<uint8_t>& out, uint32_t v) {
        put16(out, uint16_t(v));
        put16(out, uint16_t(v >> 16));
    }

private:
    static void put_id(std::vector<uint8_t>& out, const ResourceId& id) {
        if (id.by_ordinal) {
            put16(out, 0xFFFF);
            put16(out, id.ordinal);
            return;
        }
        for (char16_t c : utf16_from_utf8(id.name))
            put16(out, c);
        put16(out, 0);
    }

    std::vector<uint8_t> m_bytes;
};

std::vector<uint8_t> sample_image() {
    return ResBuilder()
        .add(ResourceId::from_ordinal(10), ResourceId::from_ordinal(7), {1, 2, 3})
        .add(ResourceId::from_name("WAVE"), ResourceId::from_name("Chime"), {9, 8, 7, 6, 5})
        .bytes();
}

TEST(ResourceImageParse, ReadsOrdinalAndStringIdsAndSkipsTheEmptyFirstEntry) {
    const auto bytes = sample_image();
    std::string error;
    const auto image = ResourceImage::parse(bytes, &error);
    ASSERT_TRUE(image) << error;
    ASSERT_EQ(image->entries().size(), 2u);
    const ResourceEntry& first = image->entries()[0];
    EXPECT_TRUE(first.type.by_ordinal);
    EXPECT_EQ(first.type.ordinal, 10);
    EXPECT_EQ(first.name.ordinal, 7);
    EXPECT_EQ(first.language, 0x0409);
    EXPECT_EQ(first.memory_flags, 0x1030);
    EXPECT_EQ(std::vector<uint8_t>(first.data.begin(), first.data.end()),
              (std::vector<uint8_t>{1, 2, 3}));
    const ResourceEntry* named =
        image->find(ResourceId::from_name("wave"), ResourceId::from_name("CHIME"));
    ASSERT_NE(named, nullptr);
    EXPECT_EQ(named->data.size(), 5u);
    EXPECT_EQ(named->data[0], 9);
    EXPECT_EQ(image->find(ResourceId::from_ordinal(10), ResourceId::from_name("7")), nullptr);
}

TEST(ResourceImageParse, EveryTruncationIsRejectedOrStaysInsideTheBytes) {
    const auto bytes = sample_image();
    for (size_t length = 0; length < bytes.size(); ++length) {
        // A copy of exactly this length lets the address sanitizer catch any read past it.
        std::vector<uint8_t> prefix(bytes.begin(), bytes.begin() + length);
        const auto image = ResourceImage::parse(prefix, nullptr);
        if (!image)
            continue;
        for (const ResourceEntry& entry : image->entries()) {
            EXPECT_GE(entry.data.data(), prefix.data()) << "length " << length;
            EXPECT_LE(entry.data.data() + entry.data.size(), prefix.data() + prefix.size())
                << "length " << length;
        }
        // The last entry's five data bytes are followed by three bytes of padding, which may
        // be missing; any shorter image has lost the second entry.
        if (length < bytes.size() - 3) {
            EXPECT_LE(image->entries().size(), 1u) << "length " << length;
        }
    }
}

TEST(ResourceImageParse, AbsurdSizesAndUnterminatedNamesRejectTheImage) {
    auto huge_data = sample_image();
    // The second entry starts at 32 (after the 32-byte empty entry); its DataSize comes first.
    huge_data[32] = huge_data[33] = huge_data[34] = huge_data[35] = 0xFF;
    EXPECT_FALSE(ResourceImage::parse(huge_data, nullptr));

    auto huge_header = sample_image();
    huge_header[36] = 0xF0;
    huge_header[37] = huge_header[38] = huge_header[39] = 0xFF;
    EXPECT_FALSE(ResourceImage::parse(huge_header, nullptr));

    auto tiny_header = sample_image();
    tiny_header[36] = 8;
    tiny_header[37] = tiny_header[38] = tiny_header[39] = 0;
    EXPECT_FALSE(ResourceImage::parse(tiny_header, nullptr));

    // A string name filling the whole header without its terminating zero.
    std::vector<uint8_t> unterminated;
    ResBuilder::put32(unterminated, 0);
    ResBuilder::put32(unterminated, 40);
    for (int i = 0; i < 16; ++i)
        ResBuilder::put16(unterminated, 'A');
    std::string error;
    EXPECT_FALSE(ResourceImage::parse(unterminated, &error));
    EXPECT_FALSE(error.empty());

    std::vector<uint8_t> garbage(64, 0xAB);
    EXPECT_FALSE(ResourceImage::parse(garbage, nullptr));
}

TEST(ResourceImageParse, AMalformedImageLeavesTheModuleWithoutResources) {
    Module module;
    const auto good = sample_image();
    ASSERT_TRUE(module.register_resources(good, nullptr));
    EXPECT_EQ(module.resources()->entries().size(), 2u);
    ASSERT_GT(good.size(), 4u);
    const std::vector<uint8_t> bad(good.begin(), good.end() - 4);
    EXPECT_FALSE(module.register_resources(bad, nullptr));
    EXPECT_TRUE(module.resources()->entries().empty());
}

TEST(ResourceIds, ArgumentsNameOrdinalsByIntegerOrHashNumberAndOtherwiseByName) {
    EXPECT_TRUE(
        ResourceId::from_argument(MAKEINTRESOURCEA(5)).matches(ResourceId::from_ordinal(5)));
    EXPECT_TRUE(ResourceId::from_argument("#123").matches(ResourceId::from_ordinal(123)));
    EXPECT_TRUE(ResourceId::from_argument("#12a").matches(ResourceId::from_name("#12A")));
    EXPECT_TRUE(ResourceId::from_argument("MyIcon").matches(ResourceId::from_name("MYICON")));
    EXPECT_FALSE(ResourceId::from_argument("MyIcon").matches(ResourceId::from_name("MyIcon2")));
}

TEST(ModuleResources, FindsTheProgramsCompiledResourcesByOrdinalNameAndHashNumber) {
    HMODULE module = GetModuleHandleA(nullptr);
    ASSERT_NE(module, nullptr);

    HRSRC by_ordinal = FindResourceA(module, MAKEINTRESOURCEA(42), RT_RCDATA);
    ASSERT_NE(by_ordinal, nullptr);
    EXPECT_EQ(FindResourceA(nullptr, "#42", RT_RCDATA), by_ordinal);
    // Numbers in raw data are 16-bit words.
    ASSERT_EQ(SizeofResource(module, by_ordinal), 6u);
    const auto* words = static_cast<const uint8_t*>(LockResource(LoadResource(module, by_ordinal)));
    ASSERT_NE(words, nullptr);
    EXPECT_EQ(words[0], 1);
    EXPECT_EQ(words[2], 2);
    EXPECT_EQ(words[4], 3);

    // Strings in raw data get no terminating zero: "named" then the word 0x1234.
    HRSRC by_name = FindResourceA(module, "named_data", RT_RCDATA);
    ASSERT_NE(by_name, nullptr);
    ASSERT_EQ(SizeofResource(module, by_name), 7u);
    const auto* named = static_cast<const char*>(LockResource(LoadResource(module, by_name)));
    EXPECT_EQ(std::string(named, 5), "named");
    EXPECT_EQ(uint8_t(named[5]), 0x34);

    EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(IDD_CLASSIC), RT_DIALOG), nullptr);
    EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(IDI_TEST), RT_GROUP_ICON), nullptr);
    EXPECT_NE(FindResourceA(module, MAKEINTRESOURCEA(IDB_TEST), RT_BITMAP), nullptr);
}

TEST(ModuleResources, MissingResourcesReportWhetherTheTypeOrTheNameIsMissing) {
    HMODULE module = GetModuleHandleA(nullptr);
    EXPECT_EQ(FindResourceA(module, MAKEINTRESOURCEA(43), RT_RCDATA), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_NAME_NOT_FOUND));
    EXPECT_EQ(FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(999)), nullptr);
    EXPECT_EQ(GetLastError(), DWORD(ERROR_RESOURCE_TYPE_NOT_FOUND));
    EXPECT_EQ(SizeofResource(module, nullptr), 0u);
    EXPECT_EQ(LoadResource(module, nullptr), nullptr);
}

TEST(ModuleResources, ModuleHandleAndFileName) {
    HMODULE module = GetModuleHandleA(nullptr);
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(length, DWORD(std::strlen(path)));
    EXPECT_EQ(GetModuleHandleA(path), module);
    EXPECT_EQ(GetModuleHandleA("no-such-module.dll"), nullptr);

    // A buffer too small receives the truncated, terminated path and the function returns its
    // size with ERROR_INSUFFICIENT_BUFFER.
    char small[4];
    EXPECT_EQ(GetModuleFileNameA(module, small, sizeof small), DWORD(sizeof small));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(std::string(small), std::string(path, 3));
}

TEST(LoadString, CopiesTheStringAndReturnsItsLength) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    char buffer[64];
    EXPECT_EQ(LoadStringA(instance, IDS_FIRST, buffer, sizeof buffer), 12);
    EXPECT_STREQ(buffer, "First string");
    EXPECT_EQ(LoadStringA(instance, IDS_SECOND, buffer, sizeof buffer), 6);
    EXPECT_STREQ(buffer, "Second");
    // Id 31 is the last of the second block of sixteen.
    EXPECT_EQ(LoadStringA(instance, IDS_LAST_OF_BLOCK, buffer, sizeof buffer), 17);
    EXPECT_STREQ(buffer, "Last of its block");
}

TEST(LoadString, TruncatesToTheBufferAndTerminates) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    EXPECT_EQ(LoadStringA(instance, IDS_LONG, buffer, sizeof buffer), 7);
    EXPECT_STREQ(buffer, "A strin");
    EXPECT_EQ(LoadStringA(instance, IDS_LONG, buffer, 1), 0);
    EXPECT_STREQ(buffer, "");
}

TEST(LoadString, ConvertsToUtf8WithoutSplittingACharacter) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    char buffer[32];
    // "Grüße": five characters, seven bytes of UTF-8.
    EXPECT_EQ(LoadStringA(instance, IDS_UNICODE, buffer, sizeof buffer), 7);
    EXPECT_STREQ(buffer, "Gr\xC3\xBC\xC3\x9F"
                         "e");
    // Room for four bytes: "Gr" and the two bytes of 'ü'; 'ß' would not fit whole.
    EXPECT_EQ(LoadStringA(instance, IDS_UNICODE, buffer, 5), 4);
    EXPECT_STREQ(buffer, "Gr\xC3\xBC");
}

TEST(LoadString, MissingStringsAndZeroSizedBuffersReturnZero) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    char buffer[16] = "unchanged";
    EXPECT_EQ(LoadStringA(instance, IDS_EMPTY_SLOT, buffer, sizeof buffer), 0);
    EXPECT_EQ(LoadStringA(instance, 5000, buffer, sizeof buffer), 0);
    std::strcpy(buffer, "unchanged");
    EXPECT_EQ(LoadStringA(instance, IDS_FIRST, buffer, 0), 0);
    EXPECT_STREQ(buffer, "unchanged");
}

} // namespace
} // namespace mullion
