// CArchive: a binary stream of values and objects over a CFile, in one direction (storing or
// loading). Numbers are little-endian; the format is described in docs/archive-format.md.
// Loading never trusts the data: anything malformed raises CArchiveException.
#pragma once

#include "archive_exception.h"
#include "cstring.h"
#include "object.h"

#include <map>
#include <vector>

class CDocument;
class CFile;

class CArchive {
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2 };

    // nBufSize and lpBuf are accepted for compatibility; the archive keeps its own buffer.
    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
    // A storing archive that was not closed is flushed, unless bNoFlushOnDelete.
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    CFile* GetFile() const { return m_pFile; }

    // Raw bytes. Read returns fewer than nMax only at the end of the data.
    UINT Read(void* lpBuf, UINT nMax);
    void Write(const void* lpBuf, UINT nMax);
    // Writes buffered bytes to the file.
    void Flush();
    // Flushes and detaches from the file (which stays open).
    void Close();
    // Detaches without flushing.
    void Abort();

    // Objects with their class: each class is written in full once and referred to by index
    // afterwards; an object written twice is written once and referred to the second time.
    void WriteObject(const CObject* pOb);
    // Reads an object written by WriteObject; a null pClassRefRequested accepts any class.
    // The object is created through its class's dynamic creation and owned by the caller.
    CObject* ReadObject(const CRuntimeClass* pClassRefRequested);
    void WriteClass(const CRuntimeClass* pClassRef);
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = nullptr,
                             UINT* pSchema = nullptr, DWORD* pObTag = nullptr);
    // The stored schema of the object being loaded, once; (UINT)-1 afterwards.
    UINT GetObjectSchema();
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

    // Element counts: a WORD, or 0xFFFF and a DWORD when they do not fit.
    void WriteCount(DWORD dwCount);
    DWORD ReadCount();

    CArchive& operator<<(BYTE by);
    CArchive& operator<<(WORD w);
    CArchive& operator<<(LONG l);
    CArchive& operator<<(DWORD dw);
    CArchive& operator<<(float f);
    CArchive& operator<<(double d);
    CArchive& operator<<(short s) { return *this << WORD(s); }
    CArchive& operator<<(char ch) { return *this << BYTE(ch); }
    CArchive& operator<<(bool b) { return *this << BYTE(b ? 1 : 0); }
    CArchive& operator<<(LONGLONG ll);
    CArchive& operator<<(ULONGLONG ull);

    CArchive& operator>>(BYTE& by);
    CArchive& operator>>(WORD& w);
    CArchive& operator>>(LONG& l);
    CArchive& operator>>(DWORD& dw);
    CArchive& operator>>(float& f);
    CArchive& operator>>(double& d);
    CArchive& operator>>(short& s);
    CArchive& operator>>(char& ch);
    CArchive& operator>>(bool& b);
    CArchive& operator>>(LONGLONG& ll);
    CArchive& operator>>(ULONGLONG& ull);

    // The document being loaded or stored, for objects that need it.
    CDocument* m_pDocument = nullptr;

private:
    // Reads exactly nCount bytes or raises endOfFile.
    void ReadExact(void* lpBuf, UINT nCount);
    void FillBuffer();
    CString ArchiveName() const;
    [[noreturn]] void Fail(int cause) const;

    struct LoadedEntry {
        CRuntimeClass* pClass = nullptr; // set for a class entry
        CObject* pObject = nullptr;      // set for an object entry
    };

    CFile* m_pFile;
    UINT m_nMode;
    std::vector<BYTE> m_buffer;
    size_t m_nBufferPos = 0;
    bool m_bEndOfFile = false;
    UINT m_nObjectSchema = static_cast<UINT>(-1);
    int m_nObjectDepth = 0;
    // Storing: what has been written, with its index. Loading: what has been read, by index;
    // index 0 stands for the null object.
    std::map<const void*, DWORD> m_storedIndices;
    DWORD m_nStoredCount = 1;
    std::vector<LoadedEntry> m_loaded{LoadedEntry{}};
};

CArchive& operator<<(CArchive& ar, const CObject* pOb);
CArchive& operator>>(CArchive& ar, CObject*& pOb);
CArchive& operator>>(CArchive& ar, const CObject*& pOb);

// Strings: a BYTE length below 0xFF; else 0xFF and a WORD length below 0xFFFE; else 0xFF,
// 0xFFFF and a DWORD length; then the bytes.
CArchive& operator<<(CArchive& ar, const CString& string);
CArchive& operator>>(CArchive& ar, CString& string);

// Points and sizes as two LONGs, rectangles as four.
CArchive& operator<<(CArchive& ar, POINT point);
CArchive& operator>>(CArchive& ar, POINT& point);
CArchive& operator<<(CArchive& ar, SIZE size);
CArchive& operator>>(CArchive& ar, SIZE& size);
CArchive& operator<<(CArchive& ar, const RECT& rect);
CArchive& operator>>(CArchive& ar, RECT& rect);
