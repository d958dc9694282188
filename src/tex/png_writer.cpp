#include "tex/png_writer.h"

#include <png.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

namespace tex {

std::vector<uint8_t> EncodePng(const GreyBitmap& bitmap, PngInk ink) {
    if (bitmap.empty() || bitmap.pixels.size() != static_cast<size_t>(bitmap.width) * bitmap.height)
        return {};
    const bool alpha = ink == PngInk::BlackAlpha;
    std::vector<uint8_t> samples(bitmap.pixels.size() * (alpha ? 2 : 1));
    for (size_t i = 0; i < bitmap.pixels.size(); ++i) {
        if (alpha) {
            samples[2 * i] = 0;
            samples[2 * i + 1] = bitmap.pixels[i];
        } else {
            samples[i] = static_cast<uint8_t>(255 - bitmap.pixels[i]);
        }
    }
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(bitmap.width);
    image.height = static_cast<png_uint_32>(bitmap.height);
    image.format = alpha ? PNG_FORMAT_GA : PNG_FORMAT_GRAY;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&image, nullptr, &size, 0, samples.data(), 0, nullptr) || size == 0) {
        png_image_free(&image);
        return {};
    }
    std::vector<uint8_t> bytes(size);
    if (!png_image_write_to_memory(&image, bytes.data(), &size, 0, samples.data(), 0, nullptr)) {
        png_image_free(&image);
        return {};
    }
    bytes.resize(size);
    return bytes;
}

bool WritePng(const GreyBitmap& bitmap, const std::string& path, PngInk ink) {
    const std::vector<uint8_t> bytes = EncodePng(bitmap, ink);
    if (bytes.empty() || path.empty()) return false;
    const std::string temporary = path + ".tmp";
    std::FILE* f = std::fopen(temporary.c_str(), "wb");
    if (f == nullptr) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size() && std::fflush(f) == 0;
    const bool closed = std::fclose(f) == 0;
    std::error_code ec;
    if (written && closed) {
        std::filesystem::rename(temporary, path, ec);
        if (!ec) return true;
    }
    std::filesystem::remove(temporary, ec);
    return false;
}

GreyBitmap DecodePng(const std::vector<uint8_t>& bytes) {
    GreyBitmap out;
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (bytes.empty() || !png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return out;
    image.format = PNG_FORMAT_GA;
    if (image.width == 0 || image.height == 0 || image.width > 1u << 15 || image.height > 1u << 15) {
        png_image_free(&image);
        return out;
    }
    std::vector<uint8_t> samples(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, samples.data(), 0, nullptr)) {
        png_image_free(&image);
        return out;
    }
    out.width = static_cast<int>(image.width);
    out.height = static_cast<int>(image.height);
    out.pixels.resize(static_cast<size_t>(out.width) * out.height);
    for (size_t i = 0; i < out.pixels.size(); ++i) {
        out.pixels[i] = static_cast<uint8_t>((255 - samples[2 * i]) * samples[2 * i + 1] / 255);
    }
    return out;
}

}  // namespace tex
