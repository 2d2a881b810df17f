#pragma once
// The history as older versions kept it (one file per image or firmware copy, named by time,
// direction and COM port, and a tab-separated index with the banners) is taken into the
// repository in place: one commit per file, oldest first, each naming the file it came from. The
// old files are removed only once every one of them has its commit, so an import cut short goes
// on where it stopped the next time the history is opened.
#include <git2.h>

#include <QString>

namespace HistoryImport {
// Whether the folder still holds files of the older history.
bool Pending(const QString &folder);
bool Run(git_repository *repo, const QString &folder, QString *error);
}  // namespace HistoryImport
