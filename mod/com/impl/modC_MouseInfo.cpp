#include "modC_MouseInfo.h"

modC_MouseInfo::modC_MouseInfo()
    : context(0), x(0.0f), y(0.0f), z(0.0f), pixelX(0), pixelY(0), pixelZ(0), deltaX(0.0f), deltaY(0.0f),
      deltaZ(0.0f), pixelDeltaX(0), pixelDeltaY(0), pixelDeltaZ(0), button(0), modifiers(0), event(0), phase(2)
{
}

modC_MouseInfo::modC_MouseInfo(bio_Ifilter &) : modC_MouseInfo() {}

unsigned int modC_MouseInfo::TypeId()
{
    return modC_RecordTypeId(1);
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

void modC_MouseInfo::ReadData(bio_Ifilter & in, void * record)
{
    auto * r = static_cast<modC_MouseInfo *>(record);
    in >> r->context >> r->x >> r->y >> r->z >> r->pixelX >> r->pixelY >> r->pixelZ >> r->deltaX >> r->deltaY >>
        r->deltaZ >> r->pixelDeltaX >> r->pixelDeltaY >> r->pixelDeltaZ >> r->button >> r->modifiers >> r->event >>
        r->phase;
}

bio_Ofilter & modC_MouseInfo::WriteData(bio_Ofilter & out, void const * record)
{
    auto const * r = static_cast<modC_MouseInfo const *>(record);
    return out << r->context << r->x << r->y << r->z << r->pixelX << r->pixelY << r->pixelZ << r->deltaX << r->deltaY
               << r->deltaZ << r->pixelDeltaX << r->pixelDeltaY << r->pixelDeltaZ << r->button << r->modifiers
               << r->event << r->phase;
}

pnt_PrettyPrint & modC_MouseInfo::PrintData(pnt_PrettyPrint & out, void const * record)
{
    auto const * r = static_cast<modC_MouseInfo const *>(record);
    modC_PrintOpen(out, "modC_MouseInfo");
    modC_PrintItem(out) << r->context;
    modC_PrintItem(out) << r->x;
    modC_PrintItem(out) << r->y;
    modC_PrintItem(out) << r->z;
    modC_PrintItem(out) << r->pixelX;
    modC_PrintItem(out) << r->pixelY;
    modC_PrintItem(out) << r->pixelZ;
    modC_PrintItem(out) << r->deltaX;
    modC_PrintItem(out) << r->deltaY;
    modC_PrintItem(out) << r->deltaZ;
    modC_PrintItem(out) << r->pixelDeltaX;
    modC_PrintItem(out) << r->pixelDeltaY;
    modC_PrintItem(out) << r->pixelDeltaZ;
    modC_PrintItem(out) << r->button;
    modC_PrintItem(out) << r->modifiers;
    modC_PrintItem(out) << r->event;
    modC_PrintItem(out) << r->phase;
    // The pointer record ends with one more, empty item.
    modC_PrintItem(out);
    modC_PrintClose(out);
    return out;
}
