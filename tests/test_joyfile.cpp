// *.joy configuration files: the byte-for-byte format, the size rules, the error texts, and the
// Open and Save commands of the File menu with their dialogs.
#include "core/calimage.h"
#include "core/conversions.h"
#include "ui/quarnform.h"
#include "core/files/dialogfilter.h"
#include "core/files/joyfile.h"
#include "core/settings.h"
#include "core/startfolder.h"
#include "support/filedialogs.h"
#ifndef Q_OS_WIN
#include "support/filesizelimit.h"
#endif
#include "support/testsupport.h"

#include <QAction>
#include <QLabel>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>

#include <cerrno>
#ifdef Q_OS_WIN
#include <winerror.h>
#endif

namespace {
CalImageBytes Pattern(int seed)
{
    CalImageBytes image;
    for (int i = 0; i < CalImageSize; ++i) image[i] = static_cast<uint8_t>(i * 7 + seed);
    return image;
}

QByteArray Bytes(const CalImageBytes &image)
{
    return QByteArray(reinterpret_cast<const char *>(image.data()), CalImageSize);
}

void WriteRaw(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray ReadRaw(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}
}  // namespace

class JoyFileTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;
    QTemporaryDir m_dir;

    QString path(const QString &name) const { return m_dir.filePath(name); }

private slots:
    void saveThenOpenGivesTheSameBytes()
    {
        const CalImageBytes image = Pattern(3);
        QVERIFY(!WriteJoyFile(path("a.joy"), image).failed());
        QCOMPARE(ReadRaw(path("a.joy")), Bytes(image));

        CalImageBytes back = Pattern(99);
        QVERIFY(!ReadJoyFile(path("a.joy"), back).failed());
        QVERIFY(back == image);

        // Saving over an existing file replaces it whole.
        QVERIFY(!WriteJoyFile(path("a.joy"), Pattern(5)).failed());
        QCOMPARE(ReadRaw(path("a.joy")), Bytes(Pattern(5)));
    }

    void openFollowsTheSizeRules()
    {
        const CalImageBytes before = Pattern(11);
        const QByteArray long300 = Bytes(Pattern(1)) + QByteArray(44, '\x5a');
        WriteRaw(path("300.joy"), long300);
        WriteRaw(path("100.joy"), QByteArray(100, '\x33'));
        WriteRaw(path("0.joy"), QByteArray());

        CalImageBytes image = before;
        QVERIFY(!ReadJoyFile(path("300.joy"), image).failed());
        QVERIFY(image == Pattern(1));

        image = before;
        const IoError shortFile = ReadJoyFile(path("100.joy"), image);
        QCOMPARE(IoErrorText(shortFile), QStringLiteral("Read beyond end of file"));
        QVERIFY(image == before);

        image = before;
        QVERIFY(!ReadJoyFile(path("0.joy"), image).failed());
        QVERIFY(image == CalImageBytes{});
    }

