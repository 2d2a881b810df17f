// The Quarn page's trim, global, float and panic tabs at the fixed window size: every control
// inside its parent, no two controls on top of each other, no caption cut.
#include "test_quarn_support.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace {
// The named, visible controls placed directly on `parent`.
QList<QWidget *> placedControls(QWidget *parent)
{
    QList<QWidget *> controls;
    for (QWidget *w : parent->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        if (!w->objectName().isEmpty() && !w->isHidden()) controls << w;
    return controls;
}

QString captionOf(QWidget *w)
{
    if (auto *label = qobject_cast<QLabel *>(w)) return label->wordWrap() ? QString() : label->text();
    if (auto *button = qobject_cast<QAbstractButton *>(w)) return button->text();
    return {};
}

// The width a caption needs: a push button's size hint carries a minimum width of its style, so
// only its text and a small margin count there.
int neededWidth(QWidget *w)
{
    if (qobject_cast<QPushButton *>(w)) return w->fontMetrics().horizontalAdvance(captionOf(w)) + 8;
    return w->sizeHint().width();
}

void checkArea(QWidget *parent, QStringList &faults)
{
    const QList<QWidget *> controls = placedControls(parent);
    for (int i = 0; i < controls.size(); ++i) {
        QWidget *w = controls[i];
        if (!parent->rect().contains(w->geometry()))
            faults << QStringLiteral("%1 leaves %2").arg(w->objectName(), parent->objectName());
        if (!captionOf(w).isEmpty() && neededWidth(w) > w->width())
            faults << QStringLiteral("%1 cuts \"%2\"").arg(w->objectName(), captionOf(w));
        for (int j = i + 1; j < controls.size(); ++j)
            if (w->geometry().intersects(controls[j]->geometry()))
                faults << QStringLiteral("%1 overlaps %2").arg(w->objectName(), controls[j]->objectName());
        if (qobject_cast<QGroupBox *>(w)) checkArea(w, faults);
    }
}
}  // namespace

class QuarnLayoutTest : public QObject {
    Q_OBJECT
    PrivateSettings m_settings;

private slots:
    void tabsFitWithoutOverlap()
    {
        auto form = makeMainWindow();
        CalImage[218] = 1;  // the V-plow notes shown too
        ProductCode = Product::Quarn;
        reload(form.get());
        auto *page = control<QuarnPage>(form.get(), "QuarnPage");
        auto *tabs = control<QTabWidget>(form.get(), "TabbedNotebook1");
        QStringList faults;
        for (QuarnPage::Tab tab : {QuarnPage::GlobalTab, QuarnPage::A1A4Tab, QuarnPage::A5A8Tab, QuarnPage::B1B4Tab,
                                   QuarnPage::B5B8Tab, QuarnPage::C1C4Tab, QuarnPage::FloatsTab, QuarnPage::PanicTab}) {
            tabs->setCurrentIndex(tab);
            QApplication::processEvents();
            checkArea(page->tabPage(tab), faults);
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));

        // All eleven tabs show in one row.
        QTabBar *bar = tabs->tabBar();
        QVERIFY(bar->tabRect(tabs->count() - 1).right() < tabs->width());
    }
};

QTEST_MAIN(QuarnLayoutTest)
#include "test_quarn_layout.moc"
