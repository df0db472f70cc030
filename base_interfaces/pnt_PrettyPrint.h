// Text stream for diagnostic printing. Layout control pairs (ESC and a letter)
// pass through unchanged for the reader of the text to interpret.
#ifndef PNT_PRETTYPRINT_H
#define PNT_PRETTYPRINT_H

#include <ostream>

class omu_Primitive;

class pnt_PrettyPrint {
public:
    static constexpr char escape = '\x1b';

    explicit pnt_PrettyPrint(std::ostream & stream) : stream(stream) {}

    pnt_PrettyPrint & operator<<(int value);
    pnt_PrettyPrint & operator<<(float value);
    pnt_PrettyPrint & operator<<(omu_Primitive const & value);

    pnt_PrettyPrint & prettyprint(char const * text, int length);
    // The control pair ESC `letter`.
    pnt_PrettyPrint & Control(char letter);

private:
    std::ostream & stream;
};

#endif
