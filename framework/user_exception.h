// CUserException: thrown to abandon an operation after the user has been told why, such as a
// data exchange whose value a control refused. Whoever started the operation catches it and
// carries on as if the operation had not been asked for.
#pragma once

#include "object.h"

class CUserException : public CObject {};
