// A line of a text stream that could not be written or read: the stream is
// not open in the right mode, the disk is full, or reading failed.
#pragma once

#include "fp_errors.h"

#include <string>

class EditArrayIoError : public SystemError {
public:
    using SystemError::SystemError;
};
