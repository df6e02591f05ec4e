#pragma once
// A check's refusal as a dialog's result.
#include "editor/model/commands/command_form.h"

namespace tessaro {

template <class Fields>
FormResult<Fields> Refused(FormError error) {
    return Fail<Fields>(std::move(error.message), std::move(error.focus));
}

}  // namespace tessaro
