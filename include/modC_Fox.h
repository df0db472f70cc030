// The FOX toolkit classes the framework passes through without using.
#ifndef MODC_FOX_H
#define MODC_FOX_H

namespace FX {
class FXObjectList;
class FXObject;
}  // namespace FX
using FX::FXObject;
using FX::FXObjectList;

#endif
