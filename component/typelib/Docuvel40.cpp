#include "component/typelib/Docuvel40.h"
