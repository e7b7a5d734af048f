#include "web/png_file.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

namespace animatsiya {
namespace {

std::uint32_t Crc32(std::string_view bytes) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t c = 0xFFFFFFFFu;
  for (const char b : bytes) c = table[(c ^ static_cast<unsigned char>(b)) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

std::uint32_t Adler32(std::string_view bytes) {
  std::uint32_t a = 1, b = 0;
  for (const char byte : bytes) {
    a = (a + static_cast<unsigned char>(byte)) % 65521;
    b = (b + a) % 65521;
  }
  return (b << 16) | a;
}

void AppendBigEndian(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((value >> shift) & 0xFF);
}

void AppendChunk(std::string& out, std::string_view type, std::string_view data) {
  AppendBigEndian(out, static_cast<std::uint32_t>(data.size()));
  std::string body(type);
  body += data;
  out += body;
  AppendBigEndian(out, Crc32(body));
}

// A zlib stream of stored deflate blocks.
std::string Stored(std::string_view data) {
  constexpr std::size_t kMaxBlock = 65535;
  std::string out = "\x78\x01";
  std::size_t at = 0;
  do {
    const std::size_t size = std::min(kMaxBlock, data.size() - at);
    const bool last = at + size == data.size();
    out += static_cast<char>(last ? 1 : 0);
    out += static_cast<char>(size & 0xFF);
    out += static_cast<char>(size >> 8);
    out += static_cast<char>(~size & 0xFF);
    out += static_cast<char>((~size >> 8) & 0xFF);
    out.append(data.substr(at, size));
    at += size;
  } while (at < data.size());
  AppendBigEndian(out, Adler32(data));
  return out;
}

}  // namespace

std::string EncodePng(const Raster& raster) {
  std::string header;
  AppendBigEndian(header, static_cast<std::uint32_t>(raster.width));
  AppendBigEndian(header, static_cast<std::uint32_t>(raster.height));
  header += "\x08\x06";      // 8 bits a channel, RGBA
  header += std::string(3, '\0');  // deflate, no filtering beyond type 0, not interlaced

  std::string rows;
  for (int y = 0; y < raster.height; ++y) {
    rows += '\0';  // filter type: none
    for (int x = 0; x < raster.width; ++x) {
      const Pixel p = raster.at(x, y);
      for (const int shift : {16, 8, 0, 24}) rows += static_cast<char>((p >> shift) & 0xFF);
    }
  }

  std::string png = "\x89PNG\r\n\x1a\n";
  AppendChunk(png, "IHDR", header);
  AppendChunk(png, "IDAT", Stored(rows));
  AppendChunk(png, "IEND", {});
  return png;
}

}  // namespace animatsiya
