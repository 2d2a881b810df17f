#pragma once
// The merge of two histories that went apart (two PCs, one of them offline). Never line by line:
// each unit's folder is taken whole from the side whose latest visit to it is the later (on equal
// times the same side on every PC), what one side alone changed is taken from it, and what either
// side kept among the unassigned stays.
#include "history/gitobjects.h"

namespace HistoryMerge {
// The merged tree of `ours` and `theirs`, which went apart from `base` (null: nothing in common).
bool Trees(git_repository *repo, const git_tree *base, const git_tree *ours, const git_tree *theirs, git_oid *merged);
}  // namespace HistoryMerge
