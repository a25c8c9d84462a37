#include "message_reflection.h"

namespace framework {

const MessageMapEntry* FindReflectedEntry(const MessageMap* map, UINT reflectedMessage,
                                          UINT nCode) {
    const bool is_command = reflectedMessage == WM_REFLECT_BASE + WM_COMMAND;
    for (; map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const MessageMapEntry* entry = map->lpEntries; entry->pfnThunk; ++entry) {
            if (entry->nMessage == reflectedMessage && (!is_command || entry->nCode == nCode))
                return entry;
        }
    }
    return nullptr;
}

} // namespace framework
