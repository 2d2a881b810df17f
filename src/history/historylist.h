#pragma once
// The local list of the history: one line per event commit, kept beside the repository and never
// shared, so that listing a unit reads one file instead of every commit. It names the commit it
// was brought up to; whatever came since (a commit of another program, a merge from the server)
// is read from the repository and added the next time the list is read.
#include "history/historyrecord.h"

#include <git2.h>

#include <QByteArray>
#include <QString>

namespace HistoryList {
// Every line, up to date with the branch `tip` (null: an empty history). The lines added are
// written to the list when `mayWrite` (the caller holds the history's lock).
QByteArray Content(git_repository *repo, const QString &folder, const git_oid *tip, bool mayWrite);
// Adds the line of a commit just made on top of `parent` (null for the first), when the list was
// up to date with `parent`; otherwise the next read catches up.
void Append(const QString &folder, const git_oid *parent, const git_oid &commit, const QByteArray &line);
}  // namespace HistoryList
