// Texts built into the front ends from readable files next to the sample modes.
#ifndef SAMPLEEMBEDDED_H
#define SAMPLEEMBEDDED_H

namespace sample_embedded {

// sample_en.res: the English texts of the sample modes, as "name: text" lines.
char const * Resources();
// extrude.session: the default extrusion session, one typed line per line, as
// the console takes it; the desktop plays the same lines as clicks and keys.
char const * ExtrudeSession();

}  // namespace sample_embedded

#endif
