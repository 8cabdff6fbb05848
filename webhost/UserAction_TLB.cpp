// Storage for the library's identifiers, which the generated header only declares elsewhere.
#include <initguid.h>

#include "webhost/UserAction_TLB.h"
