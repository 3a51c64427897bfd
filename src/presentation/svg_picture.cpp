#include "presentation/svg_picture.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "plots/graphics_surface.h"

namespace modelcheck {

namespace {

std::string Colour(int index) {
  const Rgb& rgb = kPalette[static_cast<std::size_t>(index)];
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", rgb.red, rgb.green, rgb.blue);
  return text;
}

std::string Number(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.10g", value);
  return text;
}

// Latin-1 to UTF-8, with the characters XML reserves escaped; trailing blanks
// of a fixed-width field paint nothing and are dropped.
std::string XmlText(const std::string& latin1) {
  const std::size_t end = latin1.find_last_not_of(' ');
  std::string text;
  for (std::size_t i = 0; end != std::string::npos && i <= end; ++i) {
    const auto c = static_cast<unsigned char>(latin1[i]);
    if (c == '&')
      text += "&amp;";
    else if (c == '<')
      text += "&lt;";
    else if (c == '>')
      text += "&gt;";
    else if (c < 0x20)
      text += ' ';
    else if (c < 0x80)
      text += static_cast<char>(c);
    else {
      text += static_cast<char>(0xC0 | (c >> 6));
      text += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return text;
}

std::string Element(const VectorItem& item) {
  const std::string colour = Colour(item.colour);
  switch (item.shape) {
    case VectorShape::kLine:
      return "<line x1=\"" + Number(item.x1 + 0.5) + "\" y1=\"" + Number(item.y1 + 0.5) + "\" x2=\"" +
             Number(item.x2 + 0.5) + "\" y2=\"" + Number(item.y2 + 0.5) + "\" stroke=\"" + colour + "\"/>\n";
    case VectorShape::kPixel:
      return "<rect x=\"" + Number(item.x1) + "\" y=\"" + Number(item.y1) + "\" width=\"1\" height=\"1\" fill=\"" +
             colour + "\"/>\n";
    case VectorShape::kRectangle:
      return "<rect x=\"" + Number(std::min(item.x1, item.x2) + 0.5) + "\" y=\"" +
             Number(std::min(item.y1, item.y2) + 0.5) + "\" width=\"" + Number(std::abs(item.x2 - item.x1)) +
             "\" height=\"" + Number(std::abs(item.y2 - item.y1)) + "\" fill=\"none\" stroke=\"" + colour + "\"/>\n";
    case VectorShape::kText: {
      const FontOptions& font = item.font;
      return "<text x=\"" + Number(item.x1) + "\" y=\"" + Number(TextBaseline(item)) + "\" font-family=\"" +
             XmlText(font.typeface) + "\" font-size=\"" + Number(TextPixelSize(item)) + "\"" +
             (font.italic ? " font-style=\"italic\"" : "") + (font.bold ? " font-weight=\"bold\"" : "") + " fill=\"" +
             colour + "\" xml:space=\"preserve\">" + XmlText(item.text) + "</text>\n";
    }
  }
  return {};
}

}  // namespace

std::string SvgPicture(const VectorSurface& picture) {
  std::string svg =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" +
      Number(kSurfaceWidth) + "\" height=\"" + Number(kSurfaceHeight) + "\" viewBox=\"0 0 " + Number(kSurfaceWidth) +
      " " + Number(kSurfaceHeight) + "\">\n<title>" + XmlText(picture.title) + "</title>\n";
  svg += "<rect width=\"100%\" height=\"100%\" fill=\"" + Colour(picture.background) + "\"/>\n";
  svg += "<g stroke-width=\"1\" stroke-linecap=\"square\">\n";
  for (const VectorItem& item : picture.items) svg += Element(item);
  return svg + "</g>\n</svg>\n";
}

}  // namespace modelcheck
