#pragma once
// Helpers of the Quarn page tests: the main window on the Quarn page, user gestures on its
// controls, and a host that records live-test requests.
#include "core/calimage.h"
#include "ui/editorhost.h"
#include "ui/pages/quarn/quarnpage.h"
#include "ui/quarnform.h"
#include "support/testsupport.h"

#include <QCheckBox>
#include <QComboBox>
#include <QScrollBar>
#include <QTabWidget>
#include <QTest>

#include <utility>
#include <vector>

// The main window showing the Quarn page with the current image loaded.
inline std::unique_ptr<TQuarnForm> makeQuarnWindow()
{
    auto form = makeMainWindow();
    ProductCode = Product::Quarn;
    form->ImageToControls(false);
    return form;
}

// Loads the current image into the page as a download does.
inline void reload(TQuarnForm *form) { form->ImageToControls(true); }

// Brings the tab holding `control` to the front, so the user can reach it.
inline void showTabOf(QWidget *control)
{
    for (QWidget *w = control; w; w = w->parentWidget())
        if (auto *tabs = qobject_cast<QTabWidget *>(w->parentWidget() ? w->parentWidget()->parentWidget() : nullptr)) {
            int index = tabs->indexOf(w);
            if (index >= 0) {
                tabs->setCurrentIndex(index);
                return;
            }
        }
}

// A click on a check box's indicator, as the user makes it.
inline void clickBox(QCheckBox *box)
{
    showTabOf(box);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
}

// Picks an item of a drop-down list, as the user does.
inline void choose(QComboBox *list, int index)
{
    showTabOf(list);
    list->setCurrentIndex(index);
    emit list->activated(index);
}

template <class T>
T *control(QObject *root, const char *name)
{
    return findControl<T>(root, QString::fromLatin1(name));
}

inline QCheckBox *box(QObject *root, const char *name) { return control<QCheckBox>(root, name); }

// A host for a page on its own: loads with the latch as the window does, records live tests.
class RecordingHost : public EditorHost {
public:
    QuarnPage *page = nullptr;
    std::vector<std::pair<int, int>> presses;
    int releases = 0;

    void ImageToControls(bool) override
    {
        if (m_loading || !page) return;
        m_loading = true;
        page->LoadImage();
        m_loading = false;
    }
    bool Loading() const override { return m_loading; }
    void TestPress(uint8_t code, uint8_t level) override { presses.emplace_back(code, level); }
    void TestReleaseImmediate() override { ++releases; }
    void TestReleaseZeroLevel(uint8_t) override {}
    void ShowHelp() override {}

private:
    bool m_loading = false;
};
