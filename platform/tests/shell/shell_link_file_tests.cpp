// The bytes of a shortcut file, checked against the layout of the shell link binary format.
#include "shell/shell_link_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using mullion::ShellLinkFile;

uint32_t u32_at(const std::vector<uint8_t>& bytes, size_t offset) {
    return bytes[offset] | bytes[offset + 1] << 8 | bytes[offset + 2] << 16 |
           static_cast<uint32_t>(bytes[offset + 3]) << 24;
}

uint16_t u16_at(const std::vector<uint8_t>& bytes, size_t offset) {
    return static_cast<uint16_t>(bytes[offset] | bytes[offset + 1] << 8);
}

std::string c_string_at(const std::vector<uint8_t>& bytes, size_t offset) {
    return std::string(reinterpret_cast<const char*>(bytes.data() + offset));
}

ShellLinkFile directory_link() {
    ShellLinkFile link;
    link.target_path = "C:\\Vantrel";
    link.file_attributes = 0x10; // FILE_ATTRIBUTE_DIRECTORY
    link.write_time = 0x01C9151515F2EEE9ull;
    return link;
}

TEST(ShellLinkFileLayout, HeaderFields) {
    ShellLinkFile link = directory_link();
    link.file_size = 4096;
    link.icon_index = 2;
    link.show_command = 3;
    link.hotkey = 0x0241;
    const std::vector<uint8_t> bytes = link.encode();

    EXPECT_EQ(u32_at(bytes, 0), 0x4Cu);
    const std::vector<uint8_t> class_id(bytes.begin() + 4, bytes.begin() + 20);
    EXPECT_EQ(class_id, (std::vector<uint8_t>{0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0,
                                              0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}));
    // HasLinkInfo and IsUnicode; no name, no IDList.
    EXPECT_EQ(u32_at(bytes, 20), 0x02u | 0x80u);
    EXPECT_EQ(u32_at(bytes, 24), 0x10u);
    EXPECT_EQ(u32_at(bytes, 44), 0x15F2EEE9u); // write time, low part
    EXPECT_EQ(u32_at(bytes, 48), 0x01C91515u);
    EXPECT_EQ(u32_at(bytes, 52), 4096u);
    EXPECT_EQ(u32_at(bytes, 56), 2u);
    EXPECT_EQ(u32_at(bytes, 60), 3u);
    EXPECT_EQ(u16_at(bytes, 64), 0x0241u);
    for (size_t offset = 66; offset < 76; ++offset)
        EXPECT_EQ(bytes[offset], 0) << offset;
}

TEST(ShellLinkFileLayout, LinkInfoWithALocalBasePath) {
    const std::vector<uint8_t> bytes = directory_link().encode();
    const size_t info = 76;
    // Header of 0x1C bytes, then a VolumeID of 0x10 + 1 bytes (empty label), the local base
    // path "C:\Vantrel" with its zero (11 bytes) and an empty common path suffix (1 byte).
    EXPECT_EQ(u32_at(bytes, info + 0), 0x1Cu + 0x11u + 11u + 1u);
    EXPECT_EQ(u32_at(bytes, info + 4), 0x1Cu);
    EXPECT_EQ(u32_at(bytes, info + 8), 0x1u); // VolumeIDAndLocalBasePath
    EXPECT_EQ(u32_at(bytes, info + 12), 0x1Cu);
    EXPECT_EQ(u32_at(bytes, info + 16), 0x2Du);
    EXPECT_EQ(u32_at(bytes, info + 20), 0u);
    EXPECT_EQ(u32_at(bytes, info + 24), 0x38u);
    // VolumeID: size, drive type (fixed), serial number, label offset.
    EXPECT_EQ(u32_at(bytes, info + 0x1C), 0x11u);
    EXPECT_EQ(u32_at(bytes, info + 0x20), 3u);
    EXPECT_EQ(u32_at(bytes, info + 0x28), 0x10u);
    EXPECT_EQ(bytes[info + 0x2C], 0);
    EXPECT_EQ(c_string_at(bytes, info + 0x2D), "C:\\Vantrel");
    EXPECT_EQ(bytes[info + 0x38], 0);
    // No string data, then the terminal block.
    EXPECT_EQ(bytes.size(), info + 0x39 + 4);
    EXPECT_EQ(u32_at(bytes, bytes.size() - 4), 0u);
}

TEST(ShellLinkFileLayout, StringDataIsCountedUtf16InItsFixedOrder) {
    ShellLinkFile link;
    link.description = "Dé";
    link.working_directory = "C:\\W";
    link.arguments = "-x";
    link.icon_location = "C:\\i.ico";
    const std::vector<uint8_t> bytes = link.encode();
    // No target: no LinkInfo. Name, working directory, arguments and icon location.
    EXPECT_EQ(u32_at(bytes, 20), 0x04u | 0x10u | 0x20u | 0x40u | 0x80u);
    size_t offset = 76;
    const auto expect_string = [&](const std::u16string& text) {
        ASSERT_EQ(u16_at(bytes, offset), text.size());
        for (size_t i = 0; i < text.size(); ++i)
            EXPECT_EQ(u16_at(bytes, offset + 2 + 2 * i), text[i]);
        offset += 2 + 2 * text.size();
    };
    expect_string(u"D\u00E9");
    expect_string(u"C:\\W");
    expect_string(u"-x");
    expect_string(u"C:\\i.ico");
    EXPECT_EQ(offset + 4, bytes.size());
}

