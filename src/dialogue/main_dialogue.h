// The main procedure: the question-and-answer dialogue with its four nested
// passes (series, training length, dimension and box size, evaluation), and
// one model check each time the user asks for it.
//
// RunMainDialogue owns every piece of run state for the whole run and returns
// the program's exit status: 0 after "n" to "8) Different time series?" or
// after the user declines to choose a file and confirms the end. End of input
// at any prompt stops the program in order instead (kEndOfInputStatus), and
// so does running out of memory (one line says so; status 1).
// report.txt is appended in the working directory. Everything the user sees
// goes through `front_end`.
#pragma once

#include "dialogue/front_end.h"

namespace modelcheck {

int RunMainDialogue(FrontEnd& front_end);

}  // namespace modelcheck
