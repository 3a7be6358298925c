#pragma once

#include <string>
#include <vector>

#include <sys/types.h>

// A private Xvfb server with a 24-bit screen of the given size. It picks a
// free display number itself, so tests running in parallel never collide.
// By default it stays up when its last client leaves (-noreset); a test of
// how the game meets other servers gives other arguments.
class XServer {
public:
    XServer(int width, int height, const std::vector<std::string>& args = {"-noreset"});
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    // ":N", or empty if the server failed to start.
    const std::string& display() const { return display_; }

private:
    pid_t pid_ = -1;
    std::string display_;
};
