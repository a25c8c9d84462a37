#include "archive.h"

#include "file.h"

#include <algorithm>
#include <cstring>

namespace {

// Object and class tags.
const WORD kNullTag = 0;
const WORD kNewClassTag = 0xFFFF;
const WORD kClassTag = 0x8000;
const WORD kBigObjectTag = 0x7FFF;
const DWORD kBigClassTag = 0x80000000;
const DWORD kMaxMapCount = 0x3FFFFFFE;

const size_t kBufferSize = 4096;
// Objects nested deeper than this inside one another are refused, so that a crafted archive
// cannot exhaust the stack.
const int kMaxObjectDepth = 256;

template <typename T> void store_little_endian(CArchive& ar, T value) {
    BYTE bytes[sizeof(T)];
    for (size_t i = 0; i < sizeof(T); ++i)
        bytes[i] = static_cast<BYTE>(static_cast<ULONGLONG>(value) >> (8 * i));
    ar.Write(bytes, sizeof(T));
}

template <typename T> T from_little_endian(const BYTE* bytes) {
    ULONGLONG value = 0;
    for (size_t i = 0; i < sizeof(T); ++i)
        value |= static_cast<ULONGLONG>(bytes[i]) << (8 * i);
    return static_cast<T>(value);
}

} // namespace

void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName) {
    throw CArchiveException(cause, lpszArchiveName);
}

CArchive::CArchive(CFile* pFile, UINT nMode, int, void*) : m_pFile(pFile), m_nMode(nMode) {
    if (IsStoring())
        m_buffer.reserve(kBufferSize);
}

CArchive::~CArchive() {
    if (m_pFile && IsStoring() && !(m_nMode & bNoFlushOnDelete)) {
        try {
            Flush();
        } catch (...) {
            // A destructor cannot report the failure; Close reports it.
        }
    }
}

CString CArchive::ArchiveName() const {
    return m_pFile ? m_pFile->GetFilePath() : CString();
}

void CArchive::Fail(int cause) const {
    AfxThrowArchiveException(cause, ArchiveName());
}

void CArchive::Write(const void* lpBuf, UINT nMax) {
    if (IsLoading())
        Fail(CArchiveException::readOnly);
    const auto* bytes = static_cast<const BYTE*>(lpBuf);
    m_buffer.insert(m_buffer.end(), bytes, bytes + nMax);
    if (m_buffer.size() >= kBufferSize)
        Flush();
}

void CArchive::Flush() {
    if (IsLoading() || !m_pFile || m_buffer.empty())
        return;
    m_pFile->Write(m_buffer.data(), static_cast<UINT>(m_buffer.size()));
    m_buffer.clear();
}

void CArchive::Close() {
    Flush();
    m_pFile = nullptr;
}

void CArchive::Abort() {
    m_buffer.clear();
    m_pFile = nullptr;
}

void CArchive::FillBuffer() {
    m_buffer.erase(m_buffer.begin(), m_buffer.begin() + static_cast<ptrdiff_t>(m_nBufferPos));
    m_nBufferPos = 0;
    if (m_bEndOfFile || !m_pFile)
        return;
    const size_t kept = m_buffer.size();
    m_buffer.resize(kept + kBufferSize);
    const UINT got = m_pFile->Read(m_buffer.data() + kept, kBufferSize);
    m_buffer.resize(kept + got);
    if (got == 0)
        m_bEndOfFile = true;
}

UINT CArchive::Read(void* lpBuf, UINT nMax) {
    if (IsStoring())
        Fail(CArchiveException::writeOnly);
    auto* out = static_cast<BYTE*>(lpBuf);
    UINT done = 0;
    while (done < nMax) {
        if (m_nBufferPos == m_buffer.size()) {
            FillBuffer();
            if (m_buffer.empty())
                break;
        }
        const size_t chunk = std::min<size_t>(nMax - done, m_buffer.size() - m_nBufferPos);
        std::memcpy(out + done, m_buffer.data() + m_nBufferPos, chunk);
        m_nBufferPos += chunk;
        done += static_cast<UINT>(chunk);
    }
    return done;
}

void CArchive::ReadExact(void* lpBuf, UINT nCount) {
    if (Read(lpBuf, nCount) != nCount)
        Fail(CArchiveException::endOfFile);
}

CArchive& CArchive::operator<<(BYTE by) {
    Write(&by, 1);
    return *this;
}
CArchive& CArchive::operator<<(WORD w) {
    store_little_endian(*this, w);
    return *this;
}
CArchive& CArchive::operator<<(LONG l) {
    store_little_endian(*this, static_cast<DWORD>(l));
    return *this;
}
CArchive& CArchive::operator<<(DWORD dw) {
    store_little_endian(*this, dw);
    return *this;
}
CArchive& CArchive::operator<<(LONGLONG ll) {
    store_little_endian(*this, static_cast<ULONGLONG>(ll));
    return *this;
}
CArchive& CArchive::operator<<(ULONGLONG ull) {
    store_little_endian(*this, ull);
    return *this;
}
CArchive& CArchive::operator<<(float f) {
    DWORD bits;
    std::memcpy(&bits, &f, sizeof bits);
    return *this << bits;
}
CArchive& CArchive::operator<<(double d) {
    ULONGLONG bits;
    std::memcpy(&bits, &d, sizeof bits);
    return *this << bits;
}

