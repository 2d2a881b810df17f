#include "core/files/joyfile.h"

#include "core/usablefile.h"

#include <QFile>
#include <QSaveFile>

namespace {
// The fault of the call that just failed; `unexplained` when the system gave no error number
// (a check Qt makes itself, such as a directory in place of a file).
IoError FailedCall(IoFault unexplained)
{
    const int osError = LastOsError();
    if (osError == 0) return {unexplained, 0};
    return IoErrorFromOs(osError);
}
}  // namespace

IoError ReadJoyFile(const QString &fileName, CalImageBytes &image)
{
    QFile file(fileName);
    ClearOsError();
    switch (OpenRegularFileForReading(file)) {
    case RegularOpen::Opened: break;
    case RegularOpen::NotRegular: return {IoFault::NotRegular, 0};
    case RegularOpen::Failed: return FailedCall(IoFault::AccessDenied);
    }

    CalImageBytes buffer{};
    if (file.size() > 0) {
        ClearOsError();
        const qint64 got = file.read(reinterpret_cast<char *>(buffer.data()), CalImageSize);
        if (got < 0) return FailedCall(IoFault::Other);
        if (got < CalImageSize) return {IoFault::EndOfFile, 0};
    }
    image = buffer;
    return {};
}

IoError WriteJoyFile(const QString &fileName, const CalImageBytes &image)
{
    // A pipe, device or socket of that name is neither written into nor replaced by a file.
    if (IsSpecialFile(fileName)) return {IoFault::NotRegular, 0};
    QSaveFile file(fileName);
    ClearOsError();
    if (!file.open(QIODevice::WriteOnly)) return FailedCall(IoFault::AccessDenied);

    ClearOsError();
    if (file.write(reinterpret_cast<const char *>(image.data()), CalImageSize) != CalImageSize || !file.flush()) {
        const IoError error = FailedCall(IoFault::Other);
        file.cancelWriting();  // the temporary file is removed; the target is not touched
        return error;
    }
    ClearOsError();
    if (!file.commit()) return FailedCall(IoFault::Other);
    return {};
}
