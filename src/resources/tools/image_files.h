// BMP and ICO files of draw_images.cpp's pictures.
#pragma once

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "pixel_art.h"

namespace art {

inline void put16(std::vector<std::uint8_t>& out, unsigned v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}
inline void put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  put16(out, v & 0xFFFF);
  put16(out, v >> 16);
}

inline void save(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!f) throw std::runtime_error("cannot write " + path.string());
  std::printf("wrote %s\n", path.string().c_str());
}

// BITMAPINFOHEADER for a bottom-up, uncompressed picture.
inline void info_header(std::vector<std::uint8_t>& out, int w, int h, int bits, std::uint32_t image_size) {
  put32(out, 40);
  put32(out, static_cast<std::uint32_t>(w));
  put32(out, static_cast<std::uint32_t>(h));
  put16(out, 1);
  put16(out, static_cast<unsigned>(bits));
  put32(out, 0);  // BI_RGB
  put32(out, image_size);
  put32(out, 2835);  // 72 dpi
  put32(out, 2835);
  put32(out, 0);
  put32(out, 0);
}

// A 24-bit BMP of the picture's top `rows` rows (all by default). Pixels that
// are off get the key colour, which the picture must not use; without a key
// every pixel must be painted, and painted whole.
inline void write_bmp(const std::filesystem::path& path, const Image& img, std::optional<Rgb> key, int rows = 0) {
  const int w = img.width();
  const int h = rows > 0 ? rows : img.height();
  const int stride = (w * 3 + 3) & ~3;
  const std::uint32_t data = static_cast<std::uint32_t>(stride * h);
  std::vector<std::uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  put32(out, 14 + 40 + data);
  put32(out, 0);
  put32(out, 14 + 40);
  info_header(out, w, h, 24, data);
  for (int y = h - 1; y >= 0; --y) {
    int written = 0;
    for (int x = 0; x < w; ++x) {
      Rgb c = key.value_or(Rgb{});
      if (img.on(x, y)) {
        c = img.at(x, y);
        if (key && c == *key) throw std::runtime_error(path.string() + ": picture uses its key colour");
        if (img.alpha(x, y) != 255) throw std::runtime_error(path.string() + ": partly transparent pixel");
      } else if (!key) {
        throw std::runtime_error(path.string() + ": unpainted pixel and no key colour");
      }
      out.push_back(c.b);
      out.push_back(c.g);
      out.push_back(c.r);
      written += 3;
    }
    for (; written < stride; ++written) out.push_back(0);
  }
  save(path, out);
}

// An icon with one 32-bit image with alpha per picture. The mask marks the
// wholly transparent pixels, for whatever draws the icon without its alpha.
inline void write_ico(const std::filesystem::path& path, const std::vector<Image>& images) {
  std::vector<std::vector<std::uint8_t>> blobs;
  for (const Image& img : images) {
    const int n = img.size();
    const int and_stride = ((n + 31) / 32) * 4;
    const std::uint32_t size = static_cast<std::uint32_t>((4 * n + and_stride) * n);
    std::vector<std::uint8_t> blob;
    info_header(blob, n, 2 * n, 32, size);
    for (int y = n - 1; y >= 0; --y)
      for (int x = 0; x < n; ++x) {
        const Rgb c = img.on(x, y) ? img.at(x, y) : Rgb{};
        blob.insert(blob.end(), {c.b, c.g, c.r, img.alpha(x, y)});
      }
    for (int y = n - 1; y >= 0; --y) {
      std::vector<std::uint8_t> row(and_stride, 0);
      for (int x = 0; x < n; ++x)
        if (!img.on(x, y)) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
      blob.insert(blob.end(), row.begin(), row.end());
    }
    blobs.push_back(std::move(blob));
  }

  std::vector<std::uint8_t> out;
  put16(out, 0);  // reserved
  put16(out, 1);  // icon
  put16(out, static_cast<unsigned>(images.size()));
  std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
  for (std::size_t i = 0; i < images.size(); ++i) {
    const int n = images[i].size();
    out.push_back(static_cast<std::uint8_t>(n));
    out.push_back(static_cast<std::uint8_t>(n));
    out.push_back(0);  // no palette
    out.push_back(0);
    put16(out, 1);   // planes
    put16(out, 32);  // bits per pixel
    put32(out, static_cast<std::uint32_t>(blobs[i].size()));
    put32(out, offset);
    offset += static_cast<std::uint32_t>(blobs[i].size());
  }
  for (const auto& blob : blobs) out.insert(out.end(), blob.begin(), blob.end());
  save(path, out);
}

}  // namespace art
