#pragma once

#include "windef.h"

namespace mullion {

// Thread ids are handed out once and never reused. CreateThread takes the new thread's id
// before the thread runs, so that it can return it; the thread then adopts it.
DWORD allocate_thread_id();
void adopt_thread_id(DWORD thread_id);

} // namespace mullion
