// quorix-richview-demo FILE.txt: the rich-view component on its own. Shows a
// UTF-8 text file in a TRichView: one paragraph per line, a line that starts
// with "# " as a heading, an empty line as an empty paragraph; the window can
// be resized and scrolled with its vertical bar. With --screenshot it renders
// the window headless into a PNG file instead.

#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/controls.h"
#include "platform/files.h"
#include "platform/graphics.h"
#include "richview/control/rich_view.h"
#include "richview/styles/rv_style.h"

namespace {

using namespace quorix;

// Text styles of the default style sheet the demo uses.
constexpr int kBodyStyle = 0;
constexpr int kHeadingStyle = 1;
// The file is read whole; a text demo has no business with more than this.
constexpr std::size_t kMaxFileSize = 64u << 20;

struct DemoOptions {
  std::string File;
  int Width = 640;
  int Height = 480;
  int ScrollTo = -1;
  std::string Screenshot;
};

const char* const kUsage =
    "Usage: quorix-richview-demo FILE.txt [--width N] [--height N] [--scroll-to Y] [--screenshot FILE.png]\n"
    "Shows a UTF-8 text file in the rich-view control: one paragraph per line,\n"
    "lines starting with \"# \" as headings, empty lines as empty paragraphs.\n"
    "  --width N, --height N  the window's client size (default 640 x 480)\n"
    "  --scroll-to Y          scroll the document to pixel Y first\n"
    "  --screenshot FILE      render the window headless, write it as PNG and exit\n";

bool ParseNumber(const std::string& text, int min, int max, int& value) {
  if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) return false;
  value = std::stoi(text);
  return value >= min && value <= max;
}

// 0: parsed; otherwise the exit status (1 done, 2 usage error).
int ParseOptions(int argc, char** argv, DemoOptions& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 1;
    }
    auto number = [&](int min, int max, int& value) {
      if (i + 1 >= argc || !ParseNumber(argv[i + 1], min, max, value)) {
        std::fprintf(stderr, "quorix-richview-demo: %s needs a number from %d to %d\n", arg.c_str(), min, max);
        return false;
      }
      ++i;
      return true;
    };
    if (arg == "--width") {
      if (!number(50, 10000, options.Width)) return 2;
    } else if (arg == "--height") {
      if (!number(50, 10000, options.Height)) return 2;
    } else if (arg == "--scroll-to") {
      if (!number(0, 100000000, options.ScrollTo)) return 2;
    } else if (arg == "--screenshot") {
      if (i + 1 >= argc || std::string(argv[i + 1]).empty()) {
        std::fprintf(stderr, "quorix-richview-demo: --screenshot needs a file name\n");
        return 2;
      }
      options.Screenshot = argv[++i];
    } else if (!arg.empty() && arg[0] == '-') {
      std::fprintf(stderr, "quorix-richview-demo: unknown option %s\n%s", arg.c_str(), kUsage);
      return 2;
    } else if (options.File.empty()) {
      options.File = arg;
    } else {
      std::fprintf(stderr, "quorix-richview-demo: one file at a time\n%s", kUsage);
      return 2;
    }
  }
  if (options.File.empty()) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  return 0;
}

// The window: one rich view filling the client area.
class TDemoForm : public TForm {
 public:
  explicit TDemoForm(const DemoOptions& options) : view_(this) {
    SetCaption(u"quorix-richview-demo");
    SetBounds(100, 100, options.Width, options.Height);
    view_.Name = "rvDemo";
    view_.SetStyle(&style_);
    view_.SetBorderStyle(bsNone);
    view_.SetBounds(0, 0, options.Width, options.Height);
    OnResize = [this](TControl*) { view_.SetBounds(0, 0, ClientWidth(), ClientHeight()); };
  }

  void ShowDocument(const std::vector<UnicodeString>& lines, int scrollTo) {
    view_.Clear();
    for (const UnicodeString& line : lines) {
      if (line.starts_with(u"# "))
        view_.AddNL(line.substr(2), kHeadingStyle, 0);
      else
        view_.AddNL(line, kBodyStyle, 0);
    }
    view_.Format();
    if (scrollTo >= 0) view_.ScrollTo(scrollTo);
  }

 private:
  TRVStyle style_;
  TRichView view_;
};

bool ReadLines(const std::string& path, std::vector<UnicodeString>& lines) {
  std::string bytes;
  const ReadFileResult result = ReadWholeFile(path, bytes, kMaxFileSize);
  if (result != ReadFileResult::Ok) {
    std::fprintf(stderr, "quorix-richview-demo: cannot read %s%s\n", path.c_str(),
                 result == ReadFileResult::TooLarge ? " (too large)" : "");
    return false;
  }
  if (bytes.starts_with("\xEF\xBB\xBF")) bytes.erase(0, 3);
  lines = SplitLines(Utf8ToUtf16(bytes));
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  DemoOptions options;
  if (const int status = ParseOptions(argc, argv, options)) return status == 1 ? 0 : status;
  std::vector<UnicodeString> lines;
  if (!ReadLines(options.File, lines)) return 1;
  const bool screenshot = !options.Screenshot.empty();
  if (screenshot && !std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);

  TApplication& application = Application();
  int status = 1;
  try {
    application.Initialize(argc, argv);
    application.Title = u"quorix-richview-demo";
    if (screenshot)
      application.OnException = [](const Exception& e) { std::fprintf(stderr, "quorix-richview-demo: %s\n", e.what()); };
    auto& form = application.CreateForm<TDemoForm>(options);
    form.ShowDocument(lines, options.ScrollTo);
    if (screenshot) {
      form.ShowOffScreen();
      application.ProcessMessages();
      TBitmap shot;
      form.GrabClientArea(shot);
      if (shot.SaveToPngFile(options.Screenshot)) {
        status = 0;
      } else {
        std::fprintf(stderr, "quorix-richview-demo: cannot write %s\n", options.Screenshot.c_str());
      }
    } else {
      application.Run();
      status = 0;
    }
  } catch (...) {
    application.HandleException(std::current_exception());
  }
  application.Finalize();
  return status;
}
