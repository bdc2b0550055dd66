#include "shell/platforma.h"

namespace platforma {
Zastepstwa zastepstwa = {nullptr, nullptr, nullptr};
}
