// GlobalAlloc and friends: movable and fixed blocks alike are handles to GlobalMemory objects
// whose bytes never move.
#include "global_memory.h"

#include "windows.h"

namespace mullion {
namespace {
std::shared_ptr<GlobalMemory> find_block(HGLOBAL handle) {
    return HandleTable::instance().get<GlobalMemory>(handle);
}
} // namespace
} // namespace mullion

using namespace mullion;

HGLOBAL WINAPI GlobalAlloc(UINT, SIZE_T dwBytes) {
    return HandleTable::instance().insert(std::make_shared<GlobalMemory>(dwBytes));
}

LPVOID WINAPI GlobalLock(HGLOBAL hMem) {
    auto block = find_block(hMem);
    if (!block) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    ++block->lock_count;
    // A zero-byte block has no address to give, as Win32 documents for discarded blocks.
    return block->bytes.empty() ? nullptr : block->bytes.data();
}

BOOL WINAPI GlobalUnlock(HGLOBAL hMem) {
    auto block = find_block(hMem);
    if (!block || block->lock_count == 0) {
        SetLastError(block ? ERROR_NOT_LOCKED : ERROR_INVALID_HANDLE);
        return FALSE;
    }
    --block->lock_count;
    return block->lock_count > 0;
}

HGLOBAL WINAPI GlobalFree(HGLOBAL hMem) {
    if (!HandleTable::instance().remove(hMem)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return hMem;
    }
    return nullptr;
}

SIZE_T WINAPI GlobalSize(HGLOBAL hMem) {
    auto block = find_block(hMem);
    return block ? block->bytes.size() : 0;
}
