// Listed programs run as processes of their own, started directly (no shell).
#pragma once

#include <QProcess>
#include <memory>

#include "kiosk/core/commands/program_launcher.h"

namespace tw {

class QtProcessRunner : public ProcessRunner {
 public:
  ~QtProcessRunner() override;
  bool Start(const std::vector<std::string>& argv) override;
  // Runs the kiosk's event loop until the program ends, so timers, pokes and marker files
  // keep working while it runs.
  void WaitForEnd() override;
  // Terminates the program, and kills it when it is still there after kEndGraceMs.
  void End() override;

  static constexpr int kEndGraceMs = 3000;

 private:
  std::unique_ptr<QProcess> process_;
};

}  // namespace tw
