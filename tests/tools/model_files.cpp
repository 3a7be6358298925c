#include "model_files.h"

#include <cstring>
#include <stdexcept>

#include "sound_files.h"

namespace {

class Reader {
   public:
    explicit Reader(const std::vector<std::uint8_t>& bytes) : bytes_(bytes) {}

    void seek(std::int64_t at) {
        if (at < 0 || static_cast<std::size_t>(at) > bytes_.size())
            throw std::runtime_error("md2: offset outside the file");
        at_ = static_cast<std::size_t>(at);
    }
    std::uint8_t u8() {
        need(1);
        return bytes_[at_++];
    }
    std::uint16_t u16() {
        need(2);
        const std::uint16_t v = static_cast<std::uint16_t>(bytes_[at_] | bytes_[at_ + 1] << 8);
        at_ += 2;
        return v;
    }
    std::int32_t i32() {
        need(4);
        std::uint32_t v = 0;
        for (int i = 3; i >= 0; --i) v = v << 8 | bytes_[at_ + i];
        at_ += 4;
        return static_cast<std::int32_t>(v);
    }
    float f32() {
        const std::int32_t bits = i32();
        float v = 0;
        std::memcpy(&v, &bits, sizeof v);
        return v;
    }
    std::string text(std::size_t size) {
        need(size);
        const char* start = reinterpret_cast<const char*>(&bytes_[at_]);
        at_ += size;
        return std::string(start, strnlen(start, size));
    }

   private:
    void need(std::size_t count) const {
        if (at_ + count > bytes_.size()) throw std::runtime_error("md2: block runs past the end");
    }
    const std::vector<std::uint8_t>& bytes_;
    std::size_t at_ = 0;
};

}  // namespace

Md2File parse_md2(const std::vector<std::uint8_t>& bytes) {
    Reader in(bytes);
    Md2File file{};
    file.file_size = bytes.size();
    Md2Header& h = file.header;
    for (char& c : h.ident) c = static_cast<char>(in.u8());
    std::int32_t* fields[] = {&h.version,          &h.skin_width,   &h.skin_height,    &h.frame_size,
                              &h.skin_count,       &h.vertex_count, &h.texcoord_count, &h.triangle_count,
                              &h.gl_command_count, &h.frame_count,  &h.skins_at,       &h.texcoords_at,
                              &h.triangles_at,     &h.frames_at,    &h.gl_commands_at, &h.end_at};
    for (std::int32_t* field : fields) *field = in.i32();

    in.seek(h.skins_at);
    for (int i = 0; i < h.skin_count; ++i) file.skin_names.push_back(in.text(64));
    in.seek(h.texcoords_at);
    for (int i = 0; i < h.texcoord_count; ++i) {
        const auto s = static_cast<std::int16_t>(in.u16());
        file.texcoords.push_back({s, static_cast<std::int16_t>(in.u16())});
    }
    in.seek(h.triangles_at);
    for (int i = 0; i < h.triangle_count; ++i) {
        std::array<std::uint16_t, 6> t{};
        for (std::uint16_t& index : t) index = in.u16();
        for (int c = 0; c < 3; ++c)
            if (t[c] >= h.vertex_count || t[3 + c] >= h.texcoord_count)
                throw std::runtime_error("md2: index points nowhere");
        file.triangles.push_back(t);
    }
    for (int f = 0; f < h.frame_count; ++f) {
        in.seek(static_cast<std::int64_t>(h.frames_at) + static_cast<std::int64_t>(f) * h.frame_size);
        Md2FileFrame frame;
        for (float& s : frame.scale) s = in.f32();
        for (float& t : frame.translate) t = in.f32();
        frame.name = in.text(16);
        for (int v = 0; v < h.vertex_count; ++v) {
            std::array<std::uint8_t, 3> b{};
            for (std::uint8_t& axis : b) axis = in.u8();
            in.u8();  // normal index
            frame.bytes.push_back(b);
            frame.vertices.push_back({b[0] * frame.scale[0] + frame.translate[0],
                                      b[1] * frame.scale[1] + frame.translate[1],
                                      b[2] * frame.scale[2] + frame.translate[2]});
        }
        file.frames.push_back(frame);
    }
    in.seek(h.gl_commands_at);
    for (int i = 0; i < h.gl_command_count; ++i) file.gl_commands.push_back(in.i32());
    return file;
}

Md2File read_md2(const std::string& path) { return parse_md2(read_bytes(path)); }
