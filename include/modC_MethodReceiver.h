// What an input method calls on its owner. Every step is one.
#ifndef MODC_METHODRECEIVER_H
#define MODC_METHODRECEIVER_H

class modC_Method;

class modC_MethodReceiver {
public:
    // Why a method reports a direct manipulation. Methods pass on the reason
    // their implementation gave; the framework raises only GEOMETRY_CHANGED.
    enum DirectManipReason : int {
        MANIPULATION_STARTED = 0,
        MANIPULATION_CONTINUED = 1,
        GEOMETRY_CHANGED = 2,  // the method changed its geometry itself: show it again
    };

    virtual void DirectManipulation(DirectManipReason reason, modC_Method * method) = 0;
    virtual void ValueChanged(modC_Method * method) = 0;
    virtual void Done(modC_Method * method) = 0;

protected:
    modC_MethodReceiver() = default;
    modC_MethodReceiver(modC_MethodReceiver const &) = default;
    modC_MethodReceiver & operator=(modC_MethodReceiver const &) = default;
    // Never destroyed through this interface.
    ~modC_MethodReceiver() = default;
};

#endif
