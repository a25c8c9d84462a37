// The file-name conversion of the underscore mode: read_me.txt is installed as Read Me.txt.
#pragma once

#include "cstring.h"

// Lower-cases the name, upper-cases its first character, and turns every underscore into a
// space that upper-cases the character after it.
CString ConvertUnderscores(const CString& strName);
