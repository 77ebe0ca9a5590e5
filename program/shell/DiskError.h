#pragma once
// The "Disk Error" messages of the preferences dialog and the failure conditions they stand for.

#include <optional>
#include <string_view>
#include <system_error>

namespace ampleton {

inline constexpr std::string_view kDiskErrorTitle = "Disk Error";

enum class DiskError {
    BadFileNameOrNumber = 52,
    BadFileMode = 54,
    FileAlreadyOpen = 55,
    DeviceIO = 57,
    DiskFull = 61,
    InputPastEnd = 62,
    BadFileName = 64,
    DeviceUnavailable = 68,
    DiskNotReady = 71,
    PathNotFound = 76,
};

struct DiskErrorText {
    DiskError error;
    std::string_view text;
};

inline constexpr DiskErrorText kDiskErrorTexts[] = {
    {DiskError::DeviceUnavailable, "That device appears unavailable."},
    {DiskError::DiskNotReady, "Insert a disk in the drive and close the door."},
    {DiskError::DeviceIO, "Internal disk error."},
    {DiskError::DiskFull, "Disk is full. Continue?"},
    {DiskError::BadFileName, "That filename is illegal."},
    {DiskError::BadFileNameOrNumber, "That filename is illegal."},
    {DiskError::PathNotFound, "That path does not exist."},
    {DiskError::BadFileMode, "Can't open your file for that type of access."},
    {DiskError::FileAlreadyOpen, "This file is already open."},
    {DiskError::InputPastEnd, "This file has a nonstandard end-of-file marker."
                              "or an attempt was made to read beyond "
                              "the end-of-file marker."},
};

std::string_view diskErrorText(DiskError error);

// The row for one of our own failures; nothing for a failure that has no message.
std::optional<DiskError> diskErrorOf(std::error_code ec);

} // namespace ampleton
