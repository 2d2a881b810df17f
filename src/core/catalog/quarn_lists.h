#pragma once
// The item lists the Quarn 2 page shares between several drop-downs.
#include <QStringList>

// The shared item lists of the Quarn page.
const QStringList &QuarnPortList();    // "None", "PORT A6" ... "PORT C3" (the stored byte is the index)
const QStringList &QuarnOutputList();  // "None", "J1A plow down" ... "J1C blade2 DOWN"
