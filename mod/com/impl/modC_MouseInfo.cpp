#include "modC_MouseInfo.h"

modC_MouseInfo::modC_MouseInfo()
    : context(0), x(0.0f), y(0.0f), z(0.0f), pixelX(0), pixelY(0), pixelZ(0), deltaX(0.0f), deltaY(0.0f),
      deltaZ(0.0f), pixelDeltaX(0), pixelDeltaY(0), pixelDeltaZ(0), button(0), modifiers(0), event(0), phase(2)
{
}

unsigned int modC_MouseInfo::TypeId()
{
    return 0x10C0001;
}

unsigned int modC_MouseInfo::DynTypeId() const
{
    return TypeId();
}

void modC_MouseInfo::SetPosition(float newX, float newY)
{
    deltaX = newX - (x - deltaX);
    deltaY = newY - (y - deltaY);
    x = newX;
    y = newY;
    z = 0.0f;
    deltaZ = 0.0f;
}

void modC_MouseInfo::SetPixPosition(int newX, int newY)
{
    // Unsigned arithmetic: far-apart pixel values wrap instead of overflowing.
    auto const moved = [](int to, int from, int delta) {
        unsigned int const pressed = static_cast<unsigned int>(from) - static_cast<unsigned int>(delta);
        return static_cast<int>(static_cast<unsigned int>(to) - pressed);
    };
    pixelDeltaX = moved(newX, pixelX, pixelDeltaX);
    pixelDeltaY = moved(newY, pixelY, pixelDeltaY);
    pixelX = newX;
    pixelY = newY;
    pixelZ = 0;
    pixelDeltaZ = 0;
}

void modC_MouseInfo::Reset()
{
    deltaX = deltaY = deltaZ = 0.0f;
    pixelDeltaX = pixelDeltaY = pixelDeltaZ = 0;
    event = 0;
}
