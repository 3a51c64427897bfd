#include "dialogue/prompts.h"

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#include "errors/orderly_stop.h"
#include "text/fixed_field.h"

namespace modelcheck {

namespace {

InputFormat RequireFormat(std::string_view text, FieldKind kind) {
  const std::optional<InputFormat> format = ParseInputFormat(text);
  if (!format || format->kind != kind) {
    std::fprintf(stderr, "%s:%d: input format %.*s does not suit this prompt\n", __FILE__, __LINE__,
                 static_cast<int>(text.size()), text.data());
    std::abort();
  }
  return *format;
}

std::string ReadAnswer(DialogueWindow& window, std::string_view prompt) {
  WritePrompt(window, prompt);
  std::optional<std::string> line = ReadDialogueLine(window);
  if (!line) EndAtEndOfInput(window);
  return std::move(*line);
}

// Whether the typed line holds nothing but blanks after its first `width` characters.
bool EndsInField(std::string_view line, int width) {
  const auto field = static_cast<std::size_t>(width);
  return line.size() <= field || line.find_first_not_of(' ', field) == std::string_view::npos;
}

// Prompts until `convert` reads the typed line.
template <typename Convert>
auto PromptUntilReadable(DialogueWindow& window, std::string_view prompt, Convert convert) {
  for (;;) {
    const auto value = convert(ReadAnswer(window, prompt));
    if (value) return *value;
    WriteIncorrectInput(window);
  }
}

}  // namespace

void PromptInteger(DialogueWindow& window, std::string_view format, std::string_view prompt, std::int32_t& value) {
  const InputFormat field = RequireFormat(format, FieldKind::kInteger);
  value = PromptUntilReadable(window, prompt, [&](const std::string& line) -> std::optional<std::int32_t> {
    if (!EndsInField(line, field.width)) return std::nullopt;
    return ReadIntegerField(line, field.width);
  });
}

void PromptReal(DialogueWindow& window, std::string_view format, std::string_view prompt, double& value,
                int* implied_decimals) {
  const InputFormat field = RequireFormat(format, FieldKind::kReal);
  bool implied = false;
  value = PromptUntilReadable(window, prompt, [&](const std::string& line) -> std::optional<double> {
    if (!EndsInField(line, field.width)) return std::nullopt;
    const std::optional<double> read = ReadRealField(line, field.width, field.decimals);
    const std::string_view typed = std::string_view(line).substr(0, static_cast<std::size_t>(field.width));
    implied = read && typed.find('.') == std::string_view::npos && ReadRealField(line, field.width, 0) != read;
    return read;
  });
  if (implied_decimals != nullptr) *implied_decimals = implied ? field.decimals : 0;
}

void PromptChar(DialogueWindow& window, std::string_view format, std::string_view prompt, char& value) {
  RequireFormat(format, FieldKind::kCharacter);
  value = ReadCharacterField(ReadAnswer(window, prompt));
}

void WriteIncorrectInput(DialogueWindow& window) { WriteDialogueLine(window, kIncorrectInput); }

void EndAtEndOfInput(DialogueWindow& window) {
  WriteDialogueLine(window, "End of input: the program ends.");
  StopProgram(kEndOfInputStatus);
}

}  // namespace modelcheck
