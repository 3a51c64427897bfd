#include "apps/desktop/message_output.h"

#include <QString>
#include <iostream>
#include <memory>
#include <streambuf>
#include <string>

#include "apps/desktop/desktop_windows.h"
#include "apps/desktop/dialogue_view.h"
#include "apps/desktop/window_thread.h"

namespace modelcheck {

namespace {

// Passes every character on to the real standard output and hands each
// finished line (or what a flush finds) to the dialogue window.
class DialogueCopyBuffer final : public std::streambuf {
 public:
  explicit DialogueCopyBuffer(std::streambuf* original) : original_(original) {}
  std::streambuf* original() const { return original_; }

 protected:
  int_type overflow(int_type ch) override {
    if (traits_type::eq_int_type(ch, traits_type::eof())) return traits_type::not_eof(ch);
    pending_.push_back(traits_type::to_char_type(ch));
    if (ch == '\n') HandOver();
    return original_->sputc(traits_type::to_char_type(ch));
  }

  int sync() override {
    HandOver();
    return original_->pubsync();
  }

 private:
  void HandOver() {
    if (pending_.empty()) return;
    OnWindowThread([text = QString::fromStdString(pending_)] { DialogueWindowView().AppendOutput(text); });
    pending_.clear();
  }

  std::streambuf* original_;
  std::string pending_;
};

std::unique_ptr<DialogueCopyBuffer> copy_buffer;

}  // namespace

void ShowStandardOutputInDialogue() {
  if (copy_buffer != nullptr) return;
  copy_buffer = std::make_unique<DialogueCopyBuffer>(std::cout.rdbuf());
  std::cout.rdbuf(copy_buffer.get());
}

void RestoreStandardOutput() {
  if (copy_buffer == nullptr) return;
  std::cout.flush();
  std::cout.rdbuf(copy_buffer->original());
  copy_buffer.reset();
}

}  // namespace modelcheck
