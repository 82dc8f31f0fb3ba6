#pragma once
// Gives the heap's free pages back to the system. Saving the whole online
// table again and again allocates and frees a great deal; without this the
// allocator keeps the high-water mark of a long session.

namespace kivo {

void releaseFreeMemory();

} // namespace kivo
