// The file commands against the controller emulator, through the real main window and link
// worker over a pseudo-terminal: "&Reset Cal File" uploads the reset image as the page leaves
// it, and a *.joy file opened while connected reaches the controller with "&Send Cal".
#include "core/calimage.h"
#include "core/image_layout.h"
#include "ui/quarnform.h"
#include "core/files/resetimage.h"
#include "support/filedialogs.h"
#include "support/wirewindow.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <vector>

namespace {
constexpr int FilesCom = 181;

template <class T>
T *Named(QObject *root, const char *name)
{
    return findControl<T>(root, QString::fromLatin1(name));
}

bool WriteImageFile(const QString &path, const CalImageBytes &image)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(reinterpret_cast<const char *>(image.data()), CalImageSize) == CalImageSize;
}

// Reset table fields the Quarn page shows without rewriting them: the maximum trims, the
// joystick type, the button labels and the first float name (stored only when its edit is left).
std::vector<int> KeptByEveryReload()
{
    std::vector<int> offsets{Off::JoystickType};
    for (int pair = 0; pair < Off::TrimPairCount; ++pair) offsets.push_back(Off::FirstTrimPair + 2 * pair + 1);
    for (int field : Off::LabelFields)
        if (field != Off::Quarn::AlwaysLiveLabel)  // emptied while the mode buttons are no trigger
            for (int i = 0; i < Off::LabelWidth; ++i) offsets.push_back(field + i);
    for (int i = 0; i < Off::FloatNameWidth; ++i) offsets.push_back(Off::FloatNameFields[0] + i);
    return offsets;
}
}  // namespace

class WireFilesTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;
    QTemporaryDir m_dir;

private slots:
    void init() { ProductCode = Product::None; }

    void resetAndOpenedFileReachTheController()
    {
        const CalImageBytes controllerImage = ShownImage(Product::Quarn, PatternImage(41));
        const CalImageBytes fileImage = ShownImage(Product::Quarn, PatternImage(77));
        QVERIFY(fileImage != controllerImage);
        const QString fileName = m_dir.filePath(QStringLiteral("truck.joy"));
        QVERIFY(WriteImageFile(fileName, fileImage));

        SimOnCom sim(FilesCom, ControllerOf('j'));
        sim.sim().SetImage(controllerImage);
        ModalAnswerer boxes;
        auto form = ConnectedWindow(sim, boxes);
        QVERIFY(form);
        QVERIFY2(CalImage == controllerImage, qPrintable(ImageDifferences(CalImage, controllerImage)));

        // "&Reset Cal File": the upload takes the reset image as the page's reload left it. The
        // reload rewrites some fields (trims, frequency, remote and name fields), and how depends
        // on what the page showed before, so the controller must hold exactly the window's image,
        // with the reset table's fields that every reload keeps. The globals beside the image stay.
        GlobalMinTrim = 30;
        GlobalMaxTrim = 200;
        QVERIFY(WaitReadyForRequest(sim, *form));
        Named<QAction>(form.get(), "ResetCalFile1")->trigger();
        const CalImageBytes reset = CalImage;
        QVERIFY(WaitForBoxes(boxes, QStringLiteral("Upload Successful!"), 1));
        QVERIFY2(sim.sim().Image() == reset, qPrintable(ImageDifferences(sim.sim().Image(), reset)));
        QCOMPARE(CalImage, reset);
        CalImageBytes table;
        MakeResetImage(table);
        for (int offset : KeptByEveryReload()) QVERIFY2(reset[offset] == table[offset], qPrintable(QString::number(offset)));
        QVERIFY(reset != controllerImage);
        QCOMPARE(int(GlobalMinTrim), 30);
        QCOMPARE(int(GlobalMaxTrim), 200);

        // A file opened while connected, then "&Send Cal": the controller holds the file's bytes.
        {
            FileDialogTyper typer(boxes, fileName);
            Named<QAction>(form.get(), "Open1")->trigger();
        }
        QCOMPARE(CalImage, fileImage);
        QVERIFY(WaitReadyForRequest(sim, *form));
        Named<QAction>(form.get(), "SendCal")->trigger();
        QVERIFY(WaitForBoxes(boxes, QStringLiteral("Upload Successful!"), 2));
        QVERIFY2(sim.sim().Image() == fileImage, qPrintable(ImageDifferences(sim.sim().Image(), fileImage)));
        QCOMPARE(sim.sim().UploadsCompleted(), 2);
        form.reset();
    }
};

QTEST_MAIN(WireFilesTest)
#include "test_wire_files.moc"
