// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace tivren::FreedMemory {

// Hands the heap pages freed after a large piece of work (reading the data file) back to the system,
// where the allocator would otherwise keep them for the rest of a long-running process. Takes a few
// milliseconds: call it off the user-interface thread. Does nothing where the allocator cannot.
void giveBack();

} // namespace tivren::FreedMemory
