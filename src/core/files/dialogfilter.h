#pragma once
// File dialog filters written the classic way, "Description|pattern|Description|pattern", turned
// into the name filters a Qt file dialog takes ("Description (pattern)").
#include <QString>
#include <QStringList>

QStringList DialogNameFilters(const QString &pipeFilter);
