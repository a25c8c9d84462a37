// Placeholders for class registrations not written yet; each area removes its line when it
// registers its classes for real.
#include "system_classes.h"

namespace mullion {
} // namespace mullion
