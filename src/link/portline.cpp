#include "link/portline.h"

#include "link/networkline.h"
#include "link/networkport.h"
#include "link/serialline.h"

std::unique_ptr<PortLine> MakePortLine(const QString &name)
{
    if (IsNetworkPortName(name)) return std::make_unique<NetworkLine>();
    return std::make_unique<SerialLine>();
}
