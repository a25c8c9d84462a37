#pragma once

#include "shell/shell_link_file.h"

#include <shlobj.h>

#include <atomic>
#include <string>

namespace mullion {

// The shell link object: the properties of a shortcut, saved to and loaded from a .lnk file
// through the kernel's file functions, so link files live at Windows paths.
class ShellLink final : public IShellLinkA, public IPersistFile {
public:
    ShellLink() = default;
    ShellLink(const ShellLink&) = delete;
    ShellLink& operator=(const ShellLink&) = delete;

    // IUnknown
    HRESULT QueryInterface(REFIID riid, void** ppvObject) override;
    ULONG AddRef() override;
    ULONG Release() override;

    // IShellLinkA
    HRESULT GetPath(LPSTR pszFile, int cch, WIN32_FIND_DATAA* pfd, DWORD fFlags) override;
    HRESULT GetDescription(LPSTR pszName, int cch) override;
    HRESULT SetDescription(LPCSTR pszName) override;
    HRESULT GetWorkingDirectory(LPSTR pszDir, int cch) override;
    HRESULT SetWorkingDirectory(LPCSTR pszDir) override;
    HRESULT GetArguments(LPSTR pszArgs, int cch) override;
    HRESULT SetArguments(LPCSTR pszArgs) override;
    HRESULT GetHotkey(WORD* pwHotkey) override;
    HRESULT SetHotkey(WORD wHotkey) override;
    HRESULT GetShowCmd(int* piShowCmd) override;
    HRESULT SetShowCmd(int iShowCmd) override;
    HRESULT GetIconLocation(LPSTR pszIconPath, int cch, int* piIcon) override;
    HRESULT SetIconLocation(LPCSTR pszIconPath, int iIcon) override;
    HRESULT SetPath(LPCSTR pszFile) override;

    // IPersistFile
    HRESULT GetClassID(CLSID* pClassID) override;
    HRESULT IsDirty() override;
    HRESULT Load(LPCOLESTR pszFileName, DWORD dwMode) override;
    HRESULT Save(LPCOLESTR pszFileName, BOOL fRemember) override;
    HRESULT SaveCompleted(LPCOLESTR pszFileName) override;
    HRESULT GetCurFile(LPOLESTR* ppszFileName) override;

private:
    ~ShellLink() = default;

    HRESULT set_text(std::string& field, LPCSTR text);

    std::atomic<ULONG> m_references{1};
    ShellLinkFile m_link;
    std::u16string m_current_file;
    bool m_dirty = false;
};

} // namespace mullion
