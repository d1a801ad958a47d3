#pragma once

namespace UnitInitialization {

// The start-up lines of the units that announce themselves on the debugger output, in the
// order they initialise: the folder browser, the text utilities, the interface translator.
void run();

} // namespace UnitInitialization
