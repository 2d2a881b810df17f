#include "ui/assets.h"

#include <QtGlobal>

static void RegisterAssets() { Q_INIT_RESOURCE(assets); }

void EnsureAssets()
{
    static const bool registered = (RegisterAssets(), true);
    (void)registered;
}
