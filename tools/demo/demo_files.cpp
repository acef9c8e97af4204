#include "tools/demo/demo_files.h"

#include "core/cp1252.h"

namespace qorvana::demo {

void WriteTextLines(const std::filesystem::path& file, const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        bytes += Utf8ToCp1252(line);
        bytes += "\r\n";
    }
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw DemoWriteError("cannot write " + file.string());
}

std::string PadTo(std::string_view text, std::size_t width) {
    std::string out;
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size() && chars < width; ++chars) {
        std::size_t len = 1;
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead >= 0xF0)
            len = 4;
        else if (lead >= 0xE0)
            len = 3;
        else if (lead >= 0xC0)
            len = 2;
        out.append(text.substr(i, len));
        i += len;
    }
    out.append(width - chars, ' ');
    return out;
}

}  // namespace qorvana::demo
