// CoInitialize, CoUninitialize and CoCreateInstance: the component object library as far as
// the shell link object needs it. Each thread keeps its own initialisation count.
#include "shell/shell_link.h"

#include <cstdlib>

namespace {

thread_local int initialisation_count = 0;

} // namespace

HRESULT WINAPI CoInitializeEx(LPVOID, DWORD) {
    return initialisation_count++ == 0 ? S_OK : S_FALSE;
}

HRESULT WINAPI CoInitialize(LPVOID pvReserved) {
    return CoInitializeEx(pvReserved, COINIT_APARTMENTTHREADED);
}

void WINAPI CoUninitialize(void) {
    if (initialisation_count > 0)
        --initialisation_count;
}

HRESULT WINAPI CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext,
                                REFIID riid, LPVOID* ppv) {
    if (!ppv)
        return E_POINTER;
    *ppv = nullptr;
    if (initialisation_count == 0)
        return CO_E_NOTINITIALIZED;
    if (rclsid != CLSID_ShellLink || !(dwClsContext & CLSCTX_INPROC_SERVER))
        return REGDB_E_CLASSNOTREG;
    if (pUnkOuter)
        return CLASS_E_NOAGGREGATION;
    auto* link = new mullion::ShellLink;
    const HRESULT result = link->QueryInterface(riid, ppv);
    // The creation reference goes; the caller's reference from QueryInterface stays.
    static_cast<IShellLinkA*>(link)->Release();
    return result;
}

LPVOID WINAPI CoTaskMemAlloc(SIZE_T cb) {
    return std::malloc(cb == 0 ? 1 : cb);
}

void WINAPI CoTaskMemFree(LPVOID pv) {
    std::free(pv);
}
