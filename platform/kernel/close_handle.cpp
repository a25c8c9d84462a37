// CloseHandle: closes any kernel object handle (files, events, threads). Window and drawing
// object handles have their own destroy functions and are refused here.
#include "handle_table.h"

#include "windows.h"

using namespace mullion;

BOOL WINAPI CloseHandle(HANDLE hObject) {
    // The current thread's pseudo-handle needs no closing.
    if (hObject == GetCurrentThread())
        return TRUE;
    auto object = HandleTable::instance().lookup(hObject);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    switch (object->kind()) {
    case ObjectKind::Event:
    case ObjectKind::Thread:
    case ObjectKind::File:
        HandleTable::instance().remove(hObject);
        return TRUE;
    default:
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
}
