// Renders the HSV colour picker as the colour dialog shows it and writes the picture to a
// bitmap file, for a person to look at.
//
//   render-picker OUT.bmp [--color AARRGGBB] [--size WxH] [--hue H] [--saturation S]
//                 [--value V] [--visual-aid LIST] [--render-type solid|invert|bw]
//                 [--mark-color AARRGGBB] [--line-width W] [--border] [--web-safe]
//                 [--background RRGGBB] [--press X,Y] [--drag X,Y]...
//
// Without options: 345 x 289, opaque white, the selection mark only, on the button face.

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/sim/headless_ui.h"
#include "platform/sim/scripted_widget_system.h"
#include "toolkit/application.h"
#include "toolkit/bmp_file.h"
#include "toolkit/form.h"
#include "widgets/color_picker_hsv.h"

namespace {

using namespace kb;

constexpr int kButtonFaceIndex = 15;

struct Options {
  std::string output;
  int width = 345;
  int height = 289;
  TColor32 color = 0xFFFFFFFFu;
  std::optional<float> hue;
  std::optional<float> saturation;
  std::optional<float> value;
  TVisualAid visual_aid{TVisualAidItem::vaSelection};
  TVisualAidRenderType render_type = TVisualAidRenderType::vatInvert;
  std::optional<TColor32> mark_color;
  std::optional<float> line_width;
  bool border = false;
  bool web_safe = false;
  std::uint32_t background = 0xF0F0F0;
  std::vector<std::pair<int, int>> drag;  // press at the first point, move through the rest
};

[[noreturn]] void fail(const std::string& message) {
  throw std::invalid_argument(message);
}

std::uint32_t parse_hex(const std::string& text, std::size_t digits, const char* what) {
  if (text.size() != digits || text.find_first_not_of("0123456789abcdefABCDEF") != text.npos) {
    fail(std::string(what) + " takes " + std::to_string(digits) + " hexadecimal digits: " + text);
  }
  return static_cast<std::uint32_t>(std::stoul(text, nullptr, 16));
}

float parse_float(const std::string& text, const char* what) {
  std::istringstream in(text);
  float value = 0;
  if (!(in >> value) || !in.eof()) {
    fail(std::string(what) + " takes a number: " + text);
  }
  return value;
}

std::pair<int, int> parse_pair(const std::string& text, char separator, const char* what) {
  const std::size_t at = text.find(separator);
  try {
    if (at == std::string::npos) {
      throw std::invalid_argument(text);
    }
    std::size_t used = 0;
    const int a = std::stoi(text.substr(0, at), &used);
    if (used != at) {
      throw std::invalid_argument(text);
    }
    const std::string rest = text.substr(at + 1);
    const int b = std::stoi(rest, &used);
    if (used != rest.size()) {
      throw std::invalid_argument(text);
    }
    return {a, b};
  } catch (const std::exception&) {
    fail(std::string(what) + " takes two whole numbers as A" + separator + "B: " + text);
  }
}

TVisualAid parse_visual_aid(const std::string& text) {
  TVisualAid aid;
  if (text == "none") {
    return aid;
  }
  std::istringstream in(text);
  std::string item;
  while (std::getline(in, item, ',')) {
    if (item == "hue-line") {
      aid.include(TVisualAidItem::vaHueLine);
    } else if (item == "saturation-circle") {
      aid.include(TVisualAidItem::vaSaturationCircle);
    } else if (item == "selection") {
      aid.include(TVisualAidItem::vaSelection);
    } else if (item == "all") {
      aid = {TVisualAidItem::vaHueLine, TVisualAidItem::vaSaturationCircle,
             TVisualAidItem::vaSelection};
    } else {
      fail("--visual-aid takes hue-line, saturation-circle, selection, all or none: " + item);
    }
  }
  return aid;
}

Options parse(int argc, char** argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const auto next = [&]() -> std::string {
      if (i + 1 >= argc) {
        fail(arg + " needs a value");
      }
      return argv[++i];
    };
    if (arg == "--color") {
      options.color = parse_hex(next(), 8, "--color");
    } else if (arg == "--size") {
      const auto [w, h] = parse_pair(next(), 'x', "--size");
      if (w < 40 || h < 40 || w > 4096 || h > 4096) {
        fail("--size takes a width and height from 40 to 4096");
      }
      options.width = w;
      options.height = h;
    } else if (arg == "--hue") {
      options.hue = parse_float(next(), "--hue");
    } else if (arg == "--saturation") {
      options.saturation = parse_float(next(), "--saturation");
    } else if (arg == "--value") {
      options.value = parse_float(next(), "--value");
    } else if (arg == "--visual-aid") {
      options.visual_aid = parse_visual_aid(next());
    } else if (arg == "--render-type") {
      const std::string type = next();
      if (type == "solid") {
        options.render_type = TVisualAidRenderType::vatSolid;
      } else if (type == "invert") {
        options.render_type = TVisualAidRenderType::vatInvert;
      } else if (type == "bw") {
        options.render_type = TVisualAidRenderType::vatBW;
      } else {
        fail("--render-type takes solid, invert or bw: " + type);
      }
    } else if (arg == "--mark-color") {
      options.mark_color = parse_hex(next(), 8, "--mark-color");
    } else if (arg == "--line-width") {
      options.line_width = parse_float(next(), "--line-width");
    } else if (arg == "--border") {
      options.border = true;
    } else if (arg == "--web-safe") {
      options.web_safe = true;
    } else if (arg == "--background") {
      options.background = parse_hex(next(), 6, "--background");
    } else if (arg == "--press" || arg == "--drag") {
      if (arg == "--press" && !options.drag.empty()) {
        fail("--press comes before any --drag, once");
      }
      if (arg == "--drag" && options.drag.empty()) {
        fail("--drag follows a --press");
      }
      options.drag.push_back(parse_pair(next(), ',', arg.c_str()));
    } else if (!arg.empty() && arg[0] == '-') {
      fail("unknown option " + arg);
    } else if (options.output.empty()) {
      options.output = arg;
    } else {
      fail("one output file only: " + arg);
    }
  }
  if (options.output.empty()) {
    fail("no output file given");
  }
  return options;
}

