#include "apps/desktop/dialogue_view.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

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
  // Long lines (a file's full path, the range of box sizes) wrap at the
  // window's edge rather than run out of sight; the text itself keeps its
  // lines, so copying gives the transcript the console shows.
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  setUndoRedoEnabled(false);
}

void DialogueView::AppendOutput(const QString& text) {
  const bool follow = textCursor().position() >= input_start_;
  QTextCursor cursor(document());
  cursor.setPosition(input_start_);
  cursor.insertText(text, QTextCharFormat());
  edit_start_ += cursor.position() - input_start_;
  input_start_ = cursor.position();
  if (follow) {
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    setTextCursor(end);
  }
  ensureCursorVisible();
}

void DialogueView::CommitAnswer() {
  if (waiting_ == 0) return;
  QTextCursor line(document());
  line.setPosition(input_start_);
  line.movePosition(QTextCursor::EndOfBlock);
  const int end = line.position() + 1;  // past the line's end
  SetWaitingLook(input_start_, end, false);
  input_start_ = end;
  --waiting_;
}

void DialogueView::ClearAll() {
  QTextCursor transcript(document());
  transcript.setPosition(0);
  transcript.setPosition(input_start_, QTextCursor::KeepAnchor);
  transcript.removeSelectedText();
  edit_start_ -= input_start_;
  input_start_ = 0;
}

void DialogueView::DropTypedAhead() {
  QTextCursor waiting(document());
  waiting.setPosition(input_start_);
  waiting.setPosition(edit_start_, QTextCursor::KeepAnchor);
  waiting.removeSelectedText();
  edit_start_ = input_start_;
  waiting_ = 0;
}

void DialogueView::SetWaitingLook(int from, int to, bool waiting) {
  QTextCursor range(document());
  range.setPosition(from);
  range.setPosition(std::min(to, document()->characterCount() - 1), QTextCursor::KeepAnchor);
  QTextCharFormat look;
  // A grey of its own: the window's palette sets every text colour black.
  look.setForeground(waiting ? QColor(128, 128, 128) : palette().color(QPalette::Text));
  range.mergeCharFormat(look);
}

void DialogueView::EndInput() {
  setReadOnly(true);
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void DialogueView::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy) && !textCursor().hasSelection()) {
    QApplication::clipboard()->setText(toPlainText());
    return;
  }
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
  const bool at_start = !cursor.hasSelection() && cursor.position() == edit_start_;
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
  if (cursor.selectionStart() >= edit_start_) return;
  cursor.clearSelection();
  cursor.movePosition(QTextCursor::End);
  setTextCursor(cursor);
}

void DialogueView::HandOverFinishedLines() {
  QTextCursor typed(document());
  typed.setPosition(edit_start_);
  typed.movePosition(QTextCursor::End, QTextCursor::KeepAnchor);
  QString text = typed.selectedText();  // block breaks read as U+2029
  for (qsizetype end = text.indexOf(QChar::ParagraphSeparator); end >= 0;
       end = text.indexOf(QChar::ParagraphSeparator)) {
    const QString line = text.left(end);
    SetWaitingLook(edit_start_, edit_start_ + static_cast<int>(end) + 1, true);
    edit_start_ += static_cast<int>(end) + 1;
    ++waiting_;
    text.remove(0, end + 1);
    if (on_line) on_line(line.toStdString());
  }
  setCurrentCharFormat(QTextCharFormat());
}

}  // namespace modelcheck