CArchive& CArchive::operator>>(BYTE& by) {
    ReadExact(&by, 1);
    return *this;
}
CArchive& CArchive::operator>>(WORD& w) {
    BYTE bytes[2];
    ReadExact(bytes, sizeof bytes);
    w = from_little_endian<WORD>(bytes);
    return *this;
}
CArchive& CArchive::operator>>(DWORD& dw) {
    BYTE bytes[4];
    ReadExact(bytes, sizeof bytes);
    dw = from_little_endian<DWORD>(bytes);
    return *this;
}
CArchive& CArchive::operator>>(LONG& l) {
    DWORD dw;
    *this >> dw;
    l = static_cast<LONG>(dw);
    return *this;
}
CArchive& CArchive::operator>>(ULONGLONG& ull) {
    BYTE bytes[8];
    ReadExact(bytes, sizeof bytes);
    ull = from_little_endian<ULONGLONG>(bytes);
    return *this;
}
CArchive& CArchive::operator>>(LONGLONG& ll) {
    ULONGLONG ull;
    *this >> ull;
    ll = static_cast<LONGLONG>(ull);
    return *this;
}
CArchive& CArchive::operator>>(short& s) {
    WORD w;
    *this >> w;
    s = static_cast<short>(w);
    return *this;
}
CArchive& CArchive::operator>>(char& ch) {
    BYTE by;
    *this >> by;
    ch = static_cast<char>(by);
    return *this;
}
CArchive& CArchive::operator>>(bool& b) {
    BYTE by;
    *this >> by;
    b = by != 0;
    return *this;
}
CArchive& CArchive::operator>>(float& f) {
    DWORD bits;
    *this >> bits;
    std::memcpy(&f, &bits, sizeof f);
    return *this;
}
CArchive& CArchive::operator>>(double& d) {
    ULONGLONG bits;
    *this >> bits;
    std::memcpy(&d, &bits, sizeof d);
    return *this;
}

void CArchive::WriteCount(DWORD dwCount) {
    if (dwCount < 0xFFFF) {
        *this << static_cast<WORD>(dwCount);
    } else {
        *this << static_cast<WORD>(0xFFFF) << dwCount;
    }
}

DWORD CArchive::ReadCount() {
    WORD w;
    *this >> w;
    if (w != 0xFFFF)
        return w;
    DWORD dw;
    *this >> dw;
    return dw;
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef) {
    if (IsLoading())
        Fail(CArchiveException::readOnly);
    if (pClassRef->m_wSchema == 0xFFFF)
        Fail(CArchiveException::badClass); // not a serializable class
    const auto found = m_storedIndices.find(pClassRef);
    if (found != m_storedIndices.end()) {
        const DWORD index = found->second;
        if (index < kBigObjectTag) {
            *this << static_cast<WORD>(kClassTag | index);
        } else {
            *this << kBigObjectTag << (kBigClassTag | index);
        }
        return;
    }
    *this << kNewClassTag;
    pClassRef->Store(*this);
    if (m_nStoredCount >= kMaxMapCount)
        Fail(CArchiveException::generic);
    m_storedIndices[pClassRef] = m_nStoredCount++;
}

