#include "surface.h"

namespace mullion {

Surface::Surface(int width, int height, uint32_t fill) {
    resize(width, height, fill);
}

void Surface::resize(int width, int height, uint32_t fill) {
    m_width = width > 0 ? width : 0;
    m_height = height > 0 ? height : 0;
    m_pixels.assign(size_t(m_width) * size_t(m_height), fill);
}

} // namespace mullion
