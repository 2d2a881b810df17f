#pragma once
// Helpers shared by the Dorsell page tests: the window on the Dorsell page, controls by name and
// the user's ways of choosing a list entry.
#include "core/calimage.h"
#include "ui/quarnform.h"
#include "support/testsupport.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>

// Loads the image into the page of `product` as a download would.
inline void LoadAs(TQuarnForm &form, uint8_t product)
{
    ProductCode = product;
    form.ImageToControls(true);
}

// Picks an entry of a drop-down list as the user does: the entry shows, then the list's
// activation handler runs.
inline void Choose(QComboBox *combo, int index)
{
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

inline QString Caption(const TQuarnForm &form, const char *box)
{
    return findControl<QGroupBox>(&form, QString::fromLatin1(box))->title();
}

// Reloads until the image stops changing (the frequency bar settles on a multiple of 5 within a
// few reloads), so a later comparison sees only what an action changed.
inline void Settle(TQuarnForm &form)
{
    for (int i = 0; i < 10; ++i) {
        const CalImageBytes before = CalImage;
        form.ImageToControls(false);
        if (CalImage == before) return;
    }
}

template <class T>
T *Control(const TQuarnForm &form, const char *name)
{
    return findControl<T>(&form, QString::fromLatin1(name));
}
