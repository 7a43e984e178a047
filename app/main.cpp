// quorix-smilies: the smilies set viewer.

#include <cstdio>
#include <string>

#include "app/startup.h"

int main(int argc, char** argv) {
  quorix::TViewerOptions options;
  std::string error;
  if (!quorix::ParseViewerOptions(argc, argv, options, error)) {
    std::fprintf(stderr, "quorix-smilies: %s\n%s", error.c_str(), quorix::ViewerUsage().c_str());
    return 2;
  }
  if (options.Help) {
    std::fputs(quorix::ViewerUsage().c_str(), stdout);
    return 0;
  }
  if (options.Version) {
    std::printf("quorix-smilies %s\n", QUORIX_VERSION);
    return 0;
  }
  return quorix::RunViewer(argc, argv, options);
}
