#pragma once

namespace floebound {

// Keeps memory the process frees for its own reuse instead of handing it back
// to the kernel at once; call first thing in main.
void keep_freed_memory();

}  // namespace floebound
