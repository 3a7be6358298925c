#pragma once

#include <string>

// The game installed as a packager installs it, `cmake --install --prefix
// /usr` into a staging root (DESTDIR), once per test program before its
// first test. The stage lies in the build tree so the installed-game test
// can start the launcher from it afterwards. Beside the game, the stage holds
// the font package's Vera.ttf, as a root with the game installed would.
// The staged path of a file the install puts at /usr/<path>.
std::string installed(const std::string& path);

// The whole file, or empty if it cannot be read.
std::string read_text(const std::string& path);