    void writeProtectedFileOpens()
    {
        QVERIFY(!WriteJoyFile(path("locked.joy"), Pattern(2)).failed());
        QVERIFY(QFile::setPermissions(path("locked.joy"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        CalImageBytes image{};
        QVERIFY(!ReadJoyFile(path("locked.joy"), image).failed());
        QVERIFY(image == Pattern(2));
    }

#ifndef Q_OS_WIN  // the size cap is Linux's; Windows has none to ask for
    void failedSaveLeavesTheOldFileIntact()
    {
        const QString target = path("keep.joy");
        QVERIFY(!WriteJoyFile(target, Pattern(4)).failed());
        {
            // Room for 100 bytes only: the 256-byte record cannot be completed.
            FileSizeLimit cap(100);
            const IoError error = WriteJoyFile(target, Pattern(8));
            QVERIFY(error.failed());
            QCOMPARE(IoErrorText(error), QStringLiteral("I/O error %1").arg(EFBIG));
        }
        QCOMPARE(ReadRaw(target), Bytes(Pattern(4)));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden).filter(QStringLiteral("keep")),
                 QStringList{QStringLiteral("keep.joy")});  // no temporary file left behind
    }
#endif

    void errorTexts()
    {
        CalImageBytes image{};
        QCOMPARE(IoErrorText(ReadJoyFile(path("missing.joy"), image)), QStringLiteral("File not found"));
        QCOMPARE(IoErrorText(WriteJoyFile(path("no/such/folder.joy"), image)), QStringLiteral("File not found"));
        QCOMPARE(IoErrorText(WriteJoyFile(m_dir.path(), image)), QStringLiteral("File access denied"));
#ifdef Q_OS_WIN
        // Windows' codes: a write-protected disk is refused as a write-protected file is.
        QCOMPARE(IoErrorText(IoErrorFromOs(ERROR_WRITE_PROTECT)), QStringLiteral("File access denied"));
        QCOMPARE(IoErrorText(IoErrorFromOs(ERROR_HANDLE_DISK_FULL)), QStringLiteral("Disk full"));
        QCOMPARE(IoErrorText(IoErrorFromOs(ERROR_SHARING_VIOLATION)), QStringLiteral("I/O error 32"));
#else
        WriteRaw(path("plain"), "x");
        QCOMPARE(IoErrorText(WriteJoyFile(path("plain/inside.joy"), image)), QStringLiteral("I/O error %1").arg(ENOTDIR));
        QCOMPARE(IoErrorText(IoErrorFromOs(EACCES)), QStringLiteral("File access denied"));
        QCOMPARE(IoErrorText(IoErrorFromOs(ENOSPC)), QStringLiteral("Disk full"));
#endif
    }

    void dialogFilters()
    {
        QCOMPARE(JoyFileFilter, QStringLiteral("Switch Files (*.joy) | *.joy |All Files (*.*) | *.* "));
        QCOMPARE(DialogNameFilters(JoyFileFilter),
                 QStringList({QStringLiteral("Switch Files (*.joy)"), QStringLiteral("All Files (*.*)")}));
        QCOMPARE(DialogNameFilters(QStringLiteral("Pictures|*.png;*.jpg")), QStringList{QStringLiteral("Pictures (*.png;*.jpg)")});
    }

    void menuSaveAndOpenAcrossProducts()
    {
        auto form = makeMainWindow();
        ModalAnswerer answer(QMessageBox::Yes);
        FileDialogTyper typer(answer, path("fleet"));  // typed without an extension
        OpenSettings(QString::fromLatin1(SettingsSection))->remove(QString::fromLatin1(FolderKind::JoyFiles));

        findControl<QAction>(form.get(), QStringLiteral("QuarnMenu1"))->trigger();
        CalImage[1] = 40;
        CalImage[2] = 200;
        const CalImageBytes saved = CalImage;
        findControl<QAction>(form.get(), QStringLiteral("Save1"))->trigger();
        QCOMPARE(ReadRaw(path("fleet")), Bytes(saved));
        QVERIFY(!QFile::exists(path("fleet.joy")));

        QCOMPARE(typer.seen().size(), 1);
        const FileDialogSeen &dialog = typer.seen().first();
        QVERIFY(dialog.saving);
        // Nothing used yet: the user's documents folder (the home folder where there is none),
        // never the program's folder, which an install for all users cannot write.
        const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        QCOMPARE(dialog.directory, QFileInfo(documents).isDir() ? documents : QDir::homePath());
        QVERIFY(dialog.directory != QCoreApplication::applicationDirPath());
        QCOMPARE(dialog.typedName, QStringLiteral("*.joy"));
        QCOMPARE(dialog.nameFilters, DialogNameFilters(JoyFileFilter));

        // Opened while another product is current: shown with that product's page, byte for byte.
        findControl<QAction>(form.get(), QStringLiteral("BrennicMenu1"))->trigger();
        CalImage.fill(0);
        findControl<QAction>(form.get(), QStringLiteral("Open1"))->trigger();
        QVERIFY(CalImage == saved);
        QCOMPARE(findControl<QStackedWidget>(form.get(), QStringLiteral("ProductNotebook"))->currentIndex(),
                 int(TQuarnForm::BrennicPageIndex));
        QCOMPARE(typer.seen().size(), 2);
        QVERIFY(!typer.seen().last().saving);
        // Then the folder last used, remembered for the next start too.
        QCOMPARE(typer.seen().last().directory, m_dir.path());
        QCOMPARE(StartFolder(FolderKind::JoyFiles), m_dir.path());
        QVERIFY(answer.texts().isEmpty());

        // Saving again over the file asks first; the answer Yes replaces it.
        CalImage[3] = 77;
        findControl<QAction>(form.get(), QStringLiteral("Save1"))->trigger();
        QCOMPARE(answer.texts().size(), 1);
        QVERIFY(answer.texts().first().contains(QStringLiteral("already exists")));
        QCOMPARE(ReadRaw(path("fleet")), Bytes(CalImage));
    }

    void fileNamedAtStartOpensAsOpenDoes()
    {
        // Explorer starts the window with the *.joy file that was opened: the same rules as
        // "&Open", without a dialog.
        auto form = makeMainWindow();
        ModalAnswerer answer;
        findControl<QAction>(form.get(), QStringLiteral("QuarnMenu1"))->trigger();
        CalImage[1] = 41;
        CalImage[2] = 199;
        const CalImageBytes file = CalImage;
        WriteRaw(path("named.joy"), Bytes(file));
        findControl<QAction>(form.get(), QStringLiteral("BrennicMenu1"))->trigger();
        CalImage.fill(0);
        form->OpenJoyFile(path("named.joy"));
        QVERIFY(CalImage == file);

        const CalImageBytes before = CalImage;
        form->OpenJoyFile(path("missing.joy"));  // gone since: nothing happens, as with Open
        WriteRaw(path("short.joy"), QByteArray(10, '\x01'));
        form->OpenJoyFile(path("short.joy"));
        QCOMPARE(answer.texts(), QStringList{QStringLiteral("Read beyond end of file")});
        QVERIFY(CalImage == before);
    }

    void menuOpenReloadsThePage()
    {
        auto form = makeMainWindow();
        ModalAnswerer answer;
        FileDialogTyper typer(answer, path("dorsell.joy"));
        findControl<QAction>(form.get(), QStringLiteral("DorsellMenu1"))->trigger();

        CalImageBytes file = Pattern(6);
        file[33] = 7;
        WriteRaw(path("dorsell.joy"), Bytes(file));
        // The Dorsell load marks the joystick type and shows the file's frequency (curve B).
        auto shownHertz = [](uint8_t byte) {
            return HertzText(std::clamp(FrequencySliderPosition(FreqByteToHertzB(byte)), 45, 325));
        };
        auto *hertz = findControl<QLabel>(form.get(), QStringLiteral("Hertzlabel2"));
        findControl<QAction>(form.get(), QStringLiteral("Open1"))->trigger();
        QCOMPARE(int(CalImage[33]), 20);
        QCOMPARE(hertz->text(), shownHertz(file[0]));

        // An empty file zeroes the image and reloads it too.
        WriteRaw(path("dorsell.joy"), QByteArray());
        findControl<QAction>(form.get(), QStringLiteral("Open1"))->trigger();
        QCOMPARE(int(CalImage[33]), 20);
        QCOMPARE(hertz->text(), shownHertz(0));
        QCOMPARE(int(CalImage[100]), 0);
        QVERIFY(answer.texts().isEmpty());
    }

    void menuErrorsChangeNothing()
    {
        auto form = makeMainWindow();
        ModalAnswerer answer;
        FileDialogTyper typer(answer, path("short.joy"));
        findControl<QAction>(form.get(), QStringLiteral("QuarnMenu1"))->trigger();
        const CalImageBytes before = CalImage;

        WriteRaw(path("short.joy"), QByteArray(100, '\x01'));
        findControl<QAction>(form.get(), QStringLiteral("Open1"))->trigger();
        QCOMPARE(answer.titlesAndTexts(), QStringList{QStringLiteral("QuarnTrim: Read beyond end of file")});
        QVERIFY(CalImage == before);

        // Cancelled dialogs do nothing and say nothing.
        answer.clear();
        typer.setPath(QString());
        findControl<QAction>(form.get(), QStringLiteral("Open1"))->trigger();
        findControl<QAction>(form.get(), QStringLiteral("Save1"))->trigger();
        QVERIFY(answer.texts().isEmpty());
        QVERIFY(CalImage == before);

#ifndef Q_OS_WIN
        // A save that cannot complete reports the cause and keeps the old file.
        WriteRaw(path("old.joy"), Bytes(Pattern(9)));
        typer.setPath(path("old.joy"));
        answer.setButton(QMessageBox::Yes);
        {
            FileSizeLimit cap(100);
            findControl<QAction>(form.get(), QStringLiteral("Save1"))->trigger();
        }
        QCOMPARE(answer.texts().size(), 2);  // the overwrite question, then the error
        QCOMPARE(answer.texts().last(), QStringLiteral("I/O error %1").arg(EFBIG));
        QCOMPARE(ReadRaw(path("old.joy")), Bytes(Pattern(9)));
#endif
    }
};

QTEST_MAIN(JoyFileTest)
#include "test_joyfile.moc"
