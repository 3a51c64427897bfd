// The text of the dialogue window "Input Window": what the program wrote,
// followed by what the user is typing.
//
// Program text is inserted in front of any line typed ahead, so answers
// typed early keep their place at the end. Only the typed part can be
// edited; Enter (or a pasted line break) hands each finished line to
// `on_line` without its end of line. After EndInput the view is read-only,
// for reading and copying what was written.
#pragma once

#include <QPlainTextEdit>
#include <functional>
#include <string>

namespace modelcheck {

class DialogueView final : public QPlainTextEdit {
 public:
  explicit DialogueView(QWidget* parent = nullptr);

  void AppendOutput(const QString& text);
  void ClearAll();
  void EndInput();

  std::function<void(const std::string&)> on_line;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void insertFromMimeData(const QMimeData* source) override;

 private:
  void MoveIntoTypedPart();
  void HandOverFinishedLines();

  int input_start_ = 0;  // document position where the typed part begins
};

}  // namespace modelcheck
