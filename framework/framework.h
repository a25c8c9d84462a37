// The application framework: include this one header.
#pragma once

#include <windows.h>

#include "command_ids.h"
#include "object.h"
#include "rect.h"
#include "cstring.h"
#include "message_map.h"
#include "cmd_target.h"
#include "cmd_ui.h"
#include "gdi_object.h"
#include "dc.h"
#include "menu.h"
#include "window.h"
#include "frame_window.h"
#include "dialog.h"
#include "win_app.h"
#include "message_thunks.h"
