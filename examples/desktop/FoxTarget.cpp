#include "FoxTarget.h"

int FoxTarget::depth = 0;

long FoxTarget::handle(FX::FXObject * sender, FX::FXSelector selector, void * data)
{
    if (silenced || !handler)
        return 0;
    struct Level {
        Level() { ++depth; }
        ~Level() { --depth; }
    } level;
    return handler(sender, selector, data);
}