// Writes beside the target and renames over it, so that no half-written file remains.
void write_file(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  const std::filesystem::path target(path);
  std::filesystem::path temporary = target;
  temporary += ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::error_code ignored;
      std::filesystem::remove(temporary, ignored);
      throw std::runtime_error("cannot write " + temporary.string());
    }
  }
  std::filesystem::rename(temporary, target);
}

}  // namespace

constexpr const char* kUsage =
    "usage: render-picker OUT.bmp [--color AARRGGBB] [--size WxH] [--hue H]\n"
    "         [--saturation S] [--value V] [--visual-aid LIST|all|none]\n"
    "         [--render-type solid|invert|bw] [--mark-color AARRGGBB]\n"
    "         [--line-width W] [--border] [--web-safe] [--background RRGGBB]\n"
    "         [--press X,Y [--drag X,Y]...]\n"
    "LIST: hue-line, saturation-circle, selection, separated by commas.\n";

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::string(argv[i]) == "--help") {
      std::cout << kUsage;
      return 0;
    }
  }
  Options options;
  try {
    options = parse(argc, argv);
  } catch (const std::invalid_argument& error) {
    std::cerr << "render-picker: " << error.what() << "\n" << kUsage;
    return 2;
  }

  sim::ScriptedWidgetSystem system;
  const std::uint32_t rgb = options.background;
  system.set_system_color(kButtonFaceIndex,
                          ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF));
  // The picker paints only inside a window: a form of its own, never shown.
  sim::HeadlessUi ui;
  Application application(ui);
  Form form(application, u"TForm", u"Form");
  TColorPickerHSV& picker = form.create<TColorPickerHSV>(system);
  picker.SetSize(options.width, options.height);
  picker.SetColor(kClBtnFace);
  picker.SetSelectedColor(options.color);
  picker.SetVisualAid(options.visual_aid);
  picker.VisualAidOptions().SetRenderType(options.render_type);
  if (options.mark_color) {
    picker.VisualAidOptions().SetColor(*options.mark_color);
  }
  if (options.line_width) {
    picker.VisualAidOptions().SetLineWidth(*options.line_width);
  }
  picker.SetBorder(options.border);
  picker.SetWebSafe(options.web_safe);
  if (options.hue) {
    picker.SetHue(*options.hue);
  }
  if (options.saturation) {
    picker.SetSaturation(*options.saturation);
  }
  if (options.value) {
    picker.SetValue(*options.value);
  }
  if (!options.drag.empty()) {
    const auto [x, y] = options.drag.front();
    picker.MouseDown(MouseButton::left, kLeftButtonDown, x, y);
    for (std::size_t i = 1; i < options.drag.size(); ++i) {
      picker.MouseMove(kLeftButtonDown, options.drag[i].first, options.drag[i].second);
    }
    const auto [ex, ey] = options.drag.back();
    picker.MouseUp(MouseButton::left, 0, ex, ey);
  }

  try {
    write_file(options.output, encode_bmp(*picker.Paint()));
  } catch (const std::exception& error) {
    std::cerr << "render-picker: " << error.what() << "\n";
    return 1;
  }
  char summary[160];
  std::snprintf(summary, sizeof summary, "SelectedColor=%08X Hue=%.6f Saturation=%.6f Value=%.6f",
                static_cast<unsigned>(picker.SelectedColor()), static_cast<double>(picker.Hue()),
                static_cast<double>(picker.Saturation()), static_cast<double>(picker.Value()));
  std::cout << summary << "\n";
  return 0;
}
