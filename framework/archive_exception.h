// CArchiveException: thrown (by value) when an archive cannot be read or written: the data ends
// early, names a class the program does not know, or refers to an object or class it has not
// seen. m_cause says which.
#pragma once

#include "cstring.h"
#include "object.h"

class CArchiveException : public CObject {
public:
    enum {
        none,
        generic,
        readOnly,
        endOfFile,
        writeOnly,
        badIndex,
        badClass,
        badSchema,
    };

    explicit CArchiveException(int cause = none, LPCTSTR lpszArchiveName = nullptr)
        : m_cause(cause), m_strFileName(lpszArchiveName) {}
    CArchiveException(const CArchiveException& other)
        : CObject(), m_cause(other.m_cause), m_strFileName(other.m_strFileName) {}

    int m_cause;
    CString m_strFileName;
};

[[noreturn]] void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName = nullptr);
