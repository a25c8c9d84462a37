// The copy of the source tree into the install directory, run on the copying thread.
#pragma once

#include "copy_feedback.h"

// Copies the contents of the current directory into strDest, recursively, by the modes in
// g_bCompressed and g_bUnderscores; stops after the entry in hand once g_cancelEvent is raised.
// The current directory is back where it started when it returns.
void CopyTree(const CString& strDest, CCopyFeedback& feedback);

// Raises the cancel signal and records the cancel; used by the prompts and the progress dialog.
void CancelCopy();
