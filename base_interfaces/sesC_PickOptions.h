// The application's pick options: the graphics context in which picks are drawn.
#ifndef SESC_PICKOPTIONS_H
#define SESC_PICKOPTIONS_H

class sesC_PickGC {
public:
    // Shapes of an area pick; any other value means no shape.
    enum Shape { NONE = 0, RECTANGLE = 1, CIRCLE = 2, POLYGON = 3 };

    int GetShape() const { return shape; }
    void SetShape(int s) { shape = s; }

private:
    int shape = NONE;
};

class sesC_PickOptions {
public:
    static sesC_PickOptions & Instance();

    // Starts a fresh graphics context: the shape is back to none.
    void InitializePickGC();
    sesC_PickGC & GetPickGC() { return gc; }
    sesC_PickGC const & GetPickGC() const { return gc; }

    // How often the context was initialised; front ends use it to see mode starts.
    int InitializeCount() const { return initializeCount; }

private:
    sesC_PickOptions() = default;
    sesC_PickGC gc;
    int initializeCount = 0;
};

template <class T>
struct omi_Singleton;

template <>
struct omi_Singleton<sesC_PickOptions> {
    static sesC_PickOptions & Instance() { return sesC_PickOptions::Instance(); }
};

#endif
