// Resource identifiers of the line-drawing core's tests.
#pragma once

#define IDR_PAINTTYPE 100
#define IDR_PAINTCONTEXT 101
