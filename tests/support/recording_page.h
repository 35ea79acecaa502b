#pragma once
#include <string>
#include <vector>

#include "page_machinery/page_window.h"

using Log = std::vector<std::string>;

// A body page that keeps what the frame does with it, in a log shared by all pages.
class RecordingPage : public app::PageWindow {
 public:
  RecordingPage(DuiLib::CPaintManagerUI* manager, int index, const wchar_t* layout, Log* log)
      : PageWindow(manager), index_(index), layout_(layout), log_(log) {}
  const wchar_t* LayoutFile() const override { return layout_; }
  void OnCommand(const std::string& word) override {
    log_->push_back(std::to_string(index_) + ":" + word);
  }

 protected:
  void InitControls() override { log_->push_back(std::to_string(index_) + ":loaded"); }

 private:
  int index_;
  const wchar_t* layout_;
  Log* log_;
};
