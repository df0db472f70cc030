#include "modC_StepReceiver.h"

void modC_StepReceiver::FlippingHook(modC_FlipFlopStep const &, modC_Step const &) {}
