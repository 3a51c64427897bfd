// Which files the file chooser leaves out: the program's own outputs
// (report.txt, neighbors.txt, model-efficiency.png) in the working folder,
// which are no series to choose. Its name filters list text series files
// (*.txt *.dat *.csv) first, then all files.
#pragma once

#include <QFileInfo>

namespace modelcheck {

bool IsOwnOutputFile(const QFileInfo& file);

}  // namespace modelcheck
