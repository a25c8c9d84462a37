// The component object library: interface identifiers, IUnknown, the persistence interfaces
// and the functions that initialise the library and create objects.
#pragma once

#include "windef.h"
#include "winbase.h"

#define CLSCTX_INPROC_SERVER 0x1
#define CLSCTX_INPROC_HANDLER 0x2
#define CLSCTX_LOCAL_SERVER 0x4
#define CLSCTX_REMOTE_SERVER 0x10
#define CLSCTX_ALL                                                                                 \
    (CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER | CLSCTX_REMOTE_SERVER)

#define COINIT_MULTITHREADED 0x0
#define COINIT_APARTMENTTHREADED 0x2

#define STGM_READ 0x00000000L
#define STGM_WRITE 0x00000001L
#define STGM_READWRITE 0x00000002L

#define CO_E_NOTINITIALIZED ((HRESULT)0x800401F0L)
#define REGDB_E_CLASSNOTREG ((HRESULT)0x80040154L)
#define CLASS_E_NOAGGREGATION ((HRESULT)0x80040110L)
#define STG_E_FILENOTFOUND ((HRESULT)0x80030002L)
#define STG_E_ACCESSDENIED ((HRESULT)0x80030005L)
#define STG_E_INVALIDHEADER ((HRESULT)0x800300FBL)
#define FACILITY_WIN32 7
#define HRESULT_FROM_WIN32(x)                                                                      \
    ((HRESULT)(x) <= 0 ? ((HRESULT)(x))                                                            \
                       : ((HRESULT)(((x)&0x0000FFFF) | (FACILITY_WIN32 << 16) | 0x80000000)))

#ifndef RC_INVOKED
typedef struct _GUID {
    DWORD Data1;
    WORD Data2;
    WORD Data3;
    BYTE Data4[8];
} GUID;
typedef GUID IID;
typedef GUID CLSID;
typedef IID* LPIID;
typedef CLSID* LPCLSID;
typedef const GUID& REFGUID;
typedef const IID& REFIID;
typedef const CLSID& REFCLSID;

typedef WCHAR OLECHAR;
typedef OLECHAR* LPOLESTR;
typedef const OLECHAR* LPCOLESTR;

inline bool IsEqualGUID(REFGUID rguid1, REFGUID rguid2) {
    return rguid1.Data1 == rguid2.Data1 && rguid1.Data2 == rguid2.Data2 &&
           rguid1.Data3 == rguid2.Data3 && __builtin_memcmp(rguid1.Data4, rguid2.Data4, 8) == 0;
}
#define IsEqualIID(riid1, riid2) IsEqualGUID(riid1, riid2)
#define IsEqualCLSID(rclsid1, rclsid2) IsEqualGUID(rclsid1, rclsid2)
inline bool operator==(REFGUID guidOne, REFGUID guidOther) {
    return IsEqualGUID(guidOne, guidOther);
}
inline bool operator!=(REFGUID guidOne, REFGUID guidOther) {
    return !IsEqualGUID(guidOne, guidOther);
}
#endif

#define interface struct
#define STDMETHODCALLTYPE
#define STDMETHOD(method) virtual HRESULT STDMETHODCALLTYPE method
#define STDMETHOD_(type, method) virtual type STDMETHODCALLTYPE method
#define PURE = 0
#define STDAPI WINBASEAPI HRESULT WINAPI
#define STDAPI_(type) WINBASEAPI type WINAPI

#ifndef RC_INVOKED
interface IUnknown {
    STDMETHOD(QueryInterface)(REFIID riid, void** ppvObject) PURE;
    STDMETHOD_(ULONG, AddRef)() PURE;
    STDMETHOD_(ULONG, Release)() PURE;

protected:
    ~IUnknown() = default;
};
typedef IUnknown* LPUNKNOWN;

interface IPersist : public IUnknown {
    STDMETHOD(GetClassID)(CLSID* pClassID) PURE;

protected:
    ~IPersist() = default;
};

interface IPersistFile : public IPersist {
    STDMETHOD(IsDirty)() PURE;
    STDMETHOD(Load)(LPCOLESTR pszFileName, DWORD dwMode) PURE;
    STDMETHOD(Save)(LPCOLESTR pszFileName, BOOL fRemember) PURE;
    STDMETHOD(SaveCompleted)(LPCOLESTR pszFileName) PURE;
    // The returned name is allocated with CoTaskMemAlloc; the caller frees it.
    STDMETHOD(GetCurFile)(LPOLESTR* ppszFileName) PURE;

protected:
    ~IPersistFile() = default;
};

WINBASEAPI const IID IID_IUnknown;
WINBASEAPI const IID IID_IPersist;
WINBASEAPI const IID IID_IPersistFile;

STDAPI CoInitialize(LPVOID pvReserved);
STDAPI CoInitializeEx(LPVOID pvReserved, DWORD dwCoInit);
STDAPI_(void) CoUninitialize(void);
STDAPI CoCreateInstance(REFCLSID rclsid, LPUNKNOWN pUnkOuter, DWORD dwClsContext, REFIID riid,
                        LPVOID* ppv);
STDAPI_(LPVOID) CoTaskMemAlloc(SIZE_T cb);
STDAPI_(void) CoTaskMemFree(LPVOID pv);
#endif
