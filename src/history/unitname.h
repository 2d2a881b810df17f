#pragma once
// A unit is the truck or machine a controller is fitted to, named freely by the technician. Two
// spellings that differ only in case or Unicode form name one unit; each unit has one folder name
// that every system can hold, whatever the name was typed as.
#include <QString>

namespace UnitName {
// The name as compared: trimmed, composed (NFC) and case-folded. Empty for a blank name.
QString Key(const QString &typed);
// The unit's folder in the history: ASCII letters, digits, '-' and '_', no name Windows reserves,
// no trailing dot or blank, at most MaxFolderLength characters; a name that had to be changed to
// get there ends in a hash of its key, so two different units never share a folder.
QString Folder(const QString &typed);
// The two-character hexadecimal fan-out folder the unit's folder lives in.
QString FanOut(const QString &typed);
// "units/<fan-out>/<folder>": the unit's place in the history's tree.
QString Path(const QString &typed);

inline constexpr int MaxFolderLength = 64;
}  // namespace UnitName
