// The text of the dialogue window "Input Window": what the program wrote (the
// transcript), then the lines typed ahead and waiting for a question, then
// the line being typed.
//
// Program text is inserted in front of the waiting lines and the line being
// typed, so what the user types ahead never breaks into the transcript.
// Only the line being typed can be edited; Enter (or a pasted line break)
// hands it to `on_line` without its end of line, and it waits, in grey,
// until the program reads it: CommitAnswer then makes the first waiting line
// part of the transcript, right after the prompt that asked for it, as the
// console shows an answer. After EndInput the view is read-only, for reading
// and copying what was written. Copy (Ctrl+C) with nothing selected copies
// the whole text.
#pragma once

#include <QPlainTextEdit>
#include <functional>
#include <string>

namespace modelcheck {

class DialogueView final : public QPlainTextEdit {
 public:
  explicit DialogueView(QWidget* parent = nullptr);

  void AppendOutput(const QString& text);
  // The program read the first waiting line.
  void CommitAnswer();
  // Clears the transcript; lines typed ahead keep waiting.
  void ClearAll();
  // Removes the lines typed ahead (their questions will not be asked).
  void DropTypedAhead();
  void EndInput();
  int WaitingLines() const { return waiting_; }

  std::function<void(const std::string&)> on_line;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;

 private:
  void MoveIntoTypedPart();
  void HandOverFinishedLines();

  void SetWaitingLook(int from, int to, bool waiting);

  int input_start_ = 0;  // end of the transcript: the first waiting line starts here
  int edit_start_ = 0;   // start of the line being typed, after the waiting lines
  int waiting_ = 0;      // lines handed over and not yet read by the program
};

}  // namespace modelcheck
