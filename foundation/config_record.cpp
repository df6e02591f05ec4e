#include "foundation/config_record.h"

namespace tessaro {

TConfigRecord* Config = nullptr;

}  // namespace tessaro
