#include "app/usablefile.h"

#include <QFileInfo>

bool UsableFile(const QString &fileName)
{
    if (fileName.contains(QLatin1Char('*')) || fileName.contains(QLatin1Char('?'))) return false;
    return QFileInfo::exists(fileName);
}