TEST(ShellLinkFileLayout, NonAsciiTargetsCarryUnicodeOffsets) {
    ShellLinkFile link;
    link.target_path = "C:\\Übung";
    const std::vector<uint8_t> bytes = link.encode();
    const size_t info = 76;
    EXPECT_EQ(u32_at(bytes, info + 4), 0x24u);
    const uint32_t unicode_offset = u32_at(bytes, info + 28);
    ASSERT_NE(unicode_offset, 0u);
    const std::u16string expected = u"C:\\\u00DCbung";
    for (size_t i = 0; i <= expected.size(); ++i)
        EXPECT_EQ(u16_at(bytes, info + unicode_offset + 2 * i),
                  i < expected.size() ? expected[i] : 0);
    EXPECT_EQ(ShellLinkFile::decode(bytes)->target_path, "C:\\Übung");
}

TEST(ShellLinkFileLayout, NetworkTargetsUseACommonNetworkRelativeLink) {
    ShellLinkFile link;
    link.target_path = "\\\\server\\share\\dir\\sub";
    const std::vector<uint8_t> bytes = link.encode();
    const size_t info = 76;
    EXPECT_EQ(u32_at(bytes, info + 8), 0x2u);
    EXPECT_EQ(u32_at(bytes, info + 12), 0u);
    EXPECT_EQ(u32_at(bytes, info + 16), 0u);
    const uint32_t network = u32_at(bytes, info + 20);
    EXPECT_EQ(network, 0x1Cu);
    EXPECT_EQ(u32_at(bytes, info + network + 8), 0x14u); // NetNameOffset
    EXPECT_EQ(c_string_at(bytes, info + network + 0x14), "\\\\server\\share");
    EXPECT_EQ(c_string_at(bytes, info + u32_at(bytes, info + 24)), "dir\\sub");
    EXPECT_EQ(ShellLinkFile::decode(bytes)->target_path, link.target_path);
}

TEST(ShellLinkFileDecode, RoundTripsEveryField) {
    ShellLinkFile link = directory_link();
    link.creation_time = 1;
    link.access_time = 0xFFFFFFFFFFFFFFFFull;
    link.file_size = 77;
    link.icon_index = -3;
    link.show_command = 7;
    link.hotkey = 0x0346;
    link.drive_type = 5;
    link.description = "A shortcut";
    link.working_directory = "C:\\Work";
    link.arguments = "/s \"quoted\"";
    link.icon_location = "C:\\Icons\\x.ico";

    const std::optional<ShellLinkFile> decoded = ShellLinkFile::decode(link.encode());
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->target_path, link.target_path);
    EXPECT_EQ(decoded->file_attributes, link.file_attributes);
    EXPECT_EQ(decoded->creation_time, link.creation_time);
    EXPECT_EQ(decoded->access_time, link.access_time);
    EXPECT_EQ(decoded->write_time, link.write_time);
    EXPECT_EQ(decoded->file_size, link.file_size);
    EXPECT_EQ(decoded->icon_index, link.icon_index);
    EXPECT_EQ(decoded->show_command, link.show_command);
    EXPECT_EQ(decoded->hotkey, link.hotkey);
    EXPECT_EQ(decoded->description, link.description);
    EXPECT_EQ(decoded->working_directory, link.working_directory);
    EXPECT_EQ(decoded->arguments, link.arguments);
    EXPECT_EQ(decoded->icon_location, link.icon_location);
}

TEST(ShellLinkFileDecode, EveryTruncationIsRefused) {
    ShellLinkFile link = directory_link();
    link.description = "desc";
    const std::vector<uint8_t> bytes = link.encode();
    // The last four bytes are the terminal block, which a reader may do without.
    for (size_t size = 0; size + 4 < bytes.size(); ++size)
        EXPECT_FALSE(ShellLinkFile::decode(std::span(bytes.data(), size))) << size;
}

TEST(ShellLinkFileDecode, RefusesForeignHeadersAndBadOffsets) {
    std::vector<uint8_t> bytes = directory_link().encode();
    std::vector<uint8_t> wrong_class = bytes;
    wrong_class[19] = 0x47;
    EXPECT_FALSE(ShellLinkFile::decode(wrong_class));
    std::vector<uint8_t> wrong_size = bytes;
    wrong_size[0] = 0x4D;
    EXPECT_FALSE(ShellLinkFile::decode(wrong_size));
    // A local base path offset beyond the LinkInfo.
    std::vector<uint8_t> bad_offset = bytes;
    bad_offset[76 + 16] = 0xF0;
    EXPECT_FALSE(ShellLinkFile::decode(bad_offset));
    // A LinkInfo larger than the file.
    std::vector<uint8_t> bad_info_size = bytes;
    bad_info_size[76 + 3] = 0x7F;
    EXPECT_FALSE(ShellLinkFile::decode(bad_info_size));
}

TEST(ShellLinkFileDecode, SkipsAnIdListItDoesNotUse) {
    std::vector<uint8_t> bytes = directory_link().encode();
    bytes[20] |= 0x01; // HasLinkTargetIDList
    const std::vector<uint8_t> id_list = {0x04, 0x00, 0x02, 0x00, 0x00, 0x00};
    bytes.insert(bytes.begin() + 76, id_list.begin(), id_list.end());
    const std::optional<ShellLinkFile> decoded = ShellLinkFile::decode(bytes);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->target_path, "C:\\Vantrel");
}

} // namespace
