#include "sesC_PickOptions.h"

sesC_PickOptions & sesC_PickOptions::Instance()
{
    static sesC_PickOptions instance;
    return instance;
}

void sesC_PickOptions::InitializePickGC()
{
    gc = sesC_PickGC();
    ++initializeCount;
}
