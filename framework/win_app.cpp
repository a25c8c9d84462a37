#include "win_app.h"

#include "cmd_ui.h"
#include "command_ids.h"
#include "command_line_info.h"
#include "doc_template.h"
#include "document.h"
#include "file_dialog.h"
#include "frame_window.h"
#include "message_thunks.h"
#include "recent_file_list.h"
#include "temporary_objects.h"
#include "view.h"
#include "window.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <mutex>
#include <tuple>
#include <vector>

namespace {

CWinApp* g_app = nullptr;

// The program's file name without directory and extension.
CString module_title() {
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    CString title(path);
    const int slash = std::max(title.ReverseFind('\\'), title.ReverseFind('/'));
    title = title.Mid(slash + 1);
    const int dot = title.ReverseFind('.');
    return dot > 0 ? title.Left(dot) : title;
}

} // namespace

CWinApp::CWinApp(LPCTSTR lpszAppName) {
    if (lpszAppName) {
        m_strAppName = lpszAppName;
        m_pszAppName = m_strAppName;
    }
    g_app = this;
}

BEGIN_MESSAGE_MAP(CWinApp, CCmdTarget)
ON_COMMAND(ID_APP_EXIT, OnAppExit)
ON_COMMAND_RANGE(ID_FILE_MRU_FILE1, ID_FILE_MRU_FILE16, OnOpenRecentFile)
ON_UPDATE_COMMAND_UI(ID_FILE_MRU_FILE1, OnUpdateRecentFileMenu)
END_MESSAGE_MAP()

CWinApp::~CWinApp() {
    for (CDocTemplate* pTemplate : m_templateList)
        delete pTemplate;
    delete m_pRecentFileList;
    if (g_app == this)
        g_app = nullptr;
}

