// CFile and CFileException: binary files through the kernel's file handles.
#pragma once

#include <windows.h>

#include "cstring.h"
#include "object.h"

// Thrown (by value) when a file operation fails; m_cause says why in portable terms and
// m_lOsError holds the Win32 error code.
class CFileException : public CObject {
public:
    enum {
        none,
        generic,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile,
    };

    explicit CFileException(int cause = none, LONG lOsError = -1, LPCTSTR lpszFileName = nullptr)
        : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszFileName) {}
    CFileException(const CFileException& other)
        : CObject(), m_cause(other.m_cause), m_lOsError(other.m_lOsError),
          m_strFileName(other.m_strFileName) {}

    static int OsErrorToException(LONG lOsError);
    [[noreturn]] static void ThrowOsError(LONG lOsError, LPCTSTR lpszFileName = nullptr);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

class CFile : public CObject {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
    };
    enum SeekPosition : UINT { begin = 0, current = 1, end = 2 };

    CFile() = default;
    // Opens at once; throws CFileException on failure.
    CFile(LPCTSTR lpszFileName, UINT nOpenFlags);
    ~CFile() override;

    // Returns FALSE on failure, filling *pError when given.
    virtual BOOL Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError = nullptr);
    // Reads up to nCount bytes; fewer only at the end of the file. Throws on failure.
    virtual UINT Read(void* lpBuf, UINT nCount);
    // Writes all nCount bytes or throws (diskFull when the disk filled up).
    virtual void Write(const void* lpBuf, UINT nCount);
    virtual LONG Seek(LONG lOff, UINT nFrom);
    void SeekToBegin() { Seek(0, begin); }
    DWORD SeekToEnd() { return DWORD(Seek(0, end)); }
    virtual DWORD GetPosition() const;
    virtual DWORD GetLength() const;
    virtual void SetLength(DWORD dwNewLen);
    virtual void Flush();
    // Closes the file; throws if closing fails.
    virtual void Close();
    // Closes without throwing, whatever state the file is in.
    virtual void Abort();

    CString GetFilePath() const { return m_strFileName; }
    CString GetFileName() const;

    static void Remove(LPCTSTR lpszFileName);
    static void Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName);

    HANDLE m_hFile = INVALID_HANDLE_VALUE;
    BOOL m_bCloseOnDelete = FALSE;
    CString m_strFileName;
};
