#include "app/startup.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "app/main_form.h"
#include "platform/controls.h"
#include "platform/graphics.h"
#include "smilies/smilies_table.h"

namespace quorix {

namespace {

// A non-negative decimal number of at most nine digits.
bool ParseCount(const std::string& text, int& value) {
  if (text.empty() || text.size() > 9) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  value = std::stoi(text);
  return true;
}

int WriteScreenshot(TfQuorixSmilies& form, const TViewerOptions& options) {
  form.ShowOffScreen();
  Application().RunFor(options.AfterMs);
  TBitmap shot;
  form.GrabClientArea(shot);
  if (!shot.SaveToPngFile(options.ScreenshotPath)) {
    std::fprintf(stderr, "quorix-smilies: cannot write %s\n", options.ScreenshotPath.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

bool ParseViewerOptions(int argc, char** argv, TViewerOptions& options, std::string& error) {
  bool afterMsGiven = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&](std::string& out) {
      if (i + 1 >= argc) {
        error = arg + " needs a value";
        return false;
      }
      out = argv[++i];
      return true;
    };
    if (arg == "--help" || arg == "-h") {
      options.Help = true;
    } else if (arg == "--version") {
      options.Version = true;
    } else if (arg == "--dir") {
      if (!value(options.Directory)) return false;
    } else if (arg == "--screenshot") {
      if (!value(options.ScreenshotPath)) return false;
      if (options.ScreenshotPath.empty()) {
        error = "--screenshot needs a file name";
        return false;
      }
    } else if (arg == "--group") {
      std::string text;
      if (!value(text)) return false;
      if (!ParseCount(text, options.Group)) {
        error = "--group needs a group number from 0, not " + text;
        return false;
      }
    } else if (arg == "--after-ms") {
      std::string text;
      if (!value(text)) return false;
      if (!ParseCount(text, options.AfterMs)) {
        error = "--after-ms needs a number of milliseconds, not " + text;
        return false;
      }
      afterMsGiven = true;
    } else {
      error = "unknown argument " + arg;
      return false;
    }
  }
  if (afterMsGiven && options.ScreenshotPath.empty()) {
    error = "--after-ms goes with --screenshot";
    return false;
  }
  return true;
}

std::string ViewerUsage() {
  return "Usage: quorix-smilies [--dir DIR] [--group N] [--screenshot FILE.png [--after-ms N]]\n"
         "Shows the smilies set listed in Smilies_serv.txt of the working directory.\n"
         "  --dir DIR            change to DIR first\n"
         "  --group N            show group N (from 0) after the first refresh, as a tab press does\n"
         "  --screenshot FILE    render the window after the first refresh, write it as PNG, exit\n"
         "  --after-ms N         with --screenshot: run the message loop N ms first\n"
         "  --help               this text\n"
         "  --version            the program's version\n";
}

int RunViewer(int argc, char** argv, const TViewerOptions& options) {
  if (!options.Directory.empty()) {
    std::error_code ec;
    std::filesystem::current_path(options.Directory, ec);
    if (ec) {
      std::fprintf(stderr, "quorix-smilies: cannot change to %s: %s\n", options.Directory.c_str(),
                   ec.message().c_str());
      return 1;
    }
  }
  const bool screenshot = !options.ScreenshotPath.empty();
  // A screenshot needs no display; without one named, draw off screen.
  if (screenshot && !std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);

  TApplication& application = Application();
  int status = 1;
  try {
    application.Initialize(argc, argv);
    if (screenshot) {
      // Nobody is there to close an error box: errors go to standard error.
      application.OnException = [](const Exception& e) { std::fprintf(stderr, "quorix-smilies: %s\n", e.what()); };
    }
    auto& form = application.CreateForm<TfQuorixSmilies>();
    if (options.Group >= 0) {
      if (options.Group >= GroupCount) {
        std::fprintf(stderr, "quorix-smilies: --group %d: the set has %d group%s (0 to %d)\n%s", options.Group,
                     GroupCount, GroupCount == 1 ? "" : "s", GroupCount - 1, ViewerUsage().c_str());
        application.Finalize();
        return 2;
      }
      DeliverEvent([&form, &options] { form.ShowGroup(options.Group); });
    }
    if (screenshot) {
      status = WriteScreenshot(form, options);
    } else {
      application.Run();
      status = 0;
    }
  } catch (...) {
    // Shown in the error box (one that is no standard exception at all with an
    // empty message); then the program ends.
    application.HandleException(std::current_exception());
  }
  application.Finalize();
  return status;
}

}  // namespace quorix
