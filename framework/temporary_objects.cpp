#include "temporary_objects.h"

#include <vector>

namespace framework {

namespace {

std::vector<std::function<void()>>& temporary_maps() {
    thread_local std::vector<std::function<void()>> maps;
    return maps;
}

} // namespace

void RegisterTemporaryMap(std::function<void()> clear) {
    temporary_maps().push_back(std::move(clear));
}

void DeleteTemporaryObjects() {
    for (const std::function<void()>& clear : temporary_maps())
        clear();
}

} // namespace framework
