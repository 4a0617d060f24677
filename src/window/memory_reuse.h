#pragma once

namespace quorvel {

// Freed memory stays with the program for its next use rather than going back to the system.
void keepFreedMemoryForReuse();

} // namespace quorvel
