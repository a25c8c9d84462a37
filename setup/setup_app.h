// CSetupApp: the installer's application object. InitInstance reads Setup.ini and Setup.txt,
// paints the backdrop, shows the welcome dialog and opens the location dialog; the dialogs
// carry the sequence on from there until the backdrop is destroyed.
#pragma once

#include "location_dialog.h"
#include "progress_dialog.h"
#include "welcome_dialog.h"

class CSetupApp : public CWinApp {
public:
    CSetupApp();

    // FALSE (the program ends at once) when a configuration file is missing or unreadable.
    BOOL InitInstance() override;
    // Frees the configuration entries; Setup always ends with exit code 1.
    int ExitInstance() override;

private:
    // Reads one configuration file into the entries of nKind; on failure shows the file's
    // message and returns FALSE.
    BOOL LoadConfigFile(LPCSTR lpszName, int nKind, LPCSTR lpszMissingMessage,
                        LPCSTR lpszUnopenableMessage);

    // The dialogs that live for the whole run.
    CWelcomeDialog m_welcomeDialog;
    CProgressDialog m_progressDialog;
    CLocationDialog m_locationDialog;
};