void CWinApp::SetStartup(HINSTANCE hInstance, LPTSTR lpCmdLine, int nCmdShow) {
    m_hInstance = hInstance;
    m_lpCmdLine = lpCmdLine;
    m_nCmdShow = nCmdShow;
    if (!m_pszAppName) {
        m_strAppName = module_title();
        m_pszAppName = m_strAppName;
    }
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::Run() {
    for (;;) {
        MSG peeked;
        for (LONG count = 0; !::PeekMessageA(&peeked, nullptr, 0, 0, PM_NOREMOVE);) {
            if (!OnIdle(count++))
                break;
        }
        do {
            if (!PumpMessage())
                return ExitInstance();
        } while (::PeekMessageA(&peeked, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL CWinApp::PumpMessage() {
    if (::GetMessageA(&m_msgCur, nullptr, 0, 0) <= 0)
        return FALSE;
    if (!PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageA(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinApp::OnIdle(LONG lCount) {
    if (lCount == 1)
        framework::DeleteTemporaryObjects();
    return lCount < 2;
}

int CWinApp::ExitInstance() {
    SaveStdProfileSettings();
    return static_cast<int>(m_msgCur.wParam);
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg) {
    const HWND main = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        if (CWnd* wnd = CWnd::FromHandlePermanent(hWnd); wnd && wnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == main)
            return FALSE;
    }
    return m_pMainWnd && m_pMainWnd->PreTranslateMessage(pMsg);
}

HICON CWinApp::LoadIcon(LPCTSTR lpszResourceName) const {
    return ::LoadIconA(AfxGetResourceHandle(), lpszResourceName);
}

HICON CWinApp::LoadIcon(UINT nIDResource) const {
    return LoadIcon(MAKEINTRESOURCEA(nIDResource));
}

HICON CWinApp::LoadStandardIcon(LPCTSTR lpszIconName) const {
    return ::LoadIconA(nullptr, lpszIconName);
}

HCURSOR CWinApp::LoadCursor(LPCTSTR lpszResourceName) const {
    return ::LoadCursorA(AfxGetResourceHandle(), lpszResourceName);
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const {
    return LoadCursor(MAKEINTRESOURCEA(nIDResource));
}

HCURSOR CWinApp::LoadStandardCursor(LPCTSTR lpszCursorName) const {
    return ::LoadCursorA(nullptr, lpszCursorName);
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd)
        m_pMainWnd->SendMessage(WM_CLOSE);
}

CWinApp* AfxGetApp() {
    return g_app;
}

CWnd* AfxGetMainWnd() {
    return g_app ? g_app->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle() {
    if (g_app && g_app->m_hInstance)
        return g_app->m_hInstance;
    return ::GetModuleHandleA(nullptr);
}

HINSTANCE AfxGetResourceHandle() {
    return AfxGetInstanceHandle();
}

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT) {
    // The box belongs to the window the user is working in, a dialog over the main window
    // included, so that it is the window the box disables and gives activation back to.
    HWND owner = ::GetActiveWindow();
    if (!owner) {
        CWnd* main = AfxGetMainWnd();
        owner = main ? main->m_hWnd : nullptr;
    }
    return ::MessageBoxA(owner, lpszText, g_app ? g_app->m_pszAppName : nullptr, nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp) {
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp);
}

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon) {
    static std::mutex lock;
    static std::map<std::tuple<UINT, HCURSOR, HBRUSH, HICON>, CString> names;
    const std::lock_guard guard(lock);
    const auto key = std::make_tuple(nClassStyle, hCursor, hbrBackground, hIcon);
    if (auto found = names.find(key); found != names.end())
        return found->second;

    CString name;
    name.Format("MullionWindow:%x:%p:%p:%p", nClassStyle, static_cast<void*>(hCursor),
                static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));
    WNDCLASSA wc{};
    wc.style = nClassStyle;
    wc.lpfnWndProc = &AfxWndProc;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hIcon = hIcon;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = name;
    ::RegisterClassA(&wc);
    return names.emplace(key, name).first->second;
}

// The program's entry point: the application object was constructed before the program
// started; InitInstance creates the main window, Run runs until the main window is gone.
int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nShowCmd) {
    CWinApp* app = AfxGetApp();
    if (!app) {
        std::fprintf(stderr, "The program defines no application object.\n");
        return 1;
    }
    app->SetStartup(hInstance, lpCmdLine, nShowCmd);
    if (!app->InitInstance()) {
        if (app->m_pMainWnd)
            app->m_pMainWnd->DestroyWindow();
        return app->ExitInstance();
    }
    return app->Run();
}

void CWinApp::AddDocTemplate(CDocTemplate* pTemplate) {
    pTemplate->LoadTemplate();
    m_templateList.push_back(pTemplate);
}

POSITION CWinApp::GetFirstDocTemplatePosition() const {
    return m_templateList.empty() ? nullptr : reinterpret_cast<POSITION>(size_t{1});
}

CDocTemplate* CWinApp::GetNextDocTemplate(POSITION& pos) const {
    const size_t index = reinterpret_cast<size_t>(pos) - 1;
    pos = index + 1 < m_templateList.size() ? reinterpret_cast<POSITION>(index + 2) : nullptr;
    return m_templateList[index];
}

void CWinApp::OnFileNew() {
    // With several templates the first one makes the new document.
    if (!m_templateList.empty())
        m_templateList.front()->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen() {
    CString newName;
    if (!DoPromptFileName(newName, 0, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, TRUE, nullptr))
        return;
    OpenDocumentFile(newName);
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR lpszFileName) {
    if (!lpszFileName || !*lpszFileName || m_templateList.empty())
        return nullptr;
    char full[MAX_PATH] = {};
    LPSTR filePart = nullptr;
    if (::GetFullPathNameA(lpszFileName, MAX_PATH, full, &filePart) == 0)
        lstrcpynA(full, lpszFileName, MAX_PATH);

    CDocTemplate* pBestTemplate = nullptr;
    CDocument* pOpenDocument = nullptr;
    CDocTemplate::Confidence bestMatch = CDocTemplate::noAttempt;
    for (CDocTemplate* pTemplate : m_templateList) {
        CDocument* pMatch = nullptr;
        const CDocTemplate::Confidence match = pTemplate->MatchDocType(full, pMatch);
        if (match > bestMatch) {
            bestMatch = match;
            pBestTemplate = pTemplate;
            pOpenDocument = pMatch;
        }
        if (match == CDocTemplate::yesAlreadyOpen)
            break;
    }
    if (pOpenDocument) {
        // Already open: show its frame instead of reading the file again.
        POSITION pos = pOpenDocument->GetFirstViewPosition();
        if (pos) {
            CView* pView = pOpenDocument->GetNextView(pos);
            if (CFrameWnd* pFrame = pView->GetParentFrame())
                pFrame->ActivateFrame();
        }
        return pOpenDocument;
    }
    return pBestTemplate ? pBestTemplate->OpenDocumentFile(full) : nullptr;
}

namespace {

// One "name|pattern|" pair of the file dialog's filter for the template, with its pattern as
// the default extension when none is chosen yet.
void append_filter(CString& filter, CDocTemplate* pTemplate, CString* pstrDefaultExt) {
    CString filterName;
    CString filterExt;
    if (!pTemplate->GetDocString(filterName, CDocTemplate::filterName) ||
        !pTemplate->GetDocString(filterExt, CDocTemplate::filterExt))
        return;
    if (pstrDefaultExt && pstrDefaultExt->IsEmpty())
        *pstrDefaultExt = filterExt.Mid(1);
    filter += filterName + "|*" + filterExt + "|";
}

} // namespace

BOOL CWinApp::DoPromptFileName(CString& fileName, UINT nIDSTitle, DWORD lFlags,
                               BOOL bOpenFileDialog, CDocTemplate* pTemplate) {
    CString filter;
    CString defaultExt;
    if (pTemplate) {
        append_filter(filter, pTemplate, &defaultExt);
    } else {
        for (CDocTemplate* pEach : m_templateList)
            append_filter(filter, pEach, &defaultExt);
    }
    filter += "All Files (*.*)|*.*||";

    CString title;
    if (nIDSTitle == 0 || !title.LoadString(nIDSTitle))
        title = bOpenFileDialog ? "Open" : "Save As";

    CFileDialog dialog(bOpenFileDialog, defaultExt.IsEmpty() ? nullptr : (LPCTSTR)defaultExt,
                       fileName, lFlags, filter);
    dialog.m_ofn.lpstrTitle = title;
    if (dialog.DoModal() != IDOK)
        return FALSE;
    fileName = dialog.GetPathName();
    return TRUE;
}

BOOL CWinApp::SaveAllModified() {
    for (CDocTemplate* pTemplate : m_templateList) {
        if (!pTemplate->SaveAllModified())
            return FALSE;
    }
    return TRUE;
}

void CWinApp::CloseAllDocuments(BOOL bEndSession) {
    for (CDocTemplate* pTemplate : m_templateList)
        pTemplate->CloseAllDocuments(bEndSession);
}

void CWinApp::AddToRecentFileList(LPCTSTR lpszPathName) {
    if (!m_pRecentFileList)
        return;
    m_pRecentFileList->Add(lpszPathName);
    // Kept at once, so that the list survives a program that does not end normally.
    m_pRecentFileList->WriteList();
}

void CWinApp::OnOpenRecentFile(UINT nID) {
    if (!m_pRecentFileList)
        return;
    const int nIndex = static_cast<int>(nID - ID_FILE_MRU_FILE1);
    if (nIndex < 0 || nIndex >= m_pRecentFileList->GetSize())
        return;
    const CString path = (*m_pRecentFileList)[nIndex];
    if (path.IsEmpty())
        return;
    // A file that cannot be opened any more leaves the list.
    if (!OpenDocumentFile(path)) {
        m_pRecentFileList->Remove(nIndex);
        m_pRecentFileList->WriteList();
    }
}

void CWinApp::OnUpdateRecentFileMenu(CCmdUI* pCmdUI) {
    if (m_pRecentFileList)
        m_pRecentFileList->UpdateMenu(pCmdUI);
    else
        pCmdUI->Enable(FALSE);
}

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey) {
    m_strRegistryKey = lpszRegistryKey;
    m_pszRegistryKey = m_strRegistryKey;
    m_strProfileName = m_pszAppName ? m_pszAppName : "";
    m_pszProfileName = m_strProfileName;
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey) {
    CString key;
    key.LoadString(nIDRegistryKey);
    SetRegistryKey(key);
}

void CWinApp::LoadStdProfileSettings(UINT nMaxMRU) {
    delete m_pRecentFileList;
    m_pRecentFileList = nullptr;
    if (nMaxMRU == 0)
        return;
    const int size =
        static_cast<int>(std::min<UINT>(nMaxMRU, ID_FILE_MRU_LAST - ID_FILE_MRU_FIRST + 1));
    m_pRecentFileList = new CRecentFileList(0, "Recent File List", "File%d", size);
    m_pRecentFileList->ReadList();
}

void CWinApp::SaveStdProfileSettings() {
    if (m_pRecentFileList)
        m_pRecentFileList->WriteList();
}

HKEY CWinApp::GetAppRegistryKey() {
    if (!m_pszRegistryKey || !m_pszProfileName)
        return nullptr;
    const CString path = CString("Software\\") + m_pszRegistryKey + "\\" + m_pszProfileName;
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (::RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_READ | KEY_WRITE, nullptr, &key, &disposition) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection) {
    HKEY appKey = GetAppRegistryKey();
    if (!appKey)
        return nullptr;
    HKEY key = nullptr;
    DWORD disposition = 0;
    const LONG result = ::RegCreateKeyExA(appKey, lpszSection, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                          KEY_READ | KEY_WRITE, nullptr, &key, &disposition);
    ::RegCloseKey(appKey);
    return result == ERROR_SUCCESS ? key : nullptr;
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault) {
    HKEY key = GetSectionKey(lpszSection);
    if (!key)
        return static_cast<UINT>(nDefault);
    DWORD value = 0;
    DWORD type = 0;
    DWORD size = sizeof value;
    const LONG result =
        ::RegQueryValueExA(key, lpszEntry, nullptr, &type, reinterpret_cast<LPBYTE>(&value), &size);
    ::RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value)
        return static_cast<UINT>(nDefault);
    return value;
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault) {
    const CString fallback(lpszDefault);
    HKEY key = GetSectionKey(lpszSection);
    if (!key)
        return fallback;
    DWORD type = 0;
    DWORD size = 0;
    CString value;
    LONG result = ::RegQueryValueExA(key, lpszEntry, nullptr, &type, nullptr, &size);
    if (result == ERROR_SUCCESS && type == REG_SZ) {
        std::vector<BYTE> data(size + 1, 0);
        result = ::RegQueryValueExA(key, lpszEntry, nullptr, &type, data.data(), &size);
        if (result == ERROR_SUCCESS)
            value = reinterpret_cast<LPCTSTR>(data.data());
    }
    ::RegCloseKey(key);
    return result == ERROR_SUCCESS && type == REG_SZ ? value : fallback;
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue) {
    HKEY key = GetSectionKey(lpszSection);
    if (!key)
        return FALSE;
    const auto value = static_cast<DWORD>(nValue);
    const LONG result = ::RegSetValueExA(key, lpszEntry, 0, REG_DWORD,
                                         reinterpret_cast<const BYTE*>(&value), sizeof value);
    ::RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue) {
    if (!lpszEntry) {
        HKEY appKey = GetAppRegistryKey();
        if (!appKey)
            return FALSE;
        const LONG result = ::RegDeleteKeyA(appKey, lpszSection);
        ::RegCloseKey(appKey);
        return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
    }
    HKEY key = GetSectionKey(lpszSection);
    if (!key)
        return FALSE;
    LONG result;
    if (!lpszValue) {
        result = ::RegDeleteValueA(key, lpszEntry);
        if (result == ERROR_FILE_NOT_FOUND)
            result = ERROR_SUCCESS;
    } else {
        result =
            ::RegSetValueExA(key, lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                             static_cast<DWORD>(std::strlen(lpszValue) + 1));
    }
    ::RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

void CWinApp::ParseCommandLine(CCommandLineInfo& rCmdInfo) {
    // Parameters are separated by blanks; double quotes keep blanks inside one.
    std::vector<CString> params;
    const char* p = m_lpCmdLine ? m_lpCmdLine : "";
    while (*p) {
        while (*p == ' ' || *p == '\t')
            ++p;
        if (!*p)
            break;
        CString param;
        bool quoted = false;
        for (; *p && (quoted || (*p != ' ' && *p != '\t')); ++p) {
            if (*p == '"')
                quoted = !quoted;
            else
                param += *p;
        }
        params.push_back(param);
    }
    for (size_t i = 0; i < params.size(); ++i) {
        const CString& param = params[i];
        const BOOL bFlag = !param.IsEmpty() && (param[0] == '-' || param[0] == '/');
        const BOOL bLast = i + 1 == params.size();
        rCmdInfo.ParseParam(bFlag ? (LPCTSTR)param + 1 : (LPCTSTR)param, bFlag, bLast);
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& rCmdInfo) {
    switch (rCmdInfo.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        // The program's own New command when it maps one, else the framework's.
        if (!OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr))
            OnFileNew();
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(rCmdInfo.m_strFileName) != nullptr;
    case CCommandLineInfo::FileNothing:
        return TRUE;
    default:
        // Printing, DDE and unregistering are not offered.
        return FALSE;
    }
}

namespace {

BOOL set_classes_value(const CString& keyName, const CString& value) {
    return ::RegSetValueA(HKEY_CLASSES_ROOT, keyName, REG_SZ, value,
                          static_cast<DWORD>(value.GetLength())) == ERROR_SUCCESS;
}

} // namespace

void CWinApp::RegisterShellFileTypes(BOOL bCompat) {
    char module[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    const CString program(module);
    for (CDocTemplate* pTemplate : m_templateList) {
        CString typeId;
        if (!pTemplate->GetDocString(typeId, CDocTemplate::regFileTypeId))
            continue;
        CString typeName;
        pTemplate->GetDocString(typeName, CDocTemplate::regFileTypeName);
        if (!set_classes_value(typeId, typeName))
            continue;
        set_classes_value(typeId + "\\DefaultIcon", program + ",0");
        set_classes_value(typeId + "\\shell\\open\\command", program + " \"%1\"");
        if (bCompat) {
            set_classes_value(typeId + "\\shell\\print\\command", program + " /p \"%1\"");
            set_classes_value(typeId + "\\shell\\printto\\command",
                              program + " /pt \"%1\" \"%2\" \"%3\" \"%4\"");
        }
        CString ext;
        if (!pTemplate->GetDocString(ext, CDocTemplate::filterExt))
            continue;
        // An extension that belongs to another type keeps it.
        char current[256] = {};
        LONG size = sizeof current;
        if (::RegQueryValueA(HKEY_CLASSES_ROOT, ext, current, &size) != ERROR_SUCCESS ||
            current[0] == '\0')
            set_classes_value(ext, typeId);
    }
}
