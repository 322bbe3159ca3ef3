#include "platform/posix/desktop/gtk/window_icon.h"

#include <cstddef>

#include "icon_picture.h"

namespace zorvane::posix {

void SetWindowIcon(GtkWindow* window) {
  using namespace zorvane::icon;
  constexpr int Size = 48;
  GdkPixbuf* icon = gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, Size, Size);
  guchar* pixels = gdk_pixbuf_get_pixels(icon);
  const int stride = gdk_pixbuf_get_rowstride(icon);
  for (int row = 0; row < Size; ++row) {
    for (int column = 0; column < Size; ++column) {
      const Colour colour = ColourAt((column + 0.5) / Size, (row + 0.5) / Size);
      guchar* pixel =
          pixels + static_cast<std::ptrdiff_t>(row) * stride + std::ptrdiff_t{4} * column;
      const Rgb rgb = Palette[colour];
      pixel[0] = rgb.red;
      pixel[1] = rgb.green;
      pixel[2] = rgb.blue;
      pixel[3] = colour == Clear ? 0 : 255;
    }
  }
  gtk_window_set_icon(window, icon);
  g_object_unref(icon);
}

}  // namespace zorvane::posix