void CArchive::WriteObject(const CObject* pOb) {
    if (!pOb) {
        *this << kNullTag;
        return;
    }
    const auto found = m_storedIndices.find(pOb);
    if (found != m_storedIndices.end()) {
        const DWORD index = found->second;
        if (index < kBigObjectTag) {
            *this << static_cast<WORD>(index);
        } else {
            *this << kBigObjectTag << index;
        }
        return;
    }
    WriteClass(pOb->GetRuntimeClass());
    if (m_nStoredCount >= kMaxMapCount)
        Fail(CArchiveException::generic);
    m_storedIndices[pOb] = m_nStoredCount++;
    // Serialize is not const, but storing does not change the object.
    const_cast<CObject*>(pOb)->Serialize(*this);
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema,
                                   DWORD* pObTag) {
    if (IsStoring())
        Fail(CArchiveException::writeOnly);
    WORD wTag;
    *this >> wTag;
    DWORD obTag;
    if (wTag == kBigObjectTag) {
        *this >> obTag;
    } else {
        obTag = (wTag & kClassTag) ? (kBigClassTag | (wTag & ~kClassTag & 0xFFFF)) : wTag;
    }

    CRuntimeClass* pClass = nullptr;
    UINT nSchema = 0;
    if (wTag == kNewClassTag) {
        pClass = CRuntimeClass::Load(*this, &nSchema);
        if (!pClass)
            Fail(CArchiveException::badClass);
        const bool versionable = (pClass->m_wSchema & VERSIONABLE_SCHEMA) != 0;
        if (!versionable && (pClass->m_wSchema & 0xFFFF) != nSchema)
            Fail(CArchiveException::badSchema);
        if (m_loaded.size() >= kMaxMapCount)
            Fail(CArchiveException::generic);
        m_loaded.push_back(LoadedEntry{pClass, nullptr});
    } else if (obTag & kBigClassTag) {
        const DWORD index = obTag & ~kBigClassTag;
        if (index == 0 || index >= m_loaded.size() || !m_loaded[index].pClass)
            Fail(CArchiveException::badIndex);
        pClass = m_loaded[index].pClass;
        nSchema = pClass->m_wSchema & 0xFFFF;
    } else {
        // An object tag where a class was expected: the caller decides what it means.
        if (pObTag) {
            *pObTag = obTag;
            return nullptr;
        }
        Fail(CArchiveException::badIndex);
    }

    if (pClassRefRequested && !pClass->IsDerivedFrom(pClassRefRequested))
        Fail(CArchiveException::badClass);
    if (pSchema)
        *pSchema = nSchema;
    if (pObTag)
        *pObTag = obTag;
    return pClass;
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested) {
    UINT nSchema = 0;
    DWORD obTag = 0;
    CRuntimeClass* pClass = ReadClass(pClassRefRequested, &nSchema, &obTag);
    if (!pClass) {
        // A reference to an object read before, or null.
        if (obTag == kNullTag)
            return nullptr;
        if (obTag >= m_loaded.size() || !m_loaded[obTag].pObject)
            Fail(CArchiveException::badIndex);
        CObject* pOb = m_loaded[obTag].pObject;
        if (pClassRefRequested && !pOb->IsKindOf(pClassRefRequested))
            Fail(CArchiveException::badClass);
        return pOb;
    }

    if (m_nObjectDepth >= kMaxObjectDepth)
        Fail(CArchiveException::generic);
    CObject* pOb = pClass->CreateObject();
    if (!pOb)
        Fail(CArchiveException::badClass);
    const size_t index = m_loaded.size();
    m_loaded.push_back(LoadedEntry{nullptr, pOb});
    const UINT savedSchema = m_nObjectSchema;
    m_nObjectSchema = nSchema;
    ++m_nObjectDepth;
    try {
        pOb->Serialize(*this);
    } catch (...) {
        --m_nObjectDepth;
        m_nObjectSchema = savedSchema;
        // The object never reached the caller; later references to it are refused.
        m_loaded[index].pObject = nullptr;
        delete pOb;
        throw;
    }
    --m_nObjectDepth;
    m_nObjectSchema = savedSchema;
    return pOb;
}

UINT CArchive::GetObjectSchema() {
    const UINT nSchema = m_nObjectSchema;
    m_nObjectSchema = static_cast<UINT>(-1);
    return nSchema;
}

CArchive& operator<<(CArchive& ar, const CObject* pOb) {
    ar.WriteObject(pOb);
    return ar;
}

CArchive& operator>>(CArchive& ar, CObject*& pOb) {
    pOb = ar.ReadObject(nullptr);
    return ar;
}

CArchive& operator>>(CArchive& ar, const CObject*& pOb) {
    pOb = ar.ReadObject(nullptr);
    return ar;
}

CArchive& operator<<(CArchive& ar, const CString& string) {
    const auto length = static_cast<DWORD>(string.GetLength());
    if (length < 0xFF) {
        ar << static_cast<BYTE>(length);
    } else if (length < 0xFFFE) {
        ar << static_cast<BYTE>(0xFF) << static_cast<WORD>(length);
    } else {
        ar << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFF) << length;
    }
    ar.Write(static_cast<LPCTSTR>(string), length);
    return ar;
}

CArchive& operator>>(CArchive& ar, CString& string) {
    BYTE byteLength;
    ar >> byteLength;
    DWORD length = byteLength;
    if (byteLength == 0xFF) {
        WORD wordLength;
        ar >> wordLength;
        length = wordLength;
        if (wordLength == 0xFFFF)
            ar >> length;
    }
    // Read in pieces so that a damaged length cannot allocate more than the data holds.
    CString result;
    char chunk[4096];
    while (length > 0) {
        const UINT piece = std::min<DWORD>(length, sizeof chunk);
        if (ar.Read(chunk, piece) != piece)
            AfxThrowArchiveException(CArchiveException::endOfFile,
                                     ar.GetFile() ? (LPCTSTR)ar.GetFile()->GetFilePath() : nullptr);
        result += CString(chunk, static_cast<int>(piece));
        length -= piece;
    }
    string = result;
    return ar;
}

CArchive& operator<<(CArchive& ar, POINT point) {
    return ar << point.x << point.y;
}
CArchive& operator>>(CArchive& ar, POINT& point) {
    return ar >> point.x >> point.y;
}
CArchive& operator<<(CArchive& ar, SIZE size) {
    return ar << size.cx << size.cy;
}
CArchive& operator>>(CArchive& ar, SIZE& size) {
    return ar >> size.cx >> size.cy;
}
CArchive& operator<<(CArchive& ar, const RECT& rect) {
    return ar << rect.left << rect.top << rect.right << rect.bottom;
}
CArchive& operator>>(CArchive& ar, RECT& rect) {
    return ar >> rect.left >> rect.top >> rect.right >> rect.bottom;
}
