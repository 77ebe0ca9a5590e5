#pragma once
// The Docuvel40 type library's description of _Docuvel for calls by name: every member with its
// name, kind and parameters, bound to the interface.

#include "component/typelib/_Docuvel.h"
#include "platform/com/DispatchTable.h"

namespace docuvel {

const com::DispatchTable<_Docuvel>& docuvel40Dispatch();

} // namespace docuvel
