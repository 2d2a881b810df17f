#include "core/catalog/quarn_lists.h"

const QStringList &QuarnPortList()
{
    static const QStringList ports = {"None",    "PORT A6", "PORT A5", "PORT A2", "PORT A1", "PORT A4", "PORT A3",
                                      "PORT A8", "PORT A7", "PORT B2", "PORT B1", "PORT B4", "PORT B3", "PORT B6",
                                      "PORT B5", "PORT B8", "PORT B7", "PORT C2", "PORT C1", "PORT C4", "PORT C3"};
    return ports;
}

const QStringList &QuarnOutputList()
{
    static const QStringList outputs = {
        "None",           "J1A plow down",  "J2A plow up",     "J3A plow right",   "J4A plow left",
        "J5A hoist down", "J6A hoist up",   "J7A toe down",    "J8A toe up",       "J1B heel down",
        "J2B heel up",    "J3B wing slide out", "J4B wing slide in", "J8B blade LEFT", "J7B blade RIGHT",
        "J6B blade UP",   "J5B blade DOWN", "J4C blade2 LEFT", "J3C blade2 RIGHT", "J2C blade2 UP",
        "J1C blade2 DOWN"};
    return outputs;
}
