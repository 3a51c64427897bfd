#include "errors/message_sink.h"

#include <cstdio>
#include <mutex>
#include <utility>

#include "errors/error_stack_state.h"

namespace modelcheck {

namespace {

struct SinkSlot {
  std::mutex mutex;
  MessageSink sink;
};

SinkSlot& Slot() {
  static SinkSlot slot;
  return slot;
}

thread_local StopCapture* current_capture = nullptr;

}  // namespace

void InstallMessageSink(MessageSink sink) {
  SinkSlot& slot = Slot();
  std::lock_guard lock(slot.mutex);
  slot.sink = std::move(sink);
}

void WriteMessageText(std::string_view text) {
  if (current_capture != nullptr) {
    current_capture->stop.messages.append(text);
    return;
  }
  SinkSlot& slot = Slot();
  std::lock_guard lock(slot.mutex);
  if (slot.sink) {
    slot.sink(text);
    return;
  }
  std::fwrite(text.data(), 1, text.size(), stdout);
  std::fflush(stdout);
}

StopCapture::StopCapture() : outer(current_capture) { current_capture = this; }

StopCapture::~StopCapture() { current_capture = outer; }

bool CapturingStops() { return current_capture != nullptr; }

void NoteCapturedError(int type, int code, std::string_view routine, std::vector<int> values) {
  if (current_capture == nullptr) return;
  CapturedStop& stop = current_capture->stop;
  stop.type = type;
  stop.code = code;
  stop.routine = std::string(routine.substr(0, routine.find(' ')));
  stop.values = std::move(values);
}

void ThrowCapturedStop(int status) {
  CapturedStop stop = std::move(current_capture->stop);
  current_capture->stop = CapturedStop{};
  stop.status = status;
  ResetErrorStack();
  throw stop;
}

}  // namespace modelcheck
