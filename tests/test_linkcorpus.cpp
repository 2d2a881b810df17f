// The link stream fuzz target's own check, run over every input of its corpus without libFuzzer:
// inputs that once found a fault keep proving, in the ordinary test run, that it stays mended.
// A check that fails aborts the test, after the name of the input on its output.
#include "../fuzz/fuzz_linkstream.cpp"

#include <QDir>
#include <QFile>
#include <QtTest>

class LinkCorpusTest : public QObject {
    Q_OBJECT
private slots:
    void everyInputKeepsTheWorkersPromises()
    {
        const QDir corpus(QStringLiteral(QUARN_LINKSTREAM_CORPUS));
        const QStringList inputs = corpus.entryList(QDir::Files, QDir::Name);
        QVERIFY(inputs.size() >= 10);
        for (const QString &name : inputs) {
            QFile file(corpus.filePath(name));
            QVERIFY(file.open(QIODevice::ReadOnly));
            const QByteArray input = file.readAll();
            qInfo("input %s", qPrintable(name));
            LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(input.constData()), size_t(input.size()));
        }
        QVERIFY(LinkStreamImagesChecked > 0);
    }
};

QTEST_GUILESS_MAIN(LinkCorpusTest)
#include "test_linkcorpus.moc"
