// Where the desktop program writes report.txt and neighbors.txt: the working
// folder, as the console does. A user who starts the program from a folder
// that cannot be written (a read-only share, a removed folder) is asked once
// for another; the program then works there for the rest of the session, so
// every check is kept instead of the session ending at its first check. The
// file chooser still opens where the program was started.
#pragma once

#include <QString>

namespace modelcheck {

// True when a file can be created in `folder` (tried, not guessed from its
// permissions, which say nothing to an administrator or on a network share).
bool CanWriteIn(const QString& folder);

// Call on the program's thread before the dialogue begins. Asks for a folder
// while the working folder cannot be written; a cancelled question leaves the
// working folder as it is, and each file that cannot be written is reported
// where it is written.
void ChooseWritableWorkingFolder();

}  // namespace modelcheck
