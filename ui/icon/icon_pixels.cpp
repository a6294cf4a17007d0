// Paints the program's icon at each of its sizes and writes the pixels as a
// C++ source file, compiled into the program: usage morna_icon_pixels OUT.
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "ui/icon/appicon.h"

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUT.cpp\n", argv[0]);
    return 2;
  }
  std::FILE* out = std::fopen(argv[1], "w");
  if (!out) {
    std::fprintf(stderr, "morna_icon_pixels: cannot write %s\n", argv[1]);
    return 1;
  }
  std::fprintf(out, "// Written by morna_icon_pixels; do not edit.\n#include \"ui/icon/appicon.h\"\n\n"
                    "namespace morna::ui {\nnamespace {\n");
  for (const int size : morna::ui::kAppIconSizes) {
    const QImage image =
        morna::ui::AppIconPixmap(size).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    std::fprintf(out, "const std::uint32_t kIcon%d[] = {", size);
    for (int y = 0; y < size; ++y) {
      const auto* row = reinterpret_cast<const std::uint32_t*>(image.constScanLine(y));
      for (int x = 0; x < size; ++x) std::fprintf(out, "%s0x%08x,", x % 8 ? "" : "\n", row[x]);
    }
    std::fprintf(out, "};\n");
  }
  std::fprintf(out, "}  // namespace\n\nconst std::uint32_t* const kAppIconBuilt[kAppIconCount] = {");
  for (const int size : morna::ui::kAppIconSizes) std::fprintf(out, "kIcon%d, ", size);
  std::fprintf(out, "};\n\n}  // namespace morna::ui\n");
  return std::fclose(out) == 0 ? 0 : 1;
}
