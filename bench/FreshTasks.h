#pragma once

#include "FreshProcess.h"

#include <QString>
#include <QStringList>

// The work a fresh process measures, by name:
//   floor <file>             read the file into new memory and find its line ends
//   load <file> <names>      load the document (first stretch), then look up every key once by
//                            the names in the file names (see namesFile)
//   safewrite <file> <dest>  one plain safe write of the file's bytes (read untimed)
//   writeback <file> <dest>  write the loaded document back to dest (loaded untimed)
//   save <folder> <section> <key>
//                            one F2 on the destination German.lng of folder, with the
//                            reference English.lng and the source French.lng (loaded untimed)
namespace FreshTasks {

// A file beside fileName with the names of its sections and keys for the task load: "[" and
// the section's name, then its keys, one a line. Made on first request.
QString namesFile(const QString& fileName);

// False for an unknown task.
bool run(const QString& task, const QStringList& arguments, FreshProcess::Meter& meter);

} // namespace FreshTasks
