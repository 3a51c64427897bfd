#include "apps/desktop/window_layout.h"

#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QStyle>
#include <algorithm>

namespace modelcheck {

namespace {

QRect VisibleArea(const QMdiArea& area) { return QRect(QPoint(0, 0), area.viewport()->size()); }

// Refits the child windows when the area's visible part changes size.
class RefitOnResize final : public QObject {
 public:
  explicit RefitOnResize(QMdiArea& area) : QObject(&area), area_(area) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Resize) {
      for (QMdiSubWindow* frame : area_.subWindowList())
        if (!frame->isMaximized() && !frame->isMinimized()) FitInArea(*frame);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QMdiArea& area_;
};

// The dialogue's end (the current question) in view after a rearrangement.
void ShowCurrentQuestion(QMdiSubWindow& dialogue) {
  if (auto* text = qobject_cast<QPlainTextEdit*>(dialogue.widget()); text != nullptr) text->ensureCursorVisible();
}

// Both windows back from maximised or minimised, to be arranged; the room
// they have.
QRect ShownNormally(const QMdiArea& area, QMdiSubWindow& dialogue, QMdiSubWindow* plot) {
  for (QMdiSubWindow* frame : {&dialogue, plot})
    if (frame != nullptr && (frame->isMaximized() || frame->isMinimized())) frame->showNormal();
  return VisibleArea(area);
}

int TitleBarHeight(const QMdiSubWindow& frame) {
  return frame.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &frame);
}

}  // namespace

QRect FitInside(const QRect& wanted, const QRect& room, const QSize& smallest) {
  if (room.isEmpty()) return wanted;
  const int width = std::min(std::max(wanted.width(), smallest.width()), room.width());
  const int height = std::min(std::max(wanted.height(), smallest.height()), room.height());
  const int left = std::clamp(wanted.left(), room.left(), room.right() + 1 - width);
  const int top = std::clamp(wanted.top(), room.top(), room.bottom() + 1 - height);
  return {left, top, width, height};
}

void FitInArea(QMdiSubWindow& frame) {
  const QRect room = VisibleArea(*frame.mdiArea());
  const QRect fitted = FitInside(frame.geometry(), room);
  if (fitted != frame.geometry()) frame.setGeometry(fitted);
}

void KeepChildWindowsInArea(QMdiArea& area) { area.viewport()->installEventFilter(new RefitOnResize(area)); }

void TileChildWindows(QMdiArea& area, QMdiSubWindow& dialogue, QMdiSubWindow* plot) {
  const QRect room = ShownNormally(area, dialogue, plot);
  if (plot == nullptr || !plot->isVisible()) {
    dialogue.setGeometry(FitInside(QRect(0, 0, dialogue.width(), room.height()), room));
    return ShowCurrentQuestion(dialogue);
  }
  // The dialogue keeps its width where the picture still gets its smallest
  // size beside it; otherwise the picture goes below.
  const int dialogue_width = std::min(dialogue.width(), room.width() - kSmallestPicture.width());
  if (dialogue_width >= dialogue.minimumSizeHint().width()) {
    dialogue.setGeometry(0, 0, dialogue_width, room.height());
    plot->setGeometry(dialogue_width, 0, room.width() - dialogue_width, room.height());
  } else {
    const int plot_height = std::max(kSmallestPicture.height(), room.height() / 2);
    dialogue.setGeometry(0, 0, room.width(), std::max(room.height() - plot_height, TitleBarHeight(dialogue) * 3));
    plot->setGeometry(FitInside(QRect(0, dialogue.height(), room.width(), plot_height), room));
  }
  ShowCurrentQuestion(dialogue);
}

void CascadeChildWindows(QMdiArea& area, QMdiSubWindow& dialogue, QMdiSubWindow* plot) {
  const QRect room = ShownNormally(area, dialogue, plot);
  const int step = TitleBarHeight(dialogue);
  // The picture first, behind; the dialogue in front of it, a step further in.
  if (plot != nullptr && plot->isVisible()) {
    plot->setGeometry(
        FitInside(QRect(0, 0, std::max(plot->width(), room.width() / 2), room.height()), room, kSmallestPicture));
    plot->lower();
  }
  dialogue.setGeometry(FitInside(QRect(step, step, dialogue.width(), room.height() - step), room));
  dialogue.raise();
  area.setActiveSubWindow(&dialogue);
  ShowCurrentQuestion(dialogue);
}

}  // namespace modelcheck
