#pragma once

#include <string>

#include <sys/types.h>

// A private Xvfb server with a 24-bit screen of the given size. It picks a
// free display number itself, so tests running in parallel never collide.
class XServer {
public:
    XServer(int width, int height);
    ~XServer();
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    // ":N", or empty if the server failed to start.
    const std::string& display() const { return display_; }

private:
    pid_t pid_ = -1;
    std::string display_;
};
