#include "message_map.h"

namespace framework {

namespace {

template <class Matches> const MessageMapEntry* find_entry(const MessageMap* map, Matches matches) {
    for (; map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const MessageMapEntry* entry = map->lpEntries; entry->pfnThunk; ++entry) {
            if (matches(*entry))
                return entry;
        }
    }
    return nullptr;
}

} // namespace

const MessageMapEntry* FindMessageEntry(const MessageMap* map, UINT message) {
    return find_entry(map, [message](const MessageMapEntry& entry) {
        return entry.nMessage == message && message != WM_COMMAND;
    });
}

const MessageMapEntry* FindCommandEntry(const MessageMap* map, UINT nCode, UINT nID) {
    return find_entry(map, [nCode, nID](const MessageMapEntry& entry) {
        return entry.nMessage == WM_COMMAND && entry.nCode == nCode && nID >= entry.nID &&
               nID <= entry.nLastID;
    });
}

} // namespace framework
