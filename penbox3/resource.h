// Resource identifiers of Penbox3.
#pragma once

#define IDI_MAINFRAME 31234
