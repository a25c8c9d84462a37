// POSITION: an opaque place in one of the framework's lists (a document's views, a template's
// documents). A null POSITION is past the end.
#pragma once

struct __POSITION {};
typedef __POSITION* POSITION;
