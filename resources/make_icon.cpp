// Draws the tool's icon (a small message-box window with a title bar, two
// lines of text and a button) and writes it as a 256-colour .ico with
// 48x48, 32x32 and 16x16 images. Deterministic: the committed zorvane.ico
// is this program's output, and a test checks that it still is.
//
//   make_icon > zorvane.ico

#include <cstdint>
#include <cstdio>
#include <vector>

#include "icon_picture.h"

namespace {

using namespace zorvane::icon;

void PutLe(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

std::size_t RowBytes(int bits) {
  return static_cast<std::size_t>((bits + 31) / 32 * 4);
}

std::vector<std::uint8_t> DrawImage(int size) {
  std::vector<std::uint8_t> image;
  const std::size_t pixelRow = RowBytes(size * 8), maskRow = RowBytes(size);
  const auto pixelBytes = static_cast<std::uint32_t>(pixelRow * size + maskRow * size);
  for (std::uint32_t field :
       {40u, static_cast<std::uint32_t>(size), static_cast<std::uint32_t>(2 * size)}) {
    PutLe(image, field, 4);
  }
  PutLe(image, 1, 2);  // planes
  PutLe(image, 8, 2);  // bits per pixel
  for (std::uint32_t field : {0u, pixelBytes, 0u, 0u, 256u, 0u}) PutLe(image, field, 4);
  for (int index = 0; index < 256; ++index) {
    const Rgb rgb = index < 7 ? Palette[index] : Rgb{0, 0, 0};
    image.insert(image.end(), {rgb.blue, rgb.green, rgb.red, 0});
  }
  std::vector<std::uint8_t> mask;
  for (int row = size - 1; row >= 0; --row) {  // bottom-up, as bitmaps are
    std::vector<std::uint8_t> maskBits(maskRow, 0);
    for (int column = 0; column < static_cast<int>(pixelRow); ++column) {
      Colour colour = Clear;
      if (column < size) colour = ColourAt((column + 0.5) / size, (row + 0.5) / size);
      image.push_back(colour);
      if (column < size && colour == Clear) maskBits[column / 8] |= 0x80 >> (column % 8);
    }
    mask.insert(mask.end(), maskBits.begin(), maskBits.end());
  }
  image.insert(image.end(), mask.begin(), mask.end());
  return image;
}

}  // namespace

int main() {
  const int sizes[] = {48, 32, 16};
  std::vector<std::vector<std::uint8_t>> images;
  for (int size : sizes) images.push_back(DrawImage(size));
  std::vector<std::uint8_t> file;
  PutLe(file, 0, 2);
  PutLe(file, 1, 2);  // icon, not cursor
  PutLe(file, 3, 2);
  std::uint32_t offset = 6 + 16 * 3;
  for (std::size_t i = 0; i < images.size(); ++i) {
    file.insert(file.end(), {static_cast<std::uint8_t>(sizes[i]),
                             static_cast<std::uint8_t>(sizes[i]), 0, 0});  // 0 colours means 256
    PutLe(file, 1, 2);
    PutLe(file, 8, 2);
    PutLe(file, static_cast<std::uint32_t>(images[i].size()), 4);
    PutLe(file, offset, 4);
    offset += static_cast<std::uint32_t>(images[i].size());
  }
  for (const auto& image : images) file.insert(file.end(), image.begin(), image.end());
  return std::fwrite(file.data(), 1, file.size(), stdout) == file.size() ? 0 : 1;
}
