#pragma once

namespace tarnwick {

// Gives the pages of memory freed since to the system, where the allocator keeps them otherwise:
// after a large list is cleared or a large addition is done, the program should not go on holding
// what it held at its largest.
void ReturnFreedMemory();

} // namespace tarnwick
