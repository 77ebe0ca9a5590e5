#include "program/shell/DiskError.h"

#include <cerrno>

namespace ampleton {

std::string_view diskErrorText(DiskError error) {
    for (const auto& row : kDiskErrorTexts)
        if (row.error == error)
            return row.text;
    return {};
}

std::optional<DiskError> diskErrorOf(std::error_code ec) {
    if (!ec ||
        (ec.category() != std::generic_category() && ec.category() != std::system_category()))
        return std::nullopt;
    switch (ec.value()) {
    case ENXIO:
    case ENODEV:
        return DiskError::DeviceUnavailable;
#ifdef ENOMEDIUM
    case ENOMEDIUM:
        return DiskError::DiskNotReady;
#endif
    case EIO:
        return DiskError::DeviceIO;
    case ENOSPC:
    case EDQUOT:
        return DiskError::DiskFull;
    case ENAMETOOLONG:
    case EILSEQ:
        return DiskError::BadFileName;
    case EBADF:
        return DiskError::BadFileNameOrNumber;
    case ENOENT:
    case ENOTDIR:
        return DiskError::PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return DiskError::BadFileMode;
    case EBUSY:
    case ETXTBSY:
        return DiskError::FileAlreadyOpen;
    default:
        return std::nullopt;
    }
}

} // namespace ampleton
