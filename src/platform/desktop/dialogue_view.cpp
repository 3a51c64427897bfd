#include "platform/desktop/dialogue_view.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>

namespace modelcheck {

namespace {

bool IsEnter(const QKeyEvent* event) { return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter; }

// Keys that only move, select or copy may act anywhere in the text.
bool LeavesTextAlone(const QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::SelectAll)) return true;
  if (!event->text().isEmpty()) return false;
  switch (event->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
      return false;
    default:
      return true;
  }
}

}  // namespace

DialogueView::DialogueView(QWidget* parent) : QPlainTextEdit(parent) {
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setUndoRedoEnabled(false);
}

void DialogueView::AppendOutput(const QString& text) {
  const bool follow = textCursor().position() >= input_start_;
  QTextCursor cursor(document());
  cursor.setPosition(input_start_);
  cursor.insertText(text);
  input_start_ = cursor.position();
  if (follow) {
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    setTextCursor(end);
  }
  ensureCursorVisible();
}

void DialogueView::ClearAll() {
  clear();
  input_start_ = 0;
}

void DialogueView::EndInput() {
  setReadOnly(true);
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void DialogueView::keyPressEvent(QKeyEvent* event) {
  if (isReadOnly() || LeavesTextAlone(event)) {
    QPlainTextEdit::keyPressEvent(event);
    return;
  }
  MoveIntoTypedPart();
  if (IsEnter(event)) {
    QTextCursor cursor = textCursor();
    cursor.movePosition(QTextCursor::End);
    cursor.insertBlock();
    setTextCursor(cursor);
    HandOverFinishedLines();
    return;
  }
  const QTextCursor cursor = textCursor();
  const bool at_start = !cursor.hasSelection() && cursor.position() == input_start_;
  if (event->key() == Qt::Key_Backspace && at_start) return;
  QPlainTextEdit::keyPressEvent(event);
}

void DialogueView::insertFromMimeData(const QMimeData* source) {
  if (isReadOnly()) return;
  MoveIntoTypedPart();
  QPlainTextEdit::insertFromMimeData(source);
  HandOverFinishedLines();
}

// Edits before the typed part would change what the program wrote: the
// cursor moves to the end of the typed part instead.
void DialogueView::MoveIntoTypedPart() {
  QTextCursor cursor = textCursor();
  if (cursor.selectionStart() >= input_start_) return;
  cursor.clearSelection();
  cursor.movePosition(QTextCursor::End);
  setTextCursor(cursor);
}

void DialogueView::HandOverFinishedLines() {
  QTextCursor typed(document());
  typed.setPosition(input_start_);
  typed.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
  QString text = typed.selectedText();  // block breaks read as U+2029
  for (qsizetype end = text.indexOf(QChar::ParagraphSeparator); end >= 0;
       end = text.indexOf(QChar::ParagraphSeparator)) {
    const QString line = text.left(end);
    input_start_ += static_cast<int>(end) + 1;
    text.remove(0, end + 1);
    if (on_line) on_line(line.toStdString());
  }
}

}  // namespace modelcheck
