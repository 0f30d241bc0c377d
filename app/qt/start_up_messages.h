#pragma once

namespace talvex::qt {

// From here until releaseStartUpMessages(), Qt's messages are held back, and a fatal one, which
// Qt gives when it finds no display or no platform plugin to reach it with, ends the program
// with two plain lines on stderr and exit code 1 instead of an abort and a core dump.
void holdStartUpMessages();

// Passes on what was held back, as Qt would have printed it, and lets messages through again.
void releaseStartUpMessages();

} // namespace talvex::qt
