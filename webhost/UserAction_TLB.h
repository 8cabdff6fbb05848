// The type library UserAction (UserAction.idl): the dual interface IUserAction that the hosted page
// calls as window.external, its identifiers and dispatch identifiers. All of them come from the header
// widl generates from the interface definition, so each is written once; UserAction_TLB.cpp gives the
// identifiers their storage.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include "UserAction_h.h"

namespace webhost {

using ::IID_IUserAction;
using ::IUserAction;
using ::LIBID_UserAction;

// The library's resource in the executable: type "TYPELIB", id 1.
inline constexpr int UserActionTypeLibResource = 1;

}  // namespace webhost
