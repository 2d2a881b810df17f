#pragma once
// Every control under a page with its signals blocked while the page is set from an image:
// showing moves controls without running their handlers, so it stores nothing.
#include <QSignalBlocker>
#include <QWidget>

#include <vector>

class QuietControls {
public:
    explicit QuietControls(QWidget *root)
    {
        const QList<QWidget *> controls = root->findChildren<QWidget *>();
        m_blockers.reserve(size_t(controls.size()));
        for (QWidget *control : controls) m_blockers.emplace_back(control);
    }

private:
    std::vector<QSignalBlocker> m_blockers;
};
