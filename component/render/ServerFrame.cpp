// The in-process server frame of dv40032: the four entry points and nothing else. Loading the
// library opens no window, reads no file and creates no object; every request creates an
// independent Docuvel.

#include "component/document/Docuvel.h"
#include "component/typelib/Docuvel40.h"
#include "platform/com/Server.h"

namespace {

com::ServerLock serverLock;
com::Factory<docuvel::Docuvel> docuvelFactory(serverLock);

} // namespace

COM_EXPORT com::HResult DllGetClassObject(const char* className, com::ClassFactory** factory) {
    return com::getClassObject(className, docuvel::kDocuvelClassName, docuvelFactory, factory);
}

COM_EXPORT com::HResult DllCanUnloadNow() {
    return com::canUnloadNow(serverLock);
}

COM_EXPORT com::HResult DllRegisterServer() {
    return com::registerServer({docuvel::kDocuvelClassName}, &serverLock);
}

COM_EXPORT com::HResult DllUnregisterServer() {
    return com::unregisterServer({docuvel::kDocuvelClassName}, &serverLock);
}
