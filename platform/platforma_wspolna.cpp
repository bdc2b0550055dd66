#include "platform/platforma.h"

namespace platforma {
Zastepstwa zastepstwa = {nullptr, nullptr, nullptr, nullptr};
}
