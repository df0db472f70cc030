#include "uti_LabelMap.h"

template <>
uti_LabelMap<int, 268>::Row const uti_LabelMap<int, 268>::table[] = {
    {"Pick the points for the polygon", "modC_PickMethod_Polygon", 0},
    {nullptr, nullptr, 0},
};
