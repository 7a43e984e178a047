// Linked into every test program: the tests draw and measure headless unless
// the environment names a platform of its own.

#include <stdlib.h>

namespace {

struct Headless {
  Headless() { setenv("QT_QPA_PLATFORM", "offscreen", 0); }
};

const Headless headless;

}  // namespace
