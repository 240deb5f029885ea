#pragma once

// The entry sequence: splash, fonts, the windows in their order, the event loop, clean-up.
namespace Program {
int run(int argc, char* argv[]);
}
