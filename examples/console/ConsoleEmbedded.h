// Texts built into the console from readable files next to its sources.
#ifndef CONSOLEEMBEDDED_H
#define CONSOLEEMBEDDED_H

namespace console_embedded {

// console_en.res: the English texts of the sample modes, as "name: text" lines.
char const * Resources();
// extrude.session: the default extrusion session, one typed line per line.
char const * DefaultSession();

}  // namespace console_embedded

#endif
