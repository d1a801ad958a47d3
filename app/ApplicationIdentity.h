#pragma once

// The program's name for Qt. No display name is set: the window system would append it to every
// window title, and the captions must read exactly as the program sets them.
namespace ApplicationIdentity {

void apply();

} // namespace ApplicationIdentity
