#include "apps/desktop/window_thread.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <utility>

namespace modelcheck {

bool OnWindowThreadNow() {
  return QCoreApplication::instance() != nullptr && QThread::currentThread() == QCoreApplication::instance()->thread();
}

void OnWindowThread(std::function<void()> action) {
  QCoreApplication* application = QCoreApplication::instance();
  if (application == nullptr) return;
  if (OnWindowThreadNow()) {
    action();
    return;
  }
  QMetaObject::invokeMethod(application, std::move(action), Qt::QueuedConnection);
}

}  // namespace modelcheck
