#include "link/bootloader/firmwarefile.h"

#include "core/usablefile.h"

#include <QDir>

namespace FirmwareFile {

QString PresetName(const QString &folder)
{
    return QDir(folder).filePath(QStringLiteral("*.hex"));
}

QString Accept(bool confirmed, const QString &chosen)
{
    return confirmed && UsableFile(chosen) ? chosen : QString();
}

}  // namespace FirmwareFile
