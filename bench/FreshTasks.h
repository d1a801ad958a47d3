#pragma once

#include "FreshProcess.h"

#include <QString>
#include <QStringList>

// The work a fresh process measures, by name:
//   floor <file>             read the file into new memory and find its line ends
//   load <file>              load the document (first stretch), then look up every key once
//   safewrite <file> <dest>  one plain safe write of the file's bytes (read untimed)
//   writeback <file> <dest>  write the loaded document back to dest (loaded untimed)
//   save <folder> <section> <key>
//                            one F2 on the destination German.lng of folder, with the
//                            reference English.lng and the source French.lng (loaded untimed)
namespace FreshTasks {

// False for an unknown task.
bool run(const QString& task, const QStringList& arguments, FreshProcess::Meter& meter);

} // namespace FreshTasks
