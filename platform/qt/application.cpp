// The application object on QApplication: start-up, the message loop, and the
// guard that keeps exceptions from crossing Qt's event loop.

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <string>
#include <vector>

#include "platform/controls.h"
#include "platform/qt/control_window.h"
#include "platform/qt/gui_application.h"

namespace quorix {

struct TApplication::Toolkit {
  // QApplication keeps references to argc and argv for its whole life.
  int argc = 0;
  std::vector<std::string> arguments;
  std::vector<char*> argv;
  QApplication* app = nullptr;
  bool ownsApp = false;
};

TApplication::TApplication() = default;

TApplication::~TApplication() {
  // Forms left until now go while the process ends. The QApplication is left
  // standing here on purpose: destroying it this late, after Qt's own static
  // objects, is not safe. Programs call Finalize() before main returns.
  forms_.clear();
}

void TApplication::Finalize() {
  forms_.clear();
  mainForm_ = nullptr;
  if (toolkit_ && toolkit_->ownsApp) delete toolkit_->app;
  toolkit_.reset();
}

void TApplication::Initialize(int argc, char** argv) {
  if (toolkit_) return;
  auto toolkit = std::make_unique<Toolkit>();
  for (int i = 0; i < argc; ++i) toolkit->arguments.emplace_back(argv[i]);
  if (toolkit->arguments.empty()) toolkit->arguments.emplace_back("quorix-smilies");
  for (std::string& a : toolkit->arguments) toolkit->argv.push_back(a.data());
  toolkit->argv.push_back(nullptr);
  toolkit->argc = static_cast<int>(toolkit->arguments.size());
  if (QApplication* existing = qobject_cast<QApplication*>(QCoreApplication::instance())) {
    toolkit->app = existing;
  } else {
    // Ours until Finalize(); a process that never calls it keeps it to the end.
    toolkit->app = new QApplication(toolkit->argc, toolkit->argv.data());
    toolkit->ownsApp = true;
  }
  toolkit_ = std::move(toolkit);
  // System colours now resolve through this application's palette.
  qt::EnsureGuiApplication();
}

bool TApplication::Initialized() const { return toolkit_ != nullptr; }

void TApplication::EnsureToolkit() { Initialize(0, nullptr); }

void TApplication::AdoptForm(std::unique_ptr<TForm> form) {
  if (!mainForm_) mainForm_ = form.get();
  forms_.push_back(std::move(form));
}

void TApplication::Run() {
  EnsureToolkit();
  if (!mainForm_) return;
  mainForm_->Show();
  QApplication::exec();
}

void TApplication::ProcessMessages() {
  EnsureToolkit();
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void TApplication::RunFor(int milliseconds) {
  EnsureToolkit();
  if (milliseconds <= 0) {
    ProcessMessages();
    return;
  }
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
  ProcessMessages();
}

void TApplication::Terminate() {
  if (toolkit_) QCoreApplication::quit();
}

void TApplication::HandleException(std::exception_ptr error) {
  if (!error) return;
  auto report = [this](const Exception& e) {
    try {
      if (OnException) {
        OnException(e);
      } else {
        ShowException(e);
      }
    } catch (...) {
      // The error handler itself failed; there is nobody left to tell but stderr.
      std::fprintf(stderr, "%s\n", e.what());
    }
  };
  try {
    std::rethrow_exception(error);
  } catch (const Exception& e) {
    report(e);
  } catch (const std::exception& e) {
    report(Exception(e.what()));
  } catch (...) {
    report(Exception(""));
  }
}

std::string TApplication::ErrorBoxText(const Exception& E) {
  std::string message = E.what();
  if (!message.empty() && message.back() != '.') message += '.';
  return message;
}

void TApplication::ShowException(const Exception& E) {
  const std::string message = ErrorBoxText(E);
  if (!toolkit_) {
    std::fprintf(stderr, "%s\n", message.c_str());
    return;
  }
  QWidget* owner = mainForm_ ? mainForm_->Window().Widget.data() : nullptr;
  QMessageBox::critical(owner, QString::fromStdU16String(Title), QString::fromStdString(message));
}

TApplication& Application() {
  static TApplication application;
  return application;
}

void DeliverEvent(const std::function<void()>& handler) {
  try {
    handler();
  } catch (...) {
    Application().HandleException(std::current_exception());
  }
}

}  // namespace quorix
