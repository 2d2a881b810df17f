#pragma once
#include <QString>

// True when the file exists and its name has no wildcard ("*" or "?").
bool UsableFile(const QString &fileName);
