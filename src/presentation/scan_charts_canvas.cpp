#include "presentation/scan_charts_canvas.h"

#include <cstdlib>
#include <numbers>
#include <stdexcept>

#include "plots/font_face.h"

namespace modelcheck {

namespace {

// No title needs more: the widest line holds fewer characters at 12 pixels.
constexpr std::size_t kLongestFittedText = 400;

void ThrowOnError(cairo_status_t status, const char* what) {
  if (status != CAIRO_STATUS_SUCCESS) {
    throw std::runtime_error(std::string("cannot ") + what + ": " + cairo_status_to_string(status));
  }
}

cairo_status_t AppendPngBytes(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

// Grey anti-aliasing, whatever the font configuration says: sub-pixel
// colour fringes would make the file depend on the machine's settings.
void SetFontOptions(cairo_t* cr) {
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_ON);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

void SelectFont(cairo_t* cr, const TextStyle& style) {
  cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL,
                         style.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_font_size(cr, style.size);
}

// The length of the valid UTF-8 character at the start of `text`, or 0.
std::size_t CharacterLength(std::string_view text) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead >= 0x20 && lead < 0x7F) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // the second byte's range, narrowed against overlong forms and surrogates
  if (lead >= 0xC2 && lead <= 0xDF) length = 2;
  if (lead >= 0xE0 && lead <= 0xEF) length = 3;
  if (lead >= 0xF0 && lead <= 0xF4) length = 4;
  if (lead == 0xE0) low = 0xA0;
  if (lead == 0xED) high = 0x9F;
  if (lead == 0xF0) low = 0x90;
  if (lead == 0xF4) high = 0x8F;
  if (length == 0 || text.size() < length || byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (byte(i) < 0x80 || byte(i) > 0xBF) return 0;
  }
  return length;
}

// The start of the last character of valid UTF-8 `text`.
std::size_t LastCharacterStart(std::string_view text) {
  std::size_t start = text.size() - 1;
  while (start > 0 && (static_cast<unsigned char>(text[start]) & 0xC0) == 0x80) --start;
  return start;
}

// The font caches hold fontconfig's patterns for the life of the process;
// releasing them at exit keeps leak checkers quiet about memory still held.
// fontconfig is set up first, so that its own release (registered with it)
// runs after cairo has let go of the patterns: exit handlers run in reverse.
void ReleaseCachesAtExit() {
  static const bool registered = [] {
    InitialiseFontLookup();
    return std::atexit(cairo_debug_reset_static_data) == 0;
  }();
  static_cast<void>(registered);
}

}  // namespace

ChartCanvas::ChartCanvas() {
  ReleaseCachesAtExit();
  surface_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kChartWidth, kChartHeight);
  context_ = cairo_create(surface_);
  if (const cairo_status_t status = cairo_status(context_); status != CAIRO_STATUS_SUCCESS) {
    // The destructor does not run after a constructor throws.
    cairo_destroy(context_);
    cairo_surface_destroy(surface_);
    ThrowOnError(status, "make the chart image");
  }
  cairo_set_antialias(context_, CAIRO_ANTIALIAS_GRAY);
  SetFontOptions(context_);
  SetColour(context_, kWhite);
  cairo_paint(context_);
}

ChartCanvas::~ChartCanvas() {
  cairo_destroy(context_);
  cairo_surface_destroy(surface_);
}

std::string ChartCanvas::Png() const {
  ThrowOnError(cairo_status(context_), "draw the chart");
  cairo_surface_flush(surface_);
  std::string bytes;
  ThrowOnError(cairo_surface_write_to_png_stream(surface_, AppendPngBytes, &bytes), "encode the chart as PNG");
  return bytes;
}

void SetColour(cairo_t* cr, const ChartColour& colour) {
  cairo_set_source_rgb(cr, colour.red, colour.green, colour.blue);
}

void FillRectangle(cairo_t* cr, double x, double y, double width, double height, const ChartColour& colour) {
  SetColour(cr, colour);
  cairo_rectangle(cr, x, y, width, height);
  cairo_fill(cr);
}

double TextWidth(cairo_t* cr, std::string_view text, const TextStyle& style) {
  SelectFont(cr, style);
  cairo_text_extents_t extents;
  cairo_text_extents(cr, DrawableText(text).c_str(), &extents);
  return extents.x_advance;
}

void DrawText(cairo_t* cr, std::string_view text, double x, double y, Anchor anchor, const TextStyle& style) {
  const double width = TextWidth(cr, text, style);
  if (anchor == Anchor::kCentre) x -= width / 2.0;
  if (anchor == Anchor::kRight) x -= width;
  SetColour(cr, style.colour);
  cairo_move_to(cr, x, y);
  cairo_show_text(cr, DrawableText(text).c_str());
  cairo_new_path(cr);
}

void DrawUpwardText(cairo_t* cr, std::string_view text, double x, double y, const TextStyle& style) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_rotate(cr, -std::numbers::pi / 2.0);
  DrawText(cr, text, 0.0, 0.0, Anchor::kCentre, style);
  cairo_restore(cr);
}

std::string FitText(cairo_t* cr, std::string_view text, double width, const TextStyle& style) {
  std::string fitted = DrawableText(text);
  if (TextWidth(cr, fitted, style) <= width) return fitted;
  if (fitted.size() > kLongestFittedText) fitted.resize(LastCharacterStart(fitted.substr(0, kLongestFittedText + 1)));
  while (!fitted.empty() && TextWidth(cr, fitted + "…", style) > width) fitted.resize(LastCharacterStart(fitted));
  return fitted + "…";
}

std::string DrawableText(std::string_view text) {
  std::string drawable;
  drawable.reserve(text.size());
  while (!text.empty()) {
    const std::size_t length = CharacterLength(text);
    drawable.append(length == 0 ? "?" : text.substr(0, length));
    text.remove_prefix(length == 0 ? 1 : length);
  }
  return drawable;
}

}  // namespace modelcheck
