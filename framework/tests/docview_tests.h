// Resource identifiers of the document/view tests' resources.
#pragma once

#define IDR_DOCTYPE 300
#define IDM_DOC_COMMAND 310
#define IDM_VIEW_COMMAND 311
#define IDM_SHARED_COMMAND 312
#define IDM_APP_COMMAND 313
