#pragma once
// Start-up of the viewer program: its command line, and the run of the
// application with the main window.

#include <string>

namespace quorix {

struct TViewerOptions {
  std::string Directory;       // --dir: made the working directory first
  std::string ScreenshotPath;  // --screenshot: write the window as PNG and exit
  int AfterMs = 0;             // --after-ms: message loop time before the screenshot
  int Group = -1;              // --group: show this group after the first refresh
  bool Help = false;
  bool Version = false;
};

// False, with a one-line message in error, for a command line it cannot use.
bool ParseViewerOptions(int argc, char** argv, TViewerOptions& options, std::string& error);
std::string ViewerUsage();

// Initialises the application, creates the main window (which runs the first
// refresh), shows the --group page, and runs the message loop or writes the
// screenshot. A group the set does not have is a usage error (status 2). An
// exception that escapes is shown in the application's error box and ends the
// program with status 1.
int RunViewer(int argc, char** argv, const TViewerOptions& options);

}  // namespace quorix
