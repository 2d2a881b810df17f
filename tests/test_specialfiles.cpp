// Only regular files are opened or replaced: a pipe named *.joy or *.hex, or a device, is
// refused at once with a clear message, nothing it might hold is loaded, and it stays as it was.
#include "core/calimage.h"
#include "core/wholefile.h"
#include "ui/quarnform.h"
#include "core/files/joyfile.h"
#include "core/hex/flashimage.h"
#include "support/filedialogs.h"
#include "support/testsupport.h"

#include <QAction>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>

namespace {
const QString Refusal = QStringLiteral("Not a regular file (a pipe, device or socket): not opened");
}  // namespace

class SpecialFilesTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;
    QTemporaryDir m_dir;

    // A pipe nobody writes to: opened the ordinary way, it would hold the caller for ever.
    QString pipe(const char *name)
    {
        const QString path = m_dir.filePath(QString::fromLatin1(name));
        if (::mkfifo(QFile::encodeName(path).constData(), 0600) != 0) qFatal("mkfifo %s", qPrintable(path));
        return path;
    }

private slots:
    void readersRefusePipesAndDevices()
    {
        for (const QString &path : {pipe("x.joy"), QStringLiteral("/dev/null")}) {
            CalImageBytes image{};
            image[7] = 77;
            const IoError error = ReadJoyFile(path, image);
            QCOMPARE(IoErrorText(error), Refusal);
            QCOMPARE(int(image[7]), 77);

            QString hexError;
            QVERIFY(!FlashImage().LoadHexFile(path, 0x10000, &hexError));
            QCOMPARE(hexError, QStringLiteral("Failed to read input file <%1>").arg(path));
        }
        // A folder keeps its own answer.
        CalImageBytes image{};
        QCOMPARE(IoErrorText(ReadJoyFile(m_dir.path(), image)), QStringLiteral("File access denied"));
    }

    void writersRefusePipesAndLeaveThemInPlace()
    {
        const QString path = pipe("out.joy");
        QCOMPARE(IoErrorText(WriteJoyFile(path, CalImageBytes{})), Refusal);
        QVERIFY(!WriteWholeFile(path, QByteArray("x")).isEmpty());
        QVERIFY(!WriteWholeFile(QStringLiteral("/dev/null"), QByteArray("x")).isEmpty());
        QVERIFY(QFileInfo(path).exists() && !QFileInfo(path).isFile());
    }

    void windowRefusesAPipeFromItsDialogs()
    {
        auto form = makeMainWindow();
        ModalAnswerer answer;
        FileDialogTyper typer(answer, pipe("menu.joy"));
        const CalImageBytes before = CalImage;
        findControl<QAction>(form.get(), QStringLiteral("Open1"))->trigger();
        QCOMPARE(answer.texts(), QStringList{Refusal});
        QVERIFY(CalImage == before);

        // The firmware file: refused with the same words, and no name goes to the upgrade.
        answer.clear();
        typer.setPath(pipe("firmware.hex"));
        QCOMPARE(form->SelectFirmwareFile(), QString());
        QCOMPARE(answer.texts(), QStringList{Refusal});
    }
};

QTEST_MAIN(SpecialFilesTest)
#include "test_specialfiles.moc"
