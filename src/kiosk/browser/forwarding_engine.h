// A browser engine that passes every operation on to another one, set later. It breaks
// the circle between an engine that needs its event handler at construction and a
// handler that needs its engine.
#pragma once

#include "kiosk/browser/browser_engine.h"

namespace tw {

class ForwardingEngine : public BrowserEngine {
 public:
  void SetTarget(BrowserEngine* target) { target_ = target; }

  void Navigate(const std::string& url) override {
    if (target_) target_->Navigate(url);
  }
  void GoBack() override {
    if (target_) target_->GoBack();
  }
  void GoForward() override {
    if (target_) target_->GoForward();
  }
  void Refresh() override {
    if (target_) target_->Refresh();
  }
  void Stop() override {
    if (target_) target_->Stop();
  }
  void Print() override {
    if (target_) target_->Print();
  }
  void ShowOfflinePage() override {
    if (target_) target_->ShowOfflinePage();
  }

 private:
  BrowserEngine* target_ = nullptr;
};

}  // namespace tw
