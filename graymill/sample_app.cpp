#include "sample_app.h"

#include "main_frame.h"
#include "mt_doc.h"
#include "mt_view.h"
#include "resource.h"

CSampleApp theApp;

BEGIN_MESSAGE_MAP(CSampleApp, CWinApp)
ON_COMMAND(ID_FILE_OPEN, CWinApp::OnFileOpen)
END_MESSAGE_MAP()

BOOL CSampleApp::InitInstance() {
    SetRegistryKey("Tellurion");
    LoadStdProfileSettings(4);
    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CMTDoc),
                                          RUNTIME_CLASS(CMainFrame), RUNTIME_CLASS(CMTView)));
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (!ProcessShellCommand(cmdInfo))
        return FALSE;
    return TRUE;
}
