#include "modC_Mode.h"

modC_Mode::modC_Mode(modC_ModePreReq * prerequisite) : prerequisite(prerequisite) {}

modC_Mode::~modC_Mode() = default;

int modC_Mode::CheckPrompt(char const *)
{
    return 1;
}

int modC_Mode::CommandIsSent() const
{
    return 0;
}
