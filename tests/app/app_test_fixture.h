#pragma once
// The viewer's window tests run in a temporary working directory that holds
// the list file, with the system code page the chat server uses and the
// application's error box replaced by a record of the errors.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/graphics.h"
#include "platform/text.h"
#include "tests/support/temp_dir.h"

namespace quorix::test {

class TAppTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetSystemCodePage(1251);
    previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.Path());
    Application().OnException = [this](const Exception& e) { errors.push_back(e.what()); };
  }
  void TearDown() override {
    Application().OnException = nullptr;
    std::filesystem::current_path(previous);
  }

  // The window as it looks once the waiting events are handled.
  static TBitmap Grab(TForm& form) {
    Application().ProcessMessages();
    TBitmap shot;
    form.GrabClientArea(shot);
    return shot;
  }

  TempDir dir;
  std::filesystem::path previous;
  std::vector<std::string> errors;
};

}  // namespace quorix::test
