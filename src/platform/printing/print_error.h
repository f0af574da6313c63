#pragma once

#include "platform/user_error.h"

// The printing platform refused a job.
class PrintError : public UserError {
public:
    using UserError::UserError;
};
