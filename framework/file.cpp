#include "file.h"

int CFileException::OsErrorToException(LONG lOsError) {
    switch (lOsError) {
    case ERROR_SUCCESS:
        return none;
    case ERROR_FILE_NOT_FOUND:
        return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
        return badPath;
    case ERROR_TOO_MANY_OPEN_FILES:
        return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return accessDenied;
    case ERROR_INVALID_HANDLE:
        return invalidFile;
    case ERROR_CURRENT_DIRECTORY:
        return removeCurrentDir;
    case ERROR_NEGATIVE_SEEK:
        return badSeek;
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE:
    case ERROR_NOT_READY:
        return hardIO;
    case ERROR_SHARING_VIOLATION:
        return sharingViolation;
    case ERROR_LOCK_VIOLATION:
        return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return diskFull;
    case ERROR_HANDLE_EOF:
        return endOfFile;
    default:
        return generic;
    }
}

void CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName) {
    throw CFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) {
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error))
        throw CFileException(error);
}

CFile::~CFile() {
    if (m_hFile != INVALID_HANDLE_VALUE && m_bCloseOnDelete)
        Abort();
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError) {
    m_strFileName = lpszFileName;
    DWORD access = GENERIC_READ;
    switch (nOpenFlags & 3) {
    case modeWrite:
        access = GENERIC_WRITE;
        break;
    case modeReadWrite:
        access = GENERIC_READ | GENERIC_WRITE;
        break;
    default:
        break;
    }
    DWORD share = 0;
    switch (nOpenFlags & 0x70) {
    case shareCompat:
    case shareDenyNone:
        share = FILE_SHARE_READ | FILE_SHARE_WRITE;
        break;
    case shareDenyWrite:
        share = FILE_SHARE_READ;
        break;
    case shareDenyRead:
        share = FILE_SHARE_WRITE;
        break;
    default:
        break;
    }
    const DWORD disposition = !(nOpenFlags & modeCreate)      ? OPEN_EXISTING
                              : (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS
                                                              : CREATE_ALWAYS;
    m_hFile = CreateFileA(lpszFileName, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                          nullptr);
    if (m_hFile == INVALID_HANDLE_VALUE) {
        const LONG error = LONG(GetLastError());
        if (pError) {
            pError->m_lOsError = error;
            pError->m_cause = CFileException::OsErrorToException(error);
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

UINT CFile::Read(void* lpBuf, UINT nCount) {
    DWORD read = 0;
    if (!ReadFile(m_hFile, lpBuf, nCount, &read, nullptr))
        CFileException::ThrowOsError(LONG(GetLastError()), m_strFileName);
    return read;
}

void CFile::Write(const void* lpBuf, UINT nCount) {
    DWORD written = 0;
    if (!WriteFile(m_hFile, lpBuf, nCount, &written, nullptr))
        CFileException::ThrowOsError(LONG(GetLastError()), m_strFileName);
    if (written != nCount)
        throw CFileException(CFileException::diskFull, ERROR_DISK_FULL, m_strFileName);
}

LONG CFile::Seek(LONG lOff, UINT nFrom) {
    const DWORD position = SetFilePointer(m_hFile, lOff, nullptr, nFrom);
    if (position == INVALID_SET_FILE_POINTER && GetLastError() != ERROR_SUCCESS)
        CFileException::ThrowOsError(LONG(GetLastError()), m_strFileName);
    return LONG(position);
}

DWORD CFile::GetPosition() const {
    const DWORD position = SetFilePointer(m_hFile, 0, nullptr, FILE_CURRENT);
    if (position == INVALID_SET_FILE_POINTER && GetLastError() != ERROR_SUCCESS)
        CFileException::ThrowOsError(LONG(GetLastError()), m_strFileName);
    return position;
}

DWORD CFile::GetLength() const {
    const DWORD length = GetFileSize(m_hFile, nullptr);
    if (length == INVALID_FILE_SIZE && GetLastError() != ERROR_SUCCESS)
        CFileException::ThrowOsError(LONG(GetLastError()), m_strFileName);
    return length;
}

void CFile::SetLength(DWORD dwNewLen) {
    const DWORD position = GetPosition();
    Seek(LONG(dwNewLen), begin);
    if (!SetEndOfFile(m_hFile))
        CFileException::ThrowOsError(LONG(GetLastError()), m_strFileName);
    if (position < dwNewLen)
        Seek(LONG(position), begin);
}

void CFile::Flush() {
    if (m_hFile != INVALID_HANDLE_VALUE && !FlushFileBuffers(m_hFile))
        CFileException::ThrowOsError(LONG(GetLastError()), m_strFileName);
}

void CFile::Close() {
    const HANDLE file = m_hFile;
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
    if (file != INVALID_HANDLE_VALUE && !CloseHandle(file))
        CFileException::ThrowOsError(LONG(GetLastError()), m_strFileName);
}

void CFile::Abort() {
    if (m_hFile != INVALID_HANDLE_VALUE)
        CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    m_bCloseOnDelete = FALSE;
}

CString CFile::GetFileName() const {
    const int separator = m_strFileName.ReverseFind('\\');
    const int slash = m_strFileName.ReverseFind('/');
    const int last = separator > slash ? separator : slash;
    return last < 0 ? m_strFileName : m_strFileName.Mid(last + 1);
}

void CFile::Remove(LPCTSTR lpszFileName) {
    if (!DeleteFileA(lpszFileName))
        CFileException::ThrowOsError(LONG(GetLastError()), lpszFileName);
}

void CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName) {
    if (!MoveFileA(lpszOldName, lpszNewName))
        CFileException::ThrowOsError(LONG(GetLastError()), lpszOldName);
}
