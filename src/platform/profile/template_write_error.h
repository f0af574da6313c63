#pragma once

#include "platform/user_error.h"

// A label template that cannot be written.
class TemplateWriteError : public UserError {
public:
    using UserError::UserError;
};
