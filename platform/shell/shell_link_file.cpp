#include "shell/shell_link_file.h"

#include "shell/utf16_text.h"

#include <algorithm>
#include <array>

namespace mullion {

namespace {

constexpr uint32_t header_size = 0x4C;
constexpr std::array<uint8_t, 16> shell_link_class_id = {
    0x01, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

enum LinkFlag : uint32_t {
    has_link_target_id_list = 0x01,
    has_link_info = 0x02,
    has_name = 0x04,
    has_relative_path = 0x08,
    has_working_dir = 0x10,
    has_arguments = 0x20,
    has_icon_location = 0x40,
    is_unicode = 0x80,
};

enum LinkInfoFlag : uint32_t {
    volume_id_and_local_base_path = 0x1,
    common_network_relative_link_and_path_suffix = 0x2,
};

constexpr uint32_t link_info_header_size = 0x1C;
constexpr uint32_t link_info_header_size_with_unicode = 0x24;
constexpr uint32_t volume_id_header_size = 0x10;
constexpr uint32_t network_link_header_size = 0x14;

class ByteWriter {
public:
    void u16(uint16_t value) { put(value, 2); }
    void u32(uint32_t value) { put(value, 4); }
    void u64(uint64_t value) { put(value, 8); }
    void bytes(std::span<const uint8_t> data) {
        m_bytes.insert(m_bytes.end(), data.begin(), data.end());
    }
    void c_string(const std::string& text) {
        m_bytes.insert(m_bytes.end(), text.begin(), text.end());
        m_bytes.push_back(0);
    }
    void c_string16(const std::u16string& text) {
        for (char16_t unit : text)
            u16(unit);
        u16(0);
    }
    size_t size() const { return m_bytes.size(); }
    void patch_u32(size_t offset, uint32_t value) {
        for (int i = 0; i < 4; ++i)
            m_bytes[offset + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
    }
    std::vector<uint8_t> take() { return std::move(m_bytes); }

private:
    void put(uint64_t value, int count) {
        for (int i = 0; i < count; ++i)
            m_bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
    }
    std::vector<uint8_t> m_bytes;
};

class ByteReader {
public:
    explicit ByteReader(std::span<const uint8_t> bytes) : m_bytes(bytes) {}

    bool has(size_t count) const { return count <= m_bytes.size() - m_pos; }
    size_t position() const { return m_pos; }
    bool skip(size_t count) {
        if (!has(count))
            return false;
        m_pos += count;
        return true;
    }
    uint64_t read(int count) {
        uint64_t value = 0;
        for (int i = 0; i < count; ++i)
            value |= static_cast<uint64_t>(m_bytes[m_pos + static_cast<size_t>(i)]) << (8 * i);
        m_pos += static_cast<size_t>(count);
        return value;
    }
    std::span<const uint8_t> take(size_t count) {
        const auto part = m_bytes.subspan(m_pos, count);
        m_pos += count;
        return part;
    }

private:
    std::span<const uint8_t> m_bytes;
    size_t m_pos = 0;
};

uint32_t read_u32_at(std::span<const uint8_t> bytes, size_t offset) {
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value |= static_cast<uint32_t>(bytes[offset + static_cast<size_t>(i)]) << (8 * i);
    return value;
}

// A zero-terminated string inside the span, from offset; nothing if it runs off the end.
std::optional<std::string> c_string_at(std::span<const uint8_t> bytes, size_t offset) {
    if (offset >= bytes.size())
        return std::nullopt;
    const auto begin = bytes.begin() + static_cast<std::ptrdiff_t>(offset);
    const auto end = std::find(begin, bytes.end(), uint8_t{0});
    if (end == bytes.end())
        return std::nullopt;
    return std::string(begin, end);
}

std::optional<std::string> c_string16_at(std::span<const uint8_t> bytes, size_t offset) {
    std::u16string text;
    for (size_t pos = offset; pos + 1 < bytes.size(); pos += 2) {
        const char16_t unit = static_cast<char16_t>(bytes[pos] | (bytes[pos + 1] << 8));
        if (unit == 0)
            return utf16_to_utf8(text).text;
        text += unit;
    }
    return std::nullopt;
}

bool is_ascii(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char ch) { return static_cast<unsigned char>(ch) < 0x80; });
}

bool is_network_path(const std::string& path) {
    return path.size() > 2 && path[0] == '\\' && path[1] == '\\';
}

// "\\server\share\rest" splits into the share "\\server\share" and the suffix "rest".
void split_network_path(const std::string& path, std::string& share, std::string& suffix) {
    const size_t server_end = path.find('\\', 2);
    const size_t share_end =
        server_end == std::string::npos ? std::string::npos : path.find('\\', server_end + 1);
    share = path.substr(0, share_end);
    suffix = share_end == std::string::npos ? std::string() : path.substr(share_end + 1);
}

void write_link_info(ByteWriter& out, const ShellLinkFile& link) {
    const bool network = is_network_path(link.target_path);
    const bool unicode = !network && !is_ascii(link.target_path);
    const uint32_t info_header =
        unicode ? link_info_header_size_with_unicode : link_info_header_size;
    ByteWriter body; // everything after the LinkInfo header, offsets relative to its start
    uint32_t volume_offset = 0, local_offset = 0, network_offset = 0, suffix_offset = 0;
    uint32_t local_unicode_offset = 0, suffix_unicode_offset = 0;
    if (network) {
        std::string share, suffix;
        split_network_path(link.target_path, share, suffix);
        network_offset = info_header;
        body.u32(network_link_header_size + static_cast<uint32_t>(share.size()) + 1);
        body.u32(0); // no device name, no provider type
        body.u32(network_link_header_size);
        body.u32(0);
        body.u32(0);
        body.c_string(share);
        suffix_offset = info_header + static_cast<uint32_t>(body.size());
        body.c_string(suffix);
    } else {
        volume_offset = info_header;
        body.u32(volume_id_header_size + 1);
        body.u32(link.drive_type);
        body.u32(link.drive_serial_number);
        body.u32(volume_id_header_size);
        body.c_string(""); // no volume label
        local_offset = info_header + static_cast<uint32_t>(body.size());
        body.c_string(link.target_path);
        suffix_offset = info_header + static_cast<uint32_t>(body.size());
        body.c_string("");
        if (unicode) {
            local_unicode_offset = info_header + static_cast<uint32_t>(body.size());
            body.c_string16(utf8_to_utf16(link.target_path).text);
            suffix_unicode_offset = info_header + static_cast<uint32_t>(body.size());
            body.c_string16(u"");
        }
    }
    const std::vector<uint8_t> body_bytes = body.take();
    out.u32(info_header + static_cast<uint32_t>(body_bytes.size()));
    out.u32(info_header);
    out.u32(network ? common_network_relative_link_and_path_suffix : volume_id_and_local_base_path);
    out.u32(volume_offset);
    out.u32(local_offset);
    out.u32(network_offset);
    out.u32(suffix_offset);
    if (unicode) {
        out.u32(local_unicode_offset);
        out.u32(suffix_unicode_offset);
    }
    out.bytes(body_bytes);
}

void write_string_data(ByteWriter& out, const std::string& text) {
    std::u16string units = utf8_to_utf16(text).text;
    units.resize(std::min<size_t>(units.size(), 0xFFFF));
    out.u16(static_cast<uint16_t>(units.size()));
    for (char16_t unit : units)
        out.u16(unit);
}

std::optional<std::string> read_link_info(std::span<const uint8_t> info) {
    if (info.size() < link_info_header_size)
        return std::nullopt;
    const uint32_t info_header = read_u32_at(info, 4);
    const uint32_t flags = read_u32_at(info, 8);
    if (info_header < link_info_header_size || info_header > info.size())
        return std::nullopt;
    const bool unicode_offsets =
        info_header >= link_info_header_size_with_unicode && info.size() >= 0x24;
    std::optional<std::string> suffix = c_string_at(info, read_u32_at(info, 24));
    if (unicode_offsets && read_u32_at(info, 32) != 0)
        suffix = c_string16_at(info, read_u32_at(info, 32));
    if (!suffix)
        return std::nullopt;
    if (flags & volume_id_and_local_base_path) {
        std::optional<std::string> base = c_string_at(info, read_u32_at(info, 16));
        if (unicode_offsets && read_u32_at(info, 28) != 0)
            base = c_string16_at(info, read_u32_at(info, 28));
        if (!base)
            return std::nullopt;
        return *base + *suffix;
    }
    if (flags & common_network_relative_link_and_path_suffix) {
        const size_t network_offset = read_u32_at(info, 20);
        if (network_offset > info.size() || info.size() - network_offset < network_link_header_size)
            return std::nullopt;
        const auto network = info.subspan(network_offset);
        const std::optional<std::string> share = c_string_at(network, read_u32_at(network, 8));
        if (!share)
            return std::nullopt;
        return suffix->empty() ? *share : *share + "\\" + *suffix;
    }
    return std::string();
}

std::optional<std::string> read_string_data(ByteReader& in, bool unicode) {
    if (!in.has(2))
        return std::nullopt;
    const size_t count = static_cast<size_t>(in.read(2));
    const size_t size = unicode ? count * 2 : count;
    if (!in.has(size))
        return std::nullopt;
    const auto data = in.take(size);
    if (!unicode)
        return std::string(data.begin(), data.end());
    std::u16string units;
    for (size_t i = 0; i < count; ++i)
        units += static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
    return utf16_to_utf8(units).text;
}

} // namespace

std::vector<uint8_t> ShellLinkFile::encode() const {
    uint32_t flags = is_unicode;
    if (!target_path.empty())
        flags |= has_link_info;
    if (!description.empty())
        flags |= has_name;
    if (!working_directory.empty())
        flags |= has_working_dir;
    if (!arguments.empty())
        flags |= has_arguments;
    if (!icon_location.empty())
        flags |= has_icon_location;

    ByteWriter out;
    out.u32(header_size);
    out.bytes(shell_link_class_id);
    out.u32(flags);
    out.u32(file_attributes);
    out.u64(creation_time);
    out.u64(access_time);
    out.u64(write_time);
    out.u32(file_size);
    out.u32(static_cast<uint32_t>(icon_index));
    out.u32(show_command);
    out.u16(hotkey);
    out.u16(0);
    out.u32(0);
    out.u32(0);
    if (flags & has_link_info)
        write_link_info(out, *this);
    for (const auto& [flag, text] :
         {std::pair{has_name, &description}, std::pair{has_working_dir, &working_directory},
          std::pair{has_arguments, &arguments}, std::pair{has_icon_location, &icon_location}}) {
        if (flags & flag)
            write_string_data(out, *text);
    }
    out.u32(0); // terminal block of the (empty) extra data
    return out.take();
}

std::optional<ShellLinkFile> ShellLinkFile::decode(std::span<const uint8_t> bytes) {
    ByteReader in(bytes);
    if (!in.has(header_size) || in.read(4) != header_size)
        return std::nullopt;
    const auto class_id = in.take(16);
    if (!std::equal(class_id.begin(), class_id.end(), shell_link_class_id.begin()))
        return std::nullopt;
    ShellLinkFile link;
    const uint32_t flags = static_cast<uint32_t>(in.read(4));
    link.file_attributes = static_cast<uint32_t>(in.read(4));
    link.creation_time = in.read(8);
    link.access_time = in.read(8);
    link.write_time = in.read(8);
    link.file_size = static_cast<uint32_t>(in.read(4));
    link.icon_index = static_cast<int32_t>(in.read(4));
    link.show_command = static_cast<uint32_t>(in.read(4));
    link.hotkey = static_cast<uint16_t>(in.read(2));
    in.skip(10);

    if (flags & has_link_target_id_list) {
        if (!in.has(2) || !in.skip(static_cast<size_t>(in.read(2))))
            return std::nullopt;
    }
    if (flags & has_link_info) {
        if (!in.has(4))
            return std::nullopt;
        const size_t info_size = read_u32_at(bytes, in.position());
        if (info_size < 4 || !in.has(info_size))
            return std::nullopt;
        const std::optional<std::string> target = read_link_info(in.take(info_size));
        if (!target)
            return std::nullopt;
        link.target_path = *target;
    }
    const bool unicode = flags & is_unicode;
    std::string relative_path;
    for (const auto& [flag, text] :
         {std::pair{has_name, &link.description}, std::pair{has_relative_path, &relative_path},
          std::pair{has_working_dir, &link.working_directory},
          std::pair{has_arguments, &link.arguments},
          std::pair{has_icon_location, &link.icon_location}}) {
        if (!(flags & flag))
            continue;
        std::optional<std::string> value = read_string_data(in, unicode);
        if (!value)
            return std::nullopt;
        *text = std::move(*value);
    }
    return link;
}

} // namespace mullion
