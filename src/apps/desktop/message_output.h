// Standard output in the desktop program: the numerical core writes its
// messages there. They keep going to the process's standard output and
// also appear in the dialogue window, where the user can read them.
#pragma once

namespace modelcheck {

// Makes std::cout write to both places until RestoreStandardOutput.
void ShowStandardOutputInDialogue();
void RestoreStandardOutput();

}  // namespace modelcheck
