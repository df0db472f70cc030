// Hands the raw pointer state of the viewport to its step: every report first
// copies the record, so the step reads the values of the moment of the report.
#ifndef MODC_CLICKANDDRAGMETHOD_H
#define MODC_CLICKANDDRAGMETHOD_H

#include <memory>

#include "modC_Method.h"
#include "modC_PositionMethodImpl.h"

class modC_ClickAndDragMethod : public modC_Method {
public:
    // Takes ownership of `impl`; attaches to it only when executed, since a
    // pointer tracker reports to whichever method ran it last.
    modC_ClickAndDragMethod(modC_MethodReceiver * receiver, modC_PositionMethodImpl * impl);

    void Execute() override;
    void Cancel() override;
    void Suspend() override;
    void Resume() override;
    void DirectManipulation(DirectManipReason reason, modC_Method * method) override;
    void ValueChanged(modC_Method * method) override;
    void Done(modC_Method * method) override;

    // The record as of the last report; all 0 before the first.
    int Context() const { return context; }
    double X() const { return x; }
    double Y() const { return y; }
    int PixelX() const { return pixelX; }
    int PixelY() const { return pixelY; }
    double DeltaX() const { return deltaX; }
    double DeltaY() const { return deltaY; }
    int PixelDeltaX() const { return pixelDeltaX; }
    int PixelDeltaY() const { return pixelDeltaY; }
    int Modifiers() const { return modifiers; }
    int Event() const { return event; }
    int Phase() const { return phase; }
    int Button() const { return button; }

private:
    void CopyRecord();

    int context = 0;
    double x = 0.0;
    double y = 0.0;
    int pixelX = 0;
    int pixelY = 0;
    double deltaX = 0.0;
    double deltaY = 0.0;
    int pixelDeltaX = 0;
    int pixelDeltaY = 0;
    int modifiers = 0;
    int event = 0;
    int phase = 0;
    int button = 0;
    std::unique_ptr<modC_PositionMethodImpl> impl;
};

#endif
