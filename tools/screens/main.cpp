// quarn-screens: saves a picture of the main window for every product page and every tab on it,
// so a layout can be checked by eye at the fixed window size.
//   quarn-screens OUTDIR [product-letter...]   (every variant when none given)
#include "core/calimage.h"
#include "core/variants.h"
#include "ui/appstyle.h"
#include "ui/quarnform.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace {
int g_count = 0;

void Save(QWidget *window, const QString &dir, const QString &name)
{
    QApplication::processEvents();
    QString file = QDir(dir).filePath(name + QStringLiteral(".png"));
    window->grab().save(file);
    std::printf("%s\n", qPrintable(file));
    ++g_count;
}

// The outermost tab set below `root` (one not inside another tab set below root).
QTabWidget *FirstTabSet(QWidget *root)
{
    for (QTabWidget *tabs : root->findChildren<QTabWidget *>()) {
        bool nested = false;
        for (QWidget *p = tabs->parentWidget(); p && p != root; p = p->parentWidget())
            if (qobject_cast<QTabWidget *>(p)) nested = true;
        if (!nested) return tabs;
    }
    return nullptr;
}

// Every tab of every tab set below `root`, depth first, each saved once shown.
void WalkTabs(QWidget *window, QWidget *root, const QString &dir, const QString &prefix)
{
    QTabWidget *tabs = FirstTabSet(root);
    if (!tabs || tabs->count() == 0) {
        Save(window, dir, prefix);
        return;
    }
    for (int i = 0; i < tabs->count(); ++i) {
        tabs->setCurrentIndex(i);
        if (tabs->currentIndex() != i) continue;  // a guard refused it
        QString tab = tabs->tabText(i).remove(QLatin1Char('&')).replace(QLatin1Char('/'), QLatin1Char('-'))
                          .replace(QLatin1Char(' '), QLatin1Char('_'));
        WalkTabs(window, tabs->widget(i), dir, prefix + QLatin1Char('-') + tab);
    }
}
}  // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    InstallApplicationStyle();
    if (argc < 2) {
        std::fprintf(stderr, "usage: quarn-screens OUTDIR [product-letter ...]\n");
        return 2;
    }
    QString dir = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(dir);
    QList<const Variant *> variants;
    for (int i = 2; i < argc; ++i) {
        const Variant *variant = VariantOfLetter(uint8_t(argv[i][0]));
        if (!variant || argv[i][1]) {
            std::fprintf(stderr, "quarn-screens: no variant announces itself as '%s'\n", argv[i]);
            return 2;
        }
        variants << variant;
    }
    if (variants.isEmpty())
        for (const Variant &variant : Variants()) variants << &variant;

    // Any box a page raises while it is walked is answered at once.
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) box->buttons().first()->click();
    });
    closer.start(20);

    StartOptions options;
    options.showSplash = false;
    TQuarnForm form(options);
    form.show();
    Save(&form, dir, QStringLiteral("blank"));
    auto *stack = form.findChild<QStackedWidget *>(QStringLiteral("ProductNotebook"));
    for (const Variant *variant : variants) {
        ProductCode = variant->code;
        form.ImageToControls(false);
        WalkTabs(&form, stack->currentWidget(), dir, QString(QLatin1Char(variant->letter)));
    }
    std::printf("%d pictures\n", g_count);
    return 0;
}
